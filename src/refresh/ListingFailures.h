#pragma once

// STAND-IN: the plan builder is gaining its own report of the source
// entries that named no folder or whose listing failed
// (PlanRequest::listingFailures, filled with EntryFailure). Until it lands,
// the refresh finds them itself (here, and in the listings of its draw
// view); on merge this header and its source give way to that report.

#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace tarvello {

struct EntryFailure {
    std::string entry;
    std::string reason;
};

// Each source entry that names no folder, in list order.
std::vector<EntryFailure> FindMissingFolders(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                                              char separator);

}  // namespace tarvello
