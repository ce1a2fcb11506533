#pragma once

#include <QProgressBar>

namespace tarvello {

// A progress bar that takes an unrounded percentage. QProgressBar counts in
// whole steps, so the bar runs over ten thousand of them.
class PercentProgressBar final : public QProgressBar {
    Q_OBJECT
public:
    explicit PercentProgressBar(QWidget* parent = nullptr);

    void setPercent(double percent);
};

}  // namespace tarvello
