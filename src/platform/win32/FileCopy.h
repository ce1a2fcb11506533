#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace tarvello {

// Copies `source` by its own reads and writes into a temporary file beside
// `target`, writes it out to the device and renames it over the target once
// complete, so a failure never loses the old target. A read-only, hidden or
// system target is replaced like any other. `progress` runs after every
// piece of at most 1 MiB.
CopyOutcome CopyOver(const std::string& source, const std::string& target, const CopyProgress& progress);

}  // namespace tarvello
