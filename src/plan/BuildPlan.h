#pragma once

#include "plan/HeldNames.h"
#include "plan/ListingCache.h"
#include "plan/PlanEntry.h"
#include "plan/SelectionRules.h"
#include "platform/FileSystem.h"
#include "platform/PathSeparator.h"
#include "platform/RandomSource.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvello {

// The most lines a plan may hold. With repeats allowed the count alone sets
// the number of draws, and a count typed as 1000000000 would otherwise ask
// for more memory than the machine has.
inline constexpr std::size_t kMaxPlanLines = 10'000'000;

// The bound as people write it: "10,000,000".
std::string PlanBoundText();

// The window's message when a redraw would pass the bound.
std::string PlanTooLargeMessage();

struct PlanRequest {
    const std::vector<std::string>& sourceEntries;
    const std::vector<std::string>& destinationEntries;
    double requestedCount;  // the numeric reading of the count box
    bool allowRepeats;      // "Allow same file to be copied more than once"
    // Where the source folders are listed from: the listings kept between
    // redraws, or afresh when there are none. The plan is the same either way.
    ListingCache* listings = nullptr;
    // The listings are not kept when any rule is set.
    SelectionRules rules = {};
    // When given, every source entry that could not be listed is added here;
    // the listings are then made afresh, whatever `listings` holds.
    std::vector<EntryFailure>* listingFailures = nullptr;
    // A copy whose target name an earlier copy of the plan takes in its
    // folder, as the folder compares names, gets the next free numbered name
    // instead of replacing it.
    bool distinctNames = false;
    // Target names the plan must not write to, when given: with distinct
    // names they count as taken, otherwise a pick that would write one
    // leaves the draw.
    const HeldNames* heldNames = nullptr;
};

// Whether `picks` picks, each to every one of `destinations` folders, would
// give more than kMaxPlanLines lines. Never overflows.
bool ExceedsPlanBound(std::size_t picks, std::size_t destinations);

// The plan for the request: every pick, in selection order, to every
// destination entry, in list order, repeats under numbered names, and each
// name as its folder takes it (made as each line is read). Nothing
// when the plan would hold more than kMaxPlanLines lines; unless a budget
// or the per-folder chance shapes the draw, that is known before any number
// is drawn, so the generator is then left untouched. Without destinations
// the plan is empty and nothing is drawn; an empty destination entry names
// no folder and gets no copies.
// The separator is a parameter so the same code serves "\" paths.
std::optional<Plan> BuildPlan(const FileSystem& fs, RandomSource& random,
                              const PlanRequest& request, char separator = kNativeSeparator);

}  // namespace tarvello
