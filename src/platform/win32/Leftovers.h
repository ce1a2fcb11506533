#pragma once

#include "platform/LeftoverIndex.h"

#include <string>

namespace tarvello {

// The hidden copies in the making that a run ended without warning (the
// process killed, the stick pulled) left beside their targets.
class Leftovers {
public:
    // Removes the leftovers of copies to `target`, and no other file: a
    // name must have exactly the hidden form of that target.
    void removeFor(const std::string& target);

    // A copy to `target` has ended. After a failed one its folder is listed
    // afresh, since that copy may have left its own hidden file.
    void copyEnded(const std::string& target, bool copied);

private:
    LeftoverIndex index_;
};

}  // namespace tarvello
