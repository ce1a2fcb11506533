#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>

namespace tarvello {

void QtEventLoop::yield() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace tarvello
