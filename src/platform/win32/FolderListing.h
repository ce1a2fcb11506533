#pragma once

#include "platform/FileSystem.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace tarvello {

// Calls `visit` with each entry of `folder` but "." and "..", hidden ones
// too, in the order the system lists them. Returns 0 once listed to the
// end, ERROR_PATH_NOT_FOUND when the path names no folder (an empty path
// names none), or the Win32 error that cut the listing short.
DWORD ForEachListed(const std::string& folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

// The identity of the folder a path leads to, links followed, and the
// times its entries last changed; nothing when it leads to no folder.
std::optional<FolderStamp> FolderStampOf(const std::string& folder);

}  // namespace tarvello
