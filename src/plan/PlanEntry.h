#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarvello {

// One copy of the plan. The pair is what the copy run uses; the Summary
// line is only made from it for display.
struct PlanEntry {
    std::string source;
    std::string target;

    bool operator==(const PlanEntry&) const = default;
};

using Plan = std::vector<PlanEntry>;

// The plan as shown: immutable once drawn, so a copy run can keep the one
// it started with while the Summary moves on.
using SharedPlan = std::shared_ptr<const Plan>;

inline std::string SummaryLine(const PlanEntry& entry) {
    return entry.source + " will be copied to " + entry.target;
}

}  // namespace tarvello
