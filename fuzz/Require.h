#pragma once

#include <cstdio>
#include <cstdlib>

namespace tarvello::fuzz {

// Ends the target as a crash, which the fuzzer keeps as a finding, when a
// property of the reader does not hold for the input at hand.
inline void Require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}

}  // namespace tarvello::fuzz
