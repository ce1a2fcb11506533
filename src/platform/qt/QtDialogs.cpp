#include "platform/qt/QtDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace tarvello {

std::string QtDialogs::pickFolder(const std::string& prompt) {
    const QString folder = QFileDialog::getExistingDirectory(
        owner_, QString::fromStdString(prompt), QString(), QFileDialog::ShowDirsOnly);
    const QByteArray bytes = QFile::encodeName(folder);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtDialogs::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarvello"), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

}  // namespace tarvello
