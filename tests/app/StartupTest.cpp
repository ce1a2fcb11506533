#include "app/Startup.h"

#include "support/RecordingServices.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <map>

namespace tarvello {
namespace {

using test::FixedClock;
using test::RecordingLauncher;
using test::ScriptedRandom;

class MemorySettings final : public SettingsStore {
public:
    std::string read(const std::string& section, const std::string& key,
                     const std::string& fallback) const override {
        const auto found = values.find(section + "/" + key);
        return found == values.end() ? fallback : found->second;
    }
    void save(const std::string& section, const std::string& key, const std::string& value) override {
        values[section + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

TEST(SeedGenerator, seedsOnceFromTheTimeOfDayAndDrawsOneNumber) {
    ScriptedRandom random{0.5};
    RecordingLauncher launcher;
    SeedGenerator(random, FixedClock(45296.25), launcher, "https://example.invalid/");
    EXPECT_EQ(random.seedCount, 1);
    EXPECT_DOUBLE_EQ(random.lastSeed, 45296.25);
    EXPECT_EQ(random.taken, 1);
    EXPECT_TRUE(launcher.opened.empty());
}

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

TEST(CountSetting, defaultsToOneHundredAndReadsWhatWasStored) {
    MemorySettings settings;
    EXPECT_EQ(LoadCount(settings), "100");
    settings.values["Tarvello/Text1"] = "250";
    EXPECT_EQ(LoadCount(settings), "250");
}

TEST(CountSetting, savesPositiveTextsUnchangedAndNothingElse) {
    MemorySettings settings;
    for (const char* text : {"0", "-5", "", "abc", "1e999"})
        EXPECT_FALSE(SaveCountIfPositive(settings, text)) << text;
    EXPECT_TRUE(settings.values.empty());

    for (const char* text : {"007", "12abc", "&H10", "0.5"}) {
        EXPECT_TRUE(SaveCountIfPositive(settings, text));
        EXPECT_EQ(settings.values["Tarvello/Text1"], text);
    }
}

}  // namespace
}  // namespace tarvello
