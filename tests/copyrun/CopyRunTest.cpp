#include "copyrun/CopyRun.h"

#include "support/EmptyFileSystem.h"
#include "support/RecordingServices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tarvello {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Log = std::vector<std::string>;

// The window's progress, pointer and closing message, as lines of the
// shared log. The exact values are checked through the real window.
class RecordingDisplay final : public CopyRunObserver {
public:
    explicit RecordingDisplay(Log& log) : log_(log) {}
    void setProgress(double) override { log_.push_back("progress"); }
    void setBusy(bool isBusy) override { log_.push_back(isBusy ? "busy" : "idle"); }
    void finished(const CopyReport& report) override {
        log_.push_back("message");
        message = report.message();
    }
    std::string message;

private:
    Log& log_;
};

// Copies nothing; logs each copy, reports the pieces set for its source
// (each taking 15 ms of the clock) and answers with the outcome set for it,
// a plain success otherwise. The flush logs its folders and waits once.
class FakeFileSystem final : public test::EmptyFileSystem {
public:
    FakeFileSystem(Log& log, test::FixedClock& clock) : log_(log), clock_(clock) {}
    CopyOutcome replaceFile(const std::string& source, const std::string&, const CopyProgress& progress) override {
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

// Every source once, in order, to one folder.
SharedPlan PlanOf(std::initializer_list<std::string> sources) {
    auto candidates = std::make_shared<CandidateList>();
    std::vector<Pick> picks;
    for (const std::string& source : sources) {
        picks.push_back({candidates->size(), 0});
        candidates->add(source, "");
    }
    return std::make_shared<const Plan>(std::move(candidates), std::vector<std::string>{"/dst/"}, std::move(picks), '/');
}

// A failed copy or flush does not stop the run; both are named in the one
// closing message.
TEST(CopyRun, yieldsBeforeEachEntryAndEvery20msInsideOne_thenFlushesBeforeTheMessage) {
    Log log;
    test::FixedClock clock;
    FakeFileSystem fs{log, clock};
    test::HookedEventLoop events;
    events.onYield = [&](int) { log.push_back("yield"); };
    RecordingDisplay display{log};
    fs.outcomes["a"] = {CopyOutcome::Status::Failed, "No space left on device"};
    fs.pieces["b"] = 5;  // 15 ms each: a yield after the 2nd and the 4th
    fs.flushFailures = {{"/dst/", "Input/output error"}};

    CopyRun(fs, events, display, clock).start(PlanOf({"a", "b"}));
    EXPECT_THAT(log, ElementsAre("yield",                                                        //
                                 "progress", "busy", "yield", "busy", "copy a",                  //
                                 "progress", "busy", "yield", "busy", "copy b",                  //
                                 "yield", "busy", "yield", "busy",                               //
                                 "flush /dst/", "yield", "busy", "message", "idle", "progress"));
    EXPECT_THAT(display.message, HasSubstr("a -> /dst/a: No space left on device"));
    EXPECT_THAT(display.message, HasSubstr("/dst/ could not be written to the device: Input/output error"));
}

}  // namespace
}  // namespace tarvello
