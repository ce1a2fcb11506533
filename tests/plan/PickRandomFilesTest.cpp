#include "plan/BuildPlan.h"
#include "plan/NumberedName.h"
#include "plan/PickRandomFiles.h"

#include "plan/FakeFolders.h"
#include "platform/system/MersenneRandomSource.h"
#include "support/PlanEntries.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numeric>

namespace tarvello {
namespace {

using test::ScriptedRandom;
using Picks = std::vector<Pick>;

const double kJustBelowOne = std::nextafter(1.0, 0.0);

TEST(PickRandomFiles, drawsTheWholePartOfTheCountFromIndicesBelowTheCandidates) {
    constexpr std::size_t kMost = std::numeric_limits<std::size_t>::max();
    const std::pair<double, std::size_t> counts[] = {
        {0.5, 0}, {-3.0, 0}, {std::nan(""), 0}, {1.0, 1}, {2.9, 2}, {3.0, 3}, {1e300, kMost}, {INFINITY, kMost},
    };
    for (const auto& [requested, draws] : counts)
        EXPECT_EQ(DrawCount(requested), draws) << "N = " << requested;
    EXPECT_EQ(DrawnIndex(0.5, 3), 1u);
    EXPECT_EQ(DrawnIndex(kJustBelowOne, 1'000'001), 1'000'000u);
    EXPECT_EQ(DrawnIndex(1.0, 3), 2u);  // single-precision generators round up to 1.0 now and then
}

TEST(PickRandomFiles, drawsExactlyTheScriptedPicks) {
    const struct {
        const char* what;
        std::size_t candidates;
        double requested;
        bool repeats;
        std::vector<double> numbers;
        Picks expected;
    } cases[] = {
        {"N = 2.9 draws two", 3, 2.9, false, {0.0, 0.0}, {{0, 0}, {1, 0}}},
        {"repeats count per candidate", 3, 5.0, true, {0.1, 0.7, 0.0, 0.9, 0.05},
         {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}}},
        {"N > F without repeats takes all, drawing nothing", 3, 3.5, false, {}, {{0, 0}, {1, 0}, {2, 0}}},
        {"N below 1", 3, 0.5, true, {}, {}},
        {"no candidates", 0, 4.0, true, {}, {}},
    };
    for (const auto& c : cases) {
        ScriptedRandom random;  // an unscripted draw fails the test
        random.numbers.assign(c.numbers.begin(), c.numbers.end());
        EXPECT_EQ(PickRandomFiles(random, c.candidates, c.requested, c.repeats), c.expected) << c.what;
        EXPECT_TRUE(random.numbers.empty()) << c.what;
        EXPECT_EQ(PickCount(c.candidates, c.requested, c.repeats), c.expected.size()) << c.what;
    }
}

// The pool as a plain vector of positions, erased from: slow but plainly
// right, and what the fast pool must agree with number for number, the
// edges 0 and the largest number below 1 mixed in.
TEST(PickRandomFiles, withoutRepeatsAgreesWithAVectorErasePool) {
    MersenneRandomSource uniform;
    uniform.seed(3.0);
    for (const std::size_t size : {1, 2, 3, 7, 8, 9, 63, 64, 65, 1023, 1024, 1025, 5000}) {
        for (int round = 0; round < 25; ++round) {
            std::vector<std::size_t> pool(size);
            std::iota(pool.begin(), pool.end(), std::size_t{0});
            ScriptedRandom random;
            Picks expected;
            const std::size_t draws = round % 2 == 0 ? size : (size + 1) / 2;
            for (std::size_t i = 0; i < draws; ++i) {
                double r = uniform.next();
                r = r < 0.1 ? kJustBelowOne : r < 0.15 ? 0.0 : r;
                random.numbers.push_back(r);
                const auto position = pool.begin() + static_cast<std::ptrdiff_t>(DrawnIndex(r, pool.size()));
                expected.push_back({*position, 0});
                pool.erase(position);
            }
            ASSERT_EQ(PickRandomFiles(random, size, static_cast<double>(draws), false), expected)
                << size << " candidates, round " << round;
        }
    }
}

// A folder of 3 files listed with one of 97: a draw that chose a folder
// first and then a file in it would favour the small folder's files.
TEST(PickRandomFiles, everyFileIsPickedAboutEquallyOften) {
    std::vector<std::string> small{"0", "1", "2"}, large;
    for (int i = 3; i < 100; ++i)
        large.push_back(std::to_string(i));
    const test::FakeFolders fs({{"/small/", small}, {"/large/", large}});
    const std::vector<std::string> sources{"/small", "/large"};
    const std::vector<std::string> destinations{"/out"};
    // 100,000 picks either way: one long plan with repeats, many short ones without.
    for (const auto& [requested, repeats, plans] : {std::tuple{100'000.0, true, 1}, {10.0, false, 10'000}}) {
        MersenneRandomSource random;
        random.seed(20240611.0);
        std::map<std::string, double> counts;
        for (int round = 0; round < plans; ++round)
            for (const PlanEntry& entry : test::EntriesOf(*BuildPlan(fs, random, {sources, destinations, requested, repeats}, '/')))
                counts[entry.source] += 1.0;
        ASSERT_EQ(counts.size(), 100u);
        double chiSquare = 0.0;
        for (const auto& [path, count] : counts)
            chiSquare += (count - 1000.0) * (count - 1000.0) / 1000.0;
        // With 99 degrees of freedom the statistic has mean 99 and deviation
        // 14; 200 lies seven deviations out, a folder-first draw in the thousands.
        EXPECT_LT(chiSquare, 200.0) << (repeats ? "with repeats" : "without repeats");
    }
}

TEST(NumberedName, putsTheRepeatBeforeTheLastDotOrAtTheEnd) {
    const std::tuple<const char*, std::size_t, const char*> cases[] = {
        {"a.jpg", 0, "a.jpg"}, {"a.jpg", 12, "a12.jpg"}, {"archive.tar.gz", 1, "archive.tar1.gz"},
        {".profile", 1, "1.profile"}, {"README", 2, "README2"}, {"100%", 1, "100%1"}, {"dot.", 3, "dot3."},
    };
    for (const auto& [name, repeat, numbered] : cases)
        EXPECT_EQ(NumberedName(name, repeat), numbered) << name << " repeat " << repeat;
}

}  // namespace
}  // namespace tarvello
