#include "fsprobe/FileProbes.h"

namespace tarvello {

bool FileExists(const FileSystem& fs, const std::string& path) {
    return fs.modificationTime(path).has_value();
}

bool HasBadCharacters(const FileSystem& fs, const std::string& path) {
    return !fs.attributes(path).has_value();
}

}  // namespace tarvello
