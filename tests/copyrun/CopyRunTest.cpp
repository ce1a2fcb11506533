#include "copyrun/CopyRun.h"

#include "platform/posix/PosixFileSystem.h"
#include "support/RecordingServices.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace tarvello {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using Log = std::vector<std::string>;

// The window's progress and pointer, as lines of the shared log. The exact
// values are checked through the real window.
class RecordingDisplay final : public CopyRunDisplay {
public:
    explicit RecordingDisplay(Log& log) : log_(log) {}
    void setProgress(double) override { log_.push_back("progress"); }
    void setBusy(bool isBusy) override { log_.push_back(isBusy ? "busy" : "idle"); }

private:
    Log& log_;
};

// Copies nothing; logs each copy and answers with the outcome set for its
// source, a plain success otherwise.
class FakeFileSystem final : public FileSystem {
public:
    explicit FakeFileSystem(Log& log) : log_(log) {}
    CopyOutcome replaceFile(const std::string& source, const std::string&) override {
        log_.push_back("copy " + source);
        const auto outcome = outcomes.find(source);
        return outcome == outcomes.end() ? CopyOutcome{} : outcome->second;
    }
    void forEachFile(const std::string&, const std::function<void(std::string_view)>&) const override {}
    void forEachEntry(const std::string&, const std::function<void(std::string_view, bool)>&) const override {}
    std::optional<std::string> readFile(const std::string&,
                                        const std::function<void(std::string_view)>&) const override {
        return "not served here";
    }
    std::optional<std::int64_t> modificationTime(const std::string&) const override { return {}; }
    std::optional<std::uint32_t> attributes(const std::string&) const override { return {}; }
    std::string programFolder() const override { return {}; }

    std::map<std::string, CopyOutcome> outcomes;

private:
    Log& log_;
};

std::vector<std::string> Copies(const Log& log) {
    std::vector<std::string> copies;
    std::copy_if(log.begin(), log.end(), std::back_inserter(copies),
                 [](const std::string& line) { return line.starts_with("copy "); });
    return copies;
}

// Every source once, in order, to the one folder.
SharedPlan PlanOf(std::initializer_list<std::string> sources, std::string folder = "/dst/") {
    auto candidates = std::make_shared<CandidateList>();
    std::vector<Pick> picks;
    for (const std::string& source : sources) {
        picks.push_back({candidates->size(), 0});
        candidates->add(source, "");
    }
    return std::make_shared<const Plan>(std::move(candidates), std::vector{std::move(folder)},
                                        std::move(picks), '/');
}

class CopyRunTest : public ::testing::Test {
protected:
    CopyRunTest() {
        events.onYield = [this](int) { log.push_back("yield"); };
        dialogs.onMessage = [this](const std::string&) { log.push_back("message"); };
    }

    Log log;
    FakeFileSystem fs{log};
    test::HookedEventLoop events;
    test::ScriptedDialogs dialogs;
    RecordingDisplay display{log};
    CopyRun run{fs, events, dialogs, display};
};

TEST_F(CopyRunTest, eachEntry_showsProgressAndHourglassAndYieldsBeforeItsCopy) {
    run.start(PlanOf({"a", "b"}));
    EXPECT_THAT(log, ElementsAre("yield",                                           //
                                 "progress", "busy", "yield", "busy", "copy a",     //
                                 "progress", "busy", "yield", "busy", "copy b",     //
                                 "message", "idle", "progress"));
}

TEST_F(CopyRunTest, failures_doNotStopTheRun_andAreReportedInOneMessage) {
    fs.outcomes["b"] = {CopyOutcome::Status::Failed, "No space left on device"};
    fs.outcomes["d"] = {CopyOutcome::Status::SameFile, "source and target are the same file"};
    run.start(PlanOf({"a", "b", "c", "d", "e"}));

    EXPECT_THAT(Copies(log), ElementsAre("copy a", "copy b", "copy c", "copy d", "copy e"));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], StartsWith("Done.\n"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("2 of 5 entries could not be copied"));
}

TEST_F(CopyRunTest, callerDroppingItsPlanDuringAYield_changesNothingForTheRun) {
    SharedPlan shown = PlanOf({"a", "b", "c"});
    const std::weak_ptr<const Plan> started = shown;
    events.onYield = [&](int) { shown = PlanOf({"x"}); };  // "Clear List", then a redraw

    run.start(shown);
    EXPECT_THAT(Copies(log), ElementsAre("copy a", "copy b", "copy c"));
    EXPECT_TRUE(started.expired()) << "the run still holds its plan";
}

TEST(CopyRunOnDisk, laterEntryWins_andAFailedEntryLosesNothing) {
    test::TempDir dir;
    const std::string first = dir.write("first/shared", "first");
    const std::string second = dir.write("second/shared", "second");
    const std::string kept = dir.write("dst/kept", "kept");
    const std::string shared = dir.path() + "dst/shared";
    const SharedPlan plan = PlanOf({first, dir.path() + "src/kept", second}, dir.path() + "dst/");
    PosixFileSystem fs;
    test::HookedEventLoop events;
    test::ScriptedDialogs dialogs;
    Log log;
    RecordingDisplay display{log};

    CopyRun(fs, events, dialogs, display).start(plan);

    EXPECT_EQ(test::ReadBytes(shared), "second");
    EXPECT_EQ(test::ReadBytes(kept), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() + "dst"), {}), 2);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("1 of 3 entries could not be copied"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr(kept + ": " + std::strerror(ENOENT)));
}

}  // namespace
}  // namespace tarvello
