#pragma once

#include "copyrun/CopyReport.h"
#include "copyrun/CopyRunObserver.h"
#include "plan/PlanEntry.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"

#include <optional>

namespace tarvello {

// Carries out a plan: copies each entry's source to its target, with
// progress, yielding to the event loop between files and every few
// milliseconds inside one, then makes sure the copies are on their devices
// before it says so.
class CopyRun {
public:
    CopyRun(EventLoop& events, const Clock& clock);

    // Copies every entry of `plan` in order through `fs`, hands the report
    // to the observer and returns it. The run keeps its own reference to the
    // plan, so whatever the Summary does meanwhile cannot touch it. A call
    // while a run is under way (from a handler run inside one of its
    // yields) does nothing and returns nothing.
    std::optional<CopyReport> start(FileSystem& fs, SharedPlan plan, CopyRunObserver& observer);

    bool running() const { return running_; }

private:
    EventLoop& events_;
    const Clock& clock_;
    bool running_ = false;
};

}  // namespace tarvello
