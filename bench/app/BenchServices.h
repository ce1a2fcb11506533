#pragma once

#include "app/FormServices.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtProgramEnd.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"

namespace tarvello::bench {

// The window's real services, but for the file system and the dialogs that
// each benchmark brings. The settings go wherever QSettings was pointed.
struct BenchServices {
    QtSettingsStore settings{QStringLiteral("Quenmark"), QStringLiteral("Tarvello")};
    MersenneRandomSource random;
    SystemClock clock;
    QtEventLoop events;
    QtLauncher launcher;
    QtProgramEnd programEnd;

    FormServices with(FileSystem& fileSystem, Dialogs& dialogs) {
        return {fileSystem, dialogs, settings, random, clock, events, launcher, programEnd, {}};
    }
};

}  // namespace tarvello::bench
