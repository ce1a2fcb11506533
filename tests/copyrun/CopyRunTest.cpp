#include "copyrun/CopyRun.h"

#include "platform/posix/PosixFileSystem.h"
#include "support/EmptyFileSystem.h"
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

// The window's progress and pointer, as lines of the shared log, and its
// closing message. The exact values are checked through the real window.
class RecordingDisplay final : public CopyRunObserver {
public:
    RecordingDisplay(Log& log, Dialogs& dialogs) : log_(log), dialogs_(dialogs) {}
    void setProgress(double) override { log_.push_back("progress"); }
    void setBusy(bool isBusy) override { log_.push_back(isBusy ? "busy" : "idle"); }
    void finished(const CopyReport& report) override { dialogs_.showMessage(report.message()); }

private:
    Log& log_;
    Dialogs& dialogs_;
};

// Copies nothing; logs each copy, reports the pieces set for its source
// (each taking 15 ms of the clock) and answers with the outcome set for it,
// a plain success otherwise. The flush logs its folders and waits once.
class FakeFileSystem final : public test::EmptyFileSystem {
public:
    FakeFileSystem(Log& log, test::FixedClock& clock) : log_(log), clock_(clock) {}
    CopyOutcome replaceFile(const std::string& source, const std::string&,
                            const CopyProgress& progress) override {
        log_.push_back("copy " + source);
        for (int piece = 0; piece < pieces[source]; ++piece) {
            clock_.steady += 0.015;
            progress();
        }
        const auto outcome = outcomes.find(source);
        return outcome == outcomes.end() ? CopyOutcome{} : outcome->second;
    }
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override {
        for (const std::string& folder : folders)
            log_.push_back("flush " + folder);
        whileWaiting();
        return flushFailures;
    }

    std::map<std::string, CopyOutcome> outcomes;
    std::map<std::string, int> pieces;
    std::vector<FlushFailure> flushFailures;

private:
    Log& log_;
    test::FixedClock& clock_;
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
    test::FixedClock clock;
    FakeFileSystem fs{log, clock};
    test::HookedEventLoop events;
    test::ScriptedDialogs dialogs;
    RecordingDisplay display{log, dialogs};
    CopyRun run{fs, events, display, clock};
};

TEST_F(CopyRunTest, yieldsBeforeEachEntryAndEvery20msInsideOne_thenFlushesBeforeTheMessage) {
    fs.pieces["b"] = 5;  // 15 ms each: a yield after the 2nd and the 4th
    run.start(PlanOf({"a", "b"}));
    EXPECT_THAT(log, ElementsAre("yield",                                                        //
                                 "progress", "busy", "yield", "busy", "copy a",                  //
                                 "progress", "busy", "yield", "busy", "copy b",                  //
                                 "yield", "busy", "yield", "busy",                               //
                                 "flush /dst/", "yield", "busy", "message", "idle", "progress"));
}

TEST_F(CopyRunTest, failedCopiesAndFlushes_doNotStopTheRun_andAreReportedInOneMessage) {
    fs.outcomes["b"] = {CopyOutcome::Status::Failed, "No space left on device"};
    fs.outcomes["d"] = {CopyOutcome::Status::SameFile, "source and target are the same file"};
    fs.flushFailures = {{"/dst/", "Input/output error"}};
    run.start(PlanOf({"a", "b", "c", "d", "e"}));

    EXPECT_THAT(Copies(log), ElementsAre("copy a", "copy b", "copy c", "copy d", "copy e"));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], StartsWith("Done.\n"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("2 of 5 entries could not be copied"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("/dst/ could not be written to the device: Input/output error"));
}

TEST(CopyRunOnDisk, laterEntryWins_andAFailedEntryLosesNothing) {
    test::TempDir dir;
    const std::string first = dir.write("first/shared", "first");
    const std::string second = dir.write("second/shared", "second");
    const std::string kept = dir.write("dst/kept", "kept");
    const std::string shared = dir.path() + "dst/shared";
    const SharedPlan plan = PlanOf({first, dir.path() + "src/kept", second}, dir.path() + "dst/");
    PosixFileSystem fs;
    test::FixedClock clock;
    test::HookedEventLoop events;
    test::ScriptedDialogs dialogs;
    Log log;
    RecordingDisplay display{log, dialogs};

    CopyRun(fs, events, display, clock).start(plan);

    EXPECT_EQ(test::ReadBytes(shared), "second");
    EXPECT_EQ(test::ReadBytes(kept), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() + "dst"), {}), 2);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("1 of 3 entries could not be copied"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr(kept + ": " + std::strerror(ENOENT)));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("1 copy was replaced by a later copy of this run"));
}

}  // namespace
}  // namespace tarvello
