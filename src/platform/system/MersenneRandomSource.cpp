#include "platform/system/MersenneRandomSource.h"

#include <bit>
#include <cstdint>

namespace tarvello {

void MersenneRandomSource::seed(double value) {
    engine_.seed(std::bit_cast<std::uint64_t>(value));
}

double MersenneRandomSource::next() {
    constexpr double kStep = 1.0 / 9007199254740992.0;  // 2^-53
    return static_cast<double>(engine_() >> 11) * kStep;
}

}  // namespace tarvello
