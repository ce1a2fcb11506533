#include "platform/qt/QtEventLoop.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace tarvello {
namespace {

// What the window keeps alive by during a copy: a press, a repaint, a close.
TEST(QtEventLoop, aYieldHandlesTheEventsWaiting) {
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    QtEventLoop().yield();
    EXPECT_TRUE(handled);
}

}  // namespace
}  // namespace tarvello
