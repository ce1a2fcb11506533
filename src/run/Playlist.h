#pragma once

#include "platform/FileSystem.h"
#include "platform/PathSeparator.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// A copy that lies below the playlist's folder but has no line in it.
struct LeftOutOfPlaylist {
    std::string target;
    std::string reason;
};

struct Playlist {
    std::string text;
    std::vector<LeftOutOfPlaylist> leftOut;
};

// The M3U playlist at `playlistPath` for the copies made: "#EXTM3U", then
// each target that lies below the playlist's folder, once, in the order
// given, as a "/" path relative to that folder (whatever the `separator` of
// the paths given), so that a player finds the files wherever it mounts the
// stick. The playlist's path and the targets
// must be written the same way (both absolute, links resolved). A name
// holding a line break cannot stand on a line; under a ".m3u8" name, which
// players read as UTF-8, neither can a name that is not valid UTF-8.
Playlist MakePlaylist(std::string_view playlistPath, const std::vector<std::string>& targets,
                      char separator = kNativeSeparator);

// The same for paths as the user gave them: each folder is resolved through
// `fs` first, so that "-d ./out" and an absolute playlist path compare alike.
Playlist MakeResolvedPlaylist(const FileSystem& fs, const std::string& playlistPath,
                              const std::vector<std::string>& targets);

}  // namespace tarvello
