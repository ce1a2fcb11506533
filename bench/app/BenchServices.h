#pragma once

#include "app/FormServices.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtProgramEnd.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"

#include <cstdio>

namespace tarvello::bench {

// Prints each message; what a benchmark does not ask is answered with no.
class PrintingDialogs : public Dialogs {
public:
    void showMessage(const std::string& text) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
    void showReport(const std::string& text, const std::string&) override { showMessage(text); }
    bool ask(const std::string&) override { return false; }
    std::string pickFileToWrite(const std::string&) override { return {}; }
};

// Leaves the window's options as they are.
class UnchangedOptions final : public OptionsEditor {
public:
    bool edit(WindowOptions&) override { return false; }
};

// The window's real services, but for the file system and the dialogs that
// each benchmark brings. The settings go wherever QSettings was pointed.
struct BenchServices {
    QtSettingsStore settings{QStringLiteral("Quenmark"), QStringLiteral("Tarvello")};
    MersenneRandomSource random;
    SystemClock clock;
    QtEventLoop events;
    QtLauncher launcher;
    QtProgramEnd programEnd;
    UnchangedOptions options;

    FormServices with(FileSystem& fileSystem, Dialogs& dialogs) {
        return {fileSystem, dialogs, settings, random, clock, events, launcher, programEnd, options, {}};
    }
};

}  // namespace tarvello::bench
