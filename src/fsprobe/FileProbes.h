#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace tarvello {

// True when the path's modification time can be read. Never fails.
bool FileExists(const FileSystem& fs, const std::string& path);

// True when the file system cannot report on the path at all (a missing
// path included). Never fails.
bool HasBadCharacters(const FileSystem& fs, const std::string& path);

}  // namespace tarvello
