#include "app/Startup.h"

#include "app/CountText.h"
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

// Blanks anywhere are ignored, "&H" and "&O" prefix hexadecimal and octal,
// and what cannot be read, or lies beyond a double, reads 0.
TEST(CountText, readsTheLeadingNumber) {
    const std::pair<std::string, double> cases[] = {
        {"100", 100}, {"007", 7}, {"12abc", 12}, {"-5", -5}, {"+5", 5}, {"2.9", 2.9}, {".5", 0.5},
        {"5.", 5}, {"1.2.3", 1.2}, {"1e3", 1000}, {"1E+2", 100}, {"25e-1", 2.5}, {"1e", 1}, {"1e+", 1},
        {"3,5", 3}, {"  42", 42}, {"1 2", 12}, {"\t1\n2 3", 123}, {"- 5", -5}, {"1 . 5", 1.5},
        {"1 e 2", 100}, {"12 abc 3", 12}, {"&H10", 16}, {"&h1f", 31}, {"&HFFz", 255}, {"&O17", 15},
        {"&o8", 0}, {"&H", 0}, {"&X1", 0}, {"& H 1 0", 16}, {"", 0}, {"   ", 0}, {"abc", 0}, {"-", 0},
        {".", 0}, {"e5", 0}, {"\r5", 0}, {"Text1", 0}, {"1e999", 0}, {"-1e999", 0},
        {"&H" + std::string(300, 'F'), 0}, {std::string(400, '9'), 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(ReadCount(text), expected) << '"' << text << '"';
}

}  // namespace
}  // namespace tarvello
