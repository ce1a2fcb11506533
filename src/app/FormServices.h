#pragma once

#include "app/OptionsDialog.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "platform/ProgramEnd.h"
#include "platform/RandomSource.h"
#include "platform/SettingsStore.h"

#include <string>

namespace tarvello {

// Everything outside the program that the main window reaches. main()
// hands in the real services, tests their doubles.
struct FormServices {
    FileSystem& fileSystem;
    Dialogs& dialogs;
    SettingsStore& settings;
    RandomSource& random;
    const Clock& clock;
    EventLoop& events;
    Launcher& launcher;
    ProgramEnd& programEnd;
    OptionsEditor& optionsEditor;
    std::string siteAddress;  // opened in one start out of a hundred; empty opens nothing
};

}  // namespace tarvello
