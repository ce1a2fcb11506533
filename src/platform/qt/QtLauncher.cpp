#include "platform/qt/QtLauncher.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarvello {

void QtLauncher::openUrl(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace tarvello
