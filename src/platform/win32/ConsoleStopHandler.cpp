#include "platform/win32/ConsoleStopHandler.h"

#include "platform/win32/TempCopy.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace tarvello {
namespace {

constexpr int kStoppedStatus = 130;
// A closing console gives the program a few seconds before the system
// ends it; the run gets most of that to end by itself at its next yield.
constexpr DWORD kCloseGraceMs = 3000;

std::atomic<bool> stopAsked{false};
std::atomic<int> waitsUnbroken{0};

[[noreturn]] void EndStopped() {
    RemoveUnfinishedCopy();
    std::fflush(nullptr);
    std::_Exit(kStoppedStatus);
}

// Runs on a thread of its own that the system starts for each event.
BOOL WINAPI Catch(DWORD event) {
    stopAsked = true;
    if (waitsUnbroken > 0)
        EndStopped();
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    // Returning from a close, logoff or shutdown event ends the process at
    // once, so this thread waits for the run and ends it itself when the
    // run is stuck in a long read.
    Sleep(kCloseGraceMs);
    EndStopped();
}

}  // namespace

ConsoleStopHandler::ConsoleStopHandler() { SetConsoleCtrlHandler(Catch, TRUE); }

ConsoleStopHandler::~ConsoleStopHandler() { SetConsoleCtrlHandler(Catch, FALSE); }

StopEndsWait::StopEndsWait() {
    ++waitsUnbroken;
    // A stop caught just before is not lost.
    if (stopAsked)
        EndStopped();
}

StopEndsWait::~StopEndsWait() { --waitsUnbroken; }

void ConsoleStopHandler::yield() {
    if (stopAsked)
        EndStopped();
}

}  // namespace tarvello
