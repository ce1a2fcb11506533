#pragma once

#include "plan/PlanEntry.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <string>

namespace tarvello {

// Tallies what became of each entry of a run and words the one message
// that closes it.
class CopyReport {
public:
    // Failures named one by one; the rest are only counted, so the box
    // stays readable whatever the size of the plan.
    static constexpr std::size_t kListed = 10;

    void add(const PlanEntry& entry, const CopyOutcome& outcome);

    // "Done." when every entry was copied; otherwise "Done." followed by
    // how many entries could not be copied and the first of them.
    std::string message() const;

private:
    std::size_t total_ = 0;
    std::size_t failed_ = 0;
    std::string listed_;  // one line per listed failure
};

}  // namespace tarvello
