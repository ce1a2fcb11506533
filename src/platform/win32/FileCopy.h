#pragma once

#include "platform/FileSystem.h"
#include "platform/win32/Leftovers.h"

#include <string>

namespace tarvello {

// Copies `source` by its own reads and writes into a temporary file beside
// `target`, writes it out to the device and renames it over the target once
// complete, so a failure never loses the old target. A read-only, hidden or
// system target is replaced like any other. `progress` runs after every
// piece of at most 1 MiB. With `leftovers`, the hidden copies that runs
// ended without warning left for this target go first.
CopyOutcome CopyOver(const std::string& source, const std::string& target, const CopyProgress& progress,
                     Leftovers* leftovers = nullptr);

}  // namespace tarvello
