#include "app/Startup.h"

#include "support/RecordingServices.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvello {
namespace {

using test::FixedClock;
using test::RecordingLauncher;
using test::ScriptedRandom;

TEST(SeedGenerator, opensTheSiteOnlyWhenTheDrawGivesSeven) {
    struct Case {
        double number;
        const char* address;
        bool opens;
    };
    for (const Case c : {Case{0.06, "https://example.invalid/", true}, Case{0.0699, "https://example.invalid/", true},
                         Case{0.0599, "https://example.invalid/", false}, Case{0.07, "https://example.invalid/", false},
                         Case{0.0, "https://example.invalid/", false}, Case{0.065, "", false}}) {
        ScriptedRandom random{c.number};
        RecordingLauncher launcher;
        SeedGenerator(random, FixedClock(), launcher, c.address);
        EXPECT_EQ(launcher.opened.size(), c.opens ? 1u : 0u) << "number " << c.number << " to " << c.address;
        EXPECT_EQ(random.taken, 1);
    }
}

}  // namespace
}  // namespace tarvello
