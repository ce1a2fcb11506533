#pragma once

#include "plan/CandidateList.h"
#include "plan/HeldNames.h"
#include "plan/PickRandomFiles.h"
#include "plan/PlanEntry.h"

#include <vector>

namespace tarvello {

// Whether each of the pick's copies may be written under its target name:
// no folder holds that name.
bool NamesFree(const Pick& pick, const CandidateList& candidates, const std::vector<DestinationFolder>& folders,
               const HeldNames& held, char separator);

// Numbers each pick, in order, so that no two copies of the plan take one
// name in a destination folder, as the folder compares names, and none takes
// a held name (when given): the first number whose target name is free in
// every folder, trying the name itself, then 1, 2, ... as repeats are
// numbered. A file's copies thus share one number in every folder.
void NumberDistinctly(std::vector<Pick>& picks, const CandidateList& candidates,
                      const std::vector<DestinationFolder>& folders, const HeldNames* held, char separator);

}  // namespace tarvello
