#pragma once

#include "plan/PlanEntry.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"

namespace tarvello {

// What the window shows while a copy run works.
class CopyRunDisplay {
public:
    virtual ~CopyRunDisplay() = default;
    virtual void setProgress(double percent) = 0;  // 0..100, unrounded
    virtual void setBusy(bool busy) = 0;           // hourglass, or back to the default pointer
};

// Carries out a plan: copies each entry's source to its target, with
// progress, yielding to the event loop between files and every few
// milliseconds inside one, then makes sure the copies are on their devices
// before it says so.
class CopyRun {
public:
    CopyRun(FileSystem& fs, EventLoop& events, Dialogs& dialogs, CopyRunDisplay& display,
            const Clock& clock);

    // Copies every entry of `plan` in order and ends with a message. The
    // run keeps its own reference to the plan, so whatever the Summary
    // does meanwhile cannot touch it. A call while a run is under way does
    // nothing.
    void start(SharedPlan plan);

    bool running() const { return running_; }

private:
    // Yields, then shows the hourglass again: a handler run inside the
    // yield may have put the pointer back.
    void yieldBusy();
    void yieldIfDue();

    FileSystem& fs_;
    EventLoop& events_;
    Dialogs& dialogs_;
    CopyRunDisplay& display_;
    const Clock& clock_;
    double lastYield_ = 0.0;
    bool running_ = false;
};

}  // namespace tarvello
