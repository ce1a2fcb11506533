#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarvello {
namespace {

std::vector<double> Draws(double seed, int count) {
    MersenneRandomSource random;
    random.seed(seed);
    std::vector<double> numbers;
    for (int i = 0; i < count; ++i)
        numbers.push_back(random.next());
    return numbers;
}

TEST(MersenneRandomSource, sameSeedSameNumbersOtherSeedOtherNumbers) {
    EXPECT_EQ(Draws(3600.25, 50), Draws(3600.25, 50));
    EXPECT_NE(Draws(3600.25, 50), Draws(3600.26, 50));
}

// Single-precision numbers have 2^24 steps, which would leave most files of
// a large list out of reach: the draws must carry more bits than a float.
TEST(MersenneRandomSource, drawsFinerThanSinglePrecision) {
    const std::vector<double> draws = Draws(7.0, 4096);
    EXPECT_TRUE(std::none_of(draws.begin(), draws.end(), [](double d) { return static_cast<float>(d) == d; }));
}

// A copy yields every 20 ms by the steady clock, and the seed takes the
// time of day to the fraction: neither may step by whole seconds.
TEST(SystemClock, bothClocksCarryTheFractionOfASecond) {
    const SystemClock clock;
    for (const auto read : {&SystemClock::steadySeconds, &SystemClock::secondsSinceMidnight}) {
        bool fraction = false;
        for (int i = 0; i < 100 && !fraction; ++i) {
            const double seconds = (clock.*read)();
            fraction = seconds != std::floor(seconds);
        }
        EXPECT_TRUE(fraction);
    }
}

}  // namespace
}  // namespace tarvello
