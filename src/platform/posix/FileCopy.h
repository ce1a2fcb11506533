#pragma once

#include "platform/FileSystem.h"
#include "platform/posix/Leftovers.h"

#include <string>

namespace tarvello {

// Copies `source` into a temporary file beside `target` and renames it over
// the target once complete, so a failure never loses the old target.
// `progress` runs after every piece of at most 1 MiB. With `leftovers`, the
// hidden copies that killed runs left for this target go first.
CopyOutcome ReplaceFile(const std::string& source, const std::string& target,
                        const CopyProgress& progress = [](std::uint64_t) {}, Leftovers* leftovers = nullptr);

// Removes the hidden copies to `target` that killed runs left, as a copy
// to it does first.
void RemoveLeftoversOf(const std::string& target, Leftovers& leftovers);

}  // namespace tarvello
