#include "plan/PickRandomFiles.h"

#include "platform/system/MersenneRandomSource.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace tarvello {
namespace {

// The pool as a plain vector of positions, erased from: slow but plainly
// right, and what the fast pool must agree with number for number.
std::vector<Pick> VectorErasePicks(const std::vector<double>& numbers, std::size_t candidates) {
    std::vector<std::size_t> pool(candidates);
    std::iota(pool.begin(), pool.end(), std::size_t{0});
    std::vector<Pick> picks;
    for (const double r : numbers) {
        const auto position = static_cast<std::ptrdiff_t>(DrawnIndex(r, pool.size()));
        picks.push_back({pool[position], 0});
        pool.erase(pool.begin() + position);
    }
    return picks;
}

TEST(PickRandomFilesWithoutRepeats, AgreesWithTheVectorErasePool) {
    MersenneRandomSource uniform;
    uniform.seed(3.0);
    const std::size_t sizes[] = {1, 2, 3, 4, 5, 7, 8, 9, 63, 64, 65, 100, 1023, 1024, 1025, 5000};
    for (const std::size_t size : sizes) {
        for (int round = 0; round < 25; ++round) {
            const std::size_t draws = round % 2 == 0 ? size : (size + 1) / 2;
            // Uniform numbers with the edges mixed in: 0 and the largest below 1.
            std::vector<double> numbers(draws);
            for (double& r : numbers) {
                r = uniform.next();
                r = r < 0.1 ? std::nextafter(1.0, 0.0) : r < 0.15 ? 0.0 : r;
            }
            test::ScriptedRandom random;
            for (const double r : numbers)
                random.push(r);
            ASSERT_EQ(PickRandomFiles(random, size, static_cast<double>(draws), false),
                      VectorErasePicks(numbers, size))
                << size << " candidates, round " << round;
        }
    }
}

}  // namespace
}  // namespace tarvello
