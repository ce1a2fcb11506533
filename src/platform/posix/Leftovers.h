#pragma once

#include "platform/LeftoverIndex.h"

#include <string>

namespace tarvello {

// The hidden copies in the making that a run killed by a signal or a
// pulled stick left in a destination folder, where no unnamed files are
// possible. A folder whose copies need no hidden name is not looked at
// again while it stays on the same device.
class Leftovers {
public:
    // Removes the folder's leftovers of copies to `targetName`, and no
    // other file: a name must have exactly the hidden form of that target,
    // and no copy under way may hold its lock.
    void removeFor(int folderFd, const std::string& folder, const std::string& targetName);

    // A copy into the folder has ended, made `unnamed` or under a hidden
    // name. After a failed one the folder is listed afresh, since that copy
    // may have left its own hidden file.
    void copyEnded(int folderFd, const std::string& folder, bool copied, bool unnamed);

private:
    LeftoverIndex index_;
};

}  // namespace tarvello
