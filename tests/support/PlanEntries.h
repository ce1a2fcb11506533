#pragma once

#include "plan/PlanEntry.h"

#include <vector>

namespace tarvello::test {

// Every entry of the plan, in order, for comparing plans whole.
inline std::vector<PlanEntry> EntriesOf(const Plan& plan) {
    std::vector<PlanEntry> entries;
    for (std::size_t i = 0; i < plan.size(); ++i)
        entries.push_back(plan.entry(i));
    return entries;
}

}  // namespace tarvello::test
