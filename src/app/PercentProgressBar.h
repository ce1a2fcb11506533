#pragma once

#include <QProgressBar>

namespace tarvello {

// A progress bar that takes an unrounded percentage. QProgressBar counts in
// whole steps, so the bar runs over ten thousand of them and keeps the
// exact value it was given.
class PercentProgressBar final : public QProgressBar {
    Q_OBJECT
public:
    explicit PercentProgressBar(QWidget* parent = nullptr);

    void setPercent(double percent);
    double percent() const { return percent_; }

private:
    double percent_ = 0.0;
};

}  // namespace tarvello
