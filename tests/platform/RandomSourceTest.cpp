#include "platform/system/MersenneRandomSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
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
// a list of 2^26 out of reach: the low bits of the index must vary too.
TEST(MersenneRandomSource, resolvesFinerThanSinglePrecision) {
    std::set<long long> lowBits;
    for (const double number : Draws(7.0, 4096))
        lowBits.insert(static_cast<long long>(std::floor(number * 67108864.0)) % 4);
    EXPECT_EQ(lowBits.size(), 4u);
}

}  // namespace
}  // namespace tarvello
