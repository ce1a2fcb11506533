#pragma once

#include <sys/stat.h>

#include <map>
#include <string>
#include <unordered_map>

namespace tarvello {

// The hidden copies in the making that a run killed by a signal or a
// pulled stick left in a destination folder, where no unnamed files are
// possible. Each folder is listed once and listed again only when its
// entries changed by another hand than these copies'. A folder whose copies
// need no hidden name is not looked at again while it stays on the same
// device: no copy there leaves anything behind.
class Leftovers {
public:
    // Removes the folder's leftovers of copies to `targetName`, and no
    // other file: a name must have exactly the hidden form of that target.
    void removeFor(int folderFd, const std::string& folder, const std::string& targetName);

    // A copy into the folder has ended, made `unnamed` or under a hidden
    // name. After a failed one the folder is listed afresh, since that copy
    // may have left its own hidden file.
    void copyEnded(int folderFd, const std::string& folder, bool copied, bool unnamed);

private:
    struct Listing {
        struct stat stamp;
        std::unordered_multimap<std::string, std::string> byStem;  // hidden names by their stem
        bool unnamedCopies = false;
    };
    std::map<std::string, Listing> listings_;
};

}  // namespace tarvello
