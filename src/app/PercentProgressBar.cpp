#include "app/PercentProgressBar.h"

#include <cmath>

namespace tarvello {
namespace {
constexpr int kSteps = 10000;
}

PercentProgressBar::PercentProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, kSteps);
    setValue(0);
    setTextVisible(false);
}

void PercentProgressBar::setPercent(double percent) {
    setValue(static_cast<int>(std::lround(percent / 100.0 * kSteps)));
}

}  // namespace tarvello
