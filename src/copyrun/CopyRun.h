#pragma once

#include "copyrun/CopyReport.h"
#include "plan/PlanEntry.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tarvello {

// Whoever shows a copy run: the window's bar and pointer, or a terminal.
class CopyRunObserver {
public:
    virtual ~CopyRunObserver() = default;
    virtual void setProgress(double percent) = 0;  // 0..100, unrounded
    virtual void setBusy(bool busy) = 0;           // hourglass, or back to the default pointer
    // Entry `index` (0-based) of `total` is under way: `bytesDone` of its
    // file are copied.
    virtual void entryProgress(std::size_t /*index*/, std::size_t /*total*/, std::uint64_t /*bytesDone*/) {}
    // Entry `index` (0-based) of `total` has been dealt with.
    virtual void entryDone(std::size_t /*index*/, std::size_t /*total*/, const PlanEntry& /*entry*/,
                           const CopyOutcome& /*outcome*/) {}
    // The run's one report, while the bar still shows where it ended.
    virtual void finished(const CopyReport& report) = 0;
};

// Carries out a plan: copies each entry's source to its target, with
// progress, yielding to the event loop between files and every few
// milliseconds inside one, then makes sure the copies are on their devices
// before it says so.
class CopyRun {
public:
    CopyRun(FileSystem& fs, EventLoop& events, CopyRunObserver& observer, const Clock& clock);

    // Copies every entry of `plan` in order, hands the report to the
    // observer and returns it. The run keeps its own reference to the plan,
    // so whatever the Summary does meanwhile cannot touch it. A call while a
    // run is under way does nothing and returns nothing.
    std::optional<CopyReport> start(SharedPlan plan);

    bool running() const { return running_; }

private:
    // Yields, then shows the hourglass again: a handler run inside the
    // yield may have put the pointer back.
    void yieldBusy();
    void yieldIfDue();

    FileSystem& fs_;
    EventLoop& events_;
    CopyRunObserver& observer_;
    const Clock& clock_;
    double lastYield_ = 0.0;
    bool running_ = false;
};

}  // namespace tarvello
