#include "app/Form1.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtProgramEnd.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTerminationSignals.h"
#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kHelp[] =
    "Usage: tarvello\n"
    "Opens the window that copies a random selection of files from source folders\n"
    "to destination folders. It takes no files; tarvello-cli does the same job from\n"
    "a terminal or a crontab line.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before any window system is asked for, so they work without one.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0)
            return std::fputs(kHelp, stdout), 0;
        if (std::strcmp(argv[i], "--version") == 0)
            return std::printf("tarvello %s\n", TARVELLO_VERSION), 0;
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVELLO_APP_ID));

    tarvello::PosixFileSystem fileSystem;
    tarvello::QtDialogs dialogs;
    tarvello::QtSettingsStore settings(QStringLiteral("Quenmark"), QStringLiteral("Tarvello"));
    tarvello::MersenneRandomSource random;
    tarvello::SystemClock clock;
    tarvello::QtEventLoop events;
    tarvello::QtLauncher launcher;
    tarvello::QtProgramEnd programEnd;
    tarvello::QtOptionsEditor options(dialogs, nullptr);

    tarvello::Form1 form({fileSystem, dialogs, settings, random, clock, events, launcher, programEnd, options,
                          TARVELLO_SITE_URL});
    dialogs.setOwner(&form);
    options.setOwner(&form);
    // Logout and shutdown end a run as closing the window does.
    const tarvello::QtTerminationSignals terminationSignals([&form] { form.close(); });
    form.show();
    return application.exec();
}
