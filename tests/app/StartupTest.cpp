#include "app/Startup.h"

#include "support/RecordingServices.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

using test::FixedClock;
using test::RecordingLauncher;
using test::ScriptedRandom;

TEST(SeedGenerator, opensTheSiteOnlyWhenTheDrawGivesSeven) {
    struct Case {
        double number;
        bool opens;
    };
    for (const Case c : {Case{0.06, true}, Case{0.0699, true}, Case{0.0599, false}, Case{0.07, false},
                         Case{0.0, false}, Case{0.999, false}}) {
        ScriptedRandom random{c.number};
        RecordingLauncher launcher;
        SeedGenerator(random, FixedClock(), launcher, "https://example.invalid/");
        EXPECT_EQ(launcher.opened.size(), c.opens ? 1u : 0u) << "number " << c.number;
    }
}

TEST(SeedGenerator, opensNothingWithoutAnAddress) {
    ScriptedRandom random{0.065};
    RecordingLauncher launcher;
    SeedGenerator(random, FixedClock(), launcher, "");
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_EQ(random.taken, 1);
}

}  // namespace
}  // namespace tarvello
