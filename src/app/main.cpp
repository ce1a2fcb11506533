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

int main(int argc, char* argv[]) {
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

    tarvello::Form1 form({fileSystem, dialogs, settings, random, clock, events, launcher, programEnd,
                          TARVELLO_SITE_URL});
    dialogs.setOwner(&form);
    // Logout and shutdown end a run as closing the window does.
    const tarvello::QtTerminationSignals terminationSignals([&form] { form.close(); });
    form.show();
    return application.exec();
}
