#pragma once

#include <cstddef>

namespace tarvello {

// What a refresh did, for its closing line.
struct RefreshTally {
    std::size_t copied = 0;
    std::size_t kept = 0;
    std::size_t removed = 0;
    std::size_t leftAlone = 0;  // recorded copies the user changed or took away
    std::size_t failed = 0;
};

}  // namespace tarvello
