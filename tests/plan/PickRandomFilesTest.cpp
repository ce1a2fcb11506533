#include "plan/PickRandomFiles.h"

#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvello {
namespace {

using test::ScriptedRandom;
using Picks = std::vector<Pick>;

const double kJustBelowOne = std::nextafter(1.0, 0.0);
constexpr std::size_t kMost = std::numeric_limits<std::size_t>::max();

TEST(DrawCount, IsTheWholePartOfCountsFromOneUp) {
    const std::pair<double, std::size_t> cases[] = {
        {0.5, 0}, {0.0, 0}, {-3.0, 0}, {std::nan(""), 0}, {1.0, 1},     {2.9, 2},
        {3.0, 3}, {3.5, 3}, {4.0, 4},  {1e300, kMost},    {INFINITY, kMost},
    };
    for (const auto& [requested, draws] : cases)
        EXPECT_EQ(DrawCount(requested), draws) << "N = " << requested;
}

TEST(DrawnIndex, ScalesIntoTheCountAndNeverReachesIt) {
    EXPECT_EQ(DrawnIndex(0.0, 3), 0u);
    EXPECT_EQ(DrawnIndex(0.5, 3), 1u);
    EXPECT_EQ(DrawnIndex(kJustBelowOne, 3), 2u);
    EXPECT_EQ(DrawnIndex(kJustBelowOne, 1'000'001), 1'000'000u);
    // Single-precision generators are known to round up to 1.0 now and then.
    EXPECT_EQ(DrawnIndex(1.0, 3), 2u);
}

TEST(PickRandomFiles, DrawsExactlyTheScriptedPicks) {
    struct Case {
        const char* what;
        std::size_t candidates;
        double requested;
        bool repeats;
        std::vector<double> numbers;
        Picks expected;
    };
    const Case cases[] = {
        {"N = 2.9 draws two", 3, 2.9, false, {0.0, 0.0}, {{0, 0}, {1, 0}}},
        {"repeats count per candidate", 3, 5.0, true, {0.1, 0.7, 0.0, 0.9, 0.05},
         {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}}},
        {"one candidate repeated", 1, 3.0, true, {0.0, 0.5, kJustBelowOne},
         {{0, 0}, {0, 1}, {0, 2}}},
        // No number is drawn at all in these; the pool itself is checked against
        // a plain vector elsewhere.
        {"N > F without repeats", 3, 3.5, false, {}, {{0, 0}, {1, 0}, {2, 0}}},
        {"N below 1", 3, 0.5, true, {}, {}},
        {"no candidates", 0, 4.0, true, {}, {}},
    };
    for (const Case& c : cases) {
        ScriptedRandom random;  // an unscripted draw fails the test
        for (const double r : c.numbers)
            random.push(r);
        EXPECT_EQ(PickRandomFiles(random, c.candidates, c.requested, c.repeats), c.expected)
            << c.what;
        EXPECT_EQ(random.left(), 0u) << c.what;
        EXPECT_EQ(PickCount(c.candidates, c.requested, c.repeats), c.expected.size()) << c.what;
    }
}

}  // namespace
}  // namespace tarvello
