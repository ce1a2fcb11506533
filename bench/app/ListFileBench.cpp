// Loads a list file of a million lines through the real window's "Load"
// button: prints the time until the source list holds every line and is
// painted, then, separately, the time of the plan redraw that adding a
// destination folder sets off over those million source entries (folders
// that do not exist, so it is the cost of trying each).
#include "BenchServices.h"
#include "app/Form1.h"
#include "platform/posix/PosixFileSystem.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>

namespace {

// Answers every question at once with the files and folder it was given.
class AnsweringDialogs final : public tarvello::bench::PrintingDialogs {
public:
    std::string pickFolder(const std::string&) override { return folder; }
    std::vector<std::string> pickFiles(const std::string&) override { return {file}; }

    std::string file;
    std::string folder;
};

// Presses a button of the window and waits until the list is painted.
qint64 PressAndPaint(const tarvello::Form1& form, const char* button, const char* list) {
    QElapsedTimer clock;
    clock.start();
    form.findChild<QPushButton*>(QLatin1String(button))->click();
    form.findChild<QAbstractScrollArea*>(QLatin1String(list))->viewport()->repaint();
    QApplication::processEvents();
    return clock.elapsed();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    constexpr int kLines = 1'000'000;

    const QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    AnsweringDialogs dialogs;
    dialogs.file = scratch.filePath(QStringLiteral("list.txt")).toStdString();
    dialogs.folder = scratch.path().toStdString();
    {
        std::ofstream list(dialogs.file, std::ios::binary);
        for (int i = 0; i < kLines; ++i)
            list << "/home/ann/Music/Artist " << i / 25 << "/Album " << i % 25 << "\r\n";
    }

    tarvello::PosixFileSystem fileSystem;
    tarvello::bench::BenchServices services;
    tarvello::Form1 form(services.with(fileSystem, dialogs));
    form.show();
    QApplication::processEvents();

    const qint64 loadMs = PressAndPaint(form, "Check1", "ListView1");
    const qint64 redrawMs = PressAndPaint(form, "Check3", "ListView3");
    std::printf("list file lines:                  %d\n", kLines);
    std::printf("source entries after Load:        %zu\n", form.sourceList().size());
    std::printf("read into the list and shown in:  %lld ms (target < 1000 ms)\n", static_cast<long long>(loadMs));
    std::printf("the redraw that follows:          %lld ms (%zu Summary lines)\n",
                static_cast<long long>(redrawMs), form.summary().size());
    return 0;
}
