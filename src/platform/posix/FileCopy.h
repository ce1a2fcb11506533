#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace tarvello {

// Copies `source` into a temporary file beside `target` and renames it over
// the target once complete, so a failure never loses the old target.
CopyOutcome ReplaceFile(const std::string& source, const std::string& target);

}  // namespace tarvello
