#include "platform/qt/QtDialogs.h"

#include "platform/qt/ExactPath.h"

#include <QFileDialog>
#include <QMessageBox>

namespace tarvello {

std::string QtDialogs::pickFolder(const std::string& prompt) {
    const QString folder = QFileDialog::getExistingDirectory(
        owner_, QString::fromStdString(prompt), QString(), QFileDialog::ShowDirsOnly);
    return ExactPath(folder);
}

std::vector<std::string> QtDialogs::pickFiles(const std::string& title) {
    const QStringList files = QFileDialog::getOpenFileNames(owner_, QString::fromStdString(title), QString(),
                                                            QStringLiteral("All Files (*)"));
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(files.size()));
    for (const QString& file : files)
        paths.push_back(ExactPath(file));
    return paths;
}

void QtDialogs::showMessage(const std::string& text) { showReport(text, {}); }

void QtDialogs::showReport(const std::string& text, const std::string& details) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarvello"), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    if (!details.empty())
        box.setDetailedText(QString::fromStdString(details));
    box.exec();
}

bool QtDialogs::ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tarvello"), QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::string QtDialogs::pickFileToWrite(const std::string& title) {
    return ExactPath(QFileDialog::getSaveFileName(owner_, QString::fromStdString(title)));
}

}  // namespace tarvello
