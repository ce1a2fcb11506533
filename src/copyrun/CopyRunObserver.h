#pragma once

#include "copyrun/CopyReport.h"
#include "plan/PlanEntry.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>

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

}  // namespace tarvello
