#pragma once

#include "platform/EventLoop.h"

namespace tarvello {

// Catches Ctrl-C, Ctrl-Break and the closing of the console (or the end of
// the session) for the length of its life. A caught event ends the process
// at the next yield, which a copy run makes between files and every few
// milliseconds inside one: the copy in the making is removed, the old
// target stays, and the exit status is 130. One instance per process.
class ConsoleStopHandler final : public EventLoop {
public:
    ConsoleStopHandler();
    ~ConsoleStopHandler() override;
    ConsoleStopHandler(const ConsoleStopHandler&) = delete;
    ConsoleStopHandler& operator=(const ConsoleStopHandler&) = delete;

    void yield() override;
};

// Marks, for the length of its life, a wait that no yield breaks (a read
// of standard input from a pipe): a stop caught meanwhile ends the process
// at once, as a yield would.
class StopEndsWait {
public:
    StopEndsWait();
    ~StopEndsWait();
    StopEndsWait(const StopEndsWait&) = delete;
    StopEndsWait& operator=(const StopEndsWait&) = delete;
};

}  // namespace tarvello
