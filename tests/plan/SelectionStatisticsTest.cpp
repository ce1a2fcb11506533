#include "plan/BuildPlan.h"

#include "plan/FakeFolders.h"
#include "platform/system/MersenneRandomSource.h"
#include "support/PlanEntries.h"

#include <gtest/gtest.h>

#include <map>

namespace tarvello {
namespace {

// A folder of 3 files listed with one of 97: a draw that chose a folder
// first and then a file in it would favour the small folder's files.
std::vector<std::string> NumberedFiles(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(std::to_string(i));
    return names;
}

TEST(SelectionStatistics, EveryFileIsPickedAboutEquallyOften) {
    const test::FakeFolders fs({{"/small/", NumberedFiles(3)}, {"/large/", NumberedFiles(97)}});
    const std::vector<std::string> sources{"/small", "/large"};
    const std::vector<std::string> destinations{"/out"};
    struct Case {
        double requested;
        bool repeats;
        int plans;
    };
    // 100,000 picks either way: one long plan with repeats, many short ones without.
    for (const Case& c : {Case{100'000.0, true, 1}, Case{10.0, false, 10'000}}) {
        MersenneRandomSource random;
        random.seed(20240611.0);
        std::map<std::string, double> counts;
        for (int round = 0; round < c.plans; ++round) {
            const auto plan =
                BuildPlan(fs, random, {sources, destinations, c.requested, c.repeats}, '/');
            for (const PlanEntry& entry : test::EntriesOf(plan.value()))
                counts[entry.source] += 1.0;
        }
        ASSERT_EQ(counts.size(), 100u);
        const double expected = 100'000.0 / 100.0;
        double chiSquare = 0.0;
        for (const auto& [path, count] : counts)
            chiSquare += (count - expected) * (count - expected) / expected;
        // With 99 degrees of freedom the statistic has mean 99 and deviation
        // 14; 200 lies seven deviations out, while a folder-first draw scores
        // in the thousands.
        EXPECT_LT(chiSquare, 200.0) << (c.repeats ? "with repeats" : "without repeats");
    }
}

}  // namespace
}  // namespace tarvello
