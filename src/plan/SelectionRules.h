#pragma once

#include "plan/CandidateList.h"
#include "plan/PickRandomFiles.h"
#include "platform/FileSystem.h"
#include "platform/PathSeparator.h"
#include "platform/RandomSource.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// Ways to narrow and shape a selection beyond the count and the repeat
// option. With none set, a plan is drawn exactly as without them.
struct SelectionRules {
    std::vector<std::string> extensions;  // lower case, no dot; empty: every file
    std::optional<std::uint64_t> budget;  // the most bytes each destination receives
    // Set for the budget "free": each file then costs the space it takes on
    // the destination, its size rounded up to whole units of this many bytes
    // and its folder entry, rather than its size.
    std::optional<std::uint64_t> allocationUnit;
    bool perFolder = false;               // each source entry has the same chance per draw
    bool skipExisting = false;            // leave out files already in every destination

    bool any() const { return !extensions.empty() || budget || perFolder || skipExisting; }
    // Whether the draw itself differs, not only what it draws from.
    bool shapesDraw() const { return budget || perFolder; }
};

// The extensions of a comma-separated list such as " mp3, .FLAC", lower
// case, without the blanks around them and their leading dots; empty items
// are passed over.
std::vector<std::string> ParseExtensionList(std::string_view list);

// What every one of `folders` has free, less 1 % for the file system's own
// bookkeeping: the budget "free". Nothing when a folder cannot be asked.
std::optional<std::uint64_t> FreeSpaceBudget(const FileSystem& fs,
                                             const std::vector<std::string>& folders);

// The largest allocation unit among `folders`, so that a file costs no
// less than it takes on any of them; nothing when none can be asked.
std::optional<std::uint64_t> LargestAllocationUnit(const FileSystem& fs,
                                                   const std::vector<std::string>& folders);

// The candidates the rules leave, with where each source entry's files end.
struct CandidateGroups {
    CandidateList candidates;
    std::vector<std::size_t> ends;  // one per source entry, into candidates
};

// Lists each source entry as ListCandidates() does, keeping only the files
// the extension and skip-existing rules let through. `folders` are the
// destination folders, each ending with the separator.
CandidateGroups ListSelectable(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                               const std::vector<std::string>& folders, const SelectionRules& rules,
                               char separator, std::vector<EntryFailure>* failures = nullptr);

// Whether a pick may stand in the plan.
using PickAdmission = std::function<bool(const Pick&)>;

// Draws under a budget, with a per-folder chance or with picks to admit:
// walks the draws in their random order and keeps each pick that is admitted
// and still fits, until the count is reached or no candidate is left. A
// candidate whose pick is refused, that no longer fits, or whose size cannot
// be read, leaves the draw. Nothing when the picks would pass `maxPicks`.
std::optional<std::vector<Pick>> DrawWithinRules(const FileSystem& fs, RandomSource& random,
                                                 const CandidateGroups& groups, double requestedCount,
                                                 bool allowRepeats, const SelectionRules& rules,
                                                 std::size_t maxPicks, char separator = kNativeSeparator,
                                                 const PickAdmission& admits = {});

}  // namespace tarvello
