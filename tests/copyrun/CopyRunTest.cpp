#include "copyrun/CopyRun.h"

#include "platform/PathSeparator.h"
#include "support/EmptyFileSystem.h"
#include "support/RecordingServices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace tarvello {
namespace {

using ::testing::ElementsAre;

const std::string kDestination = std::string(1, kNativeSeparator) + "dst" + kNativeSeparator;

// The disk, the event loop and the window in one log (the window's values are
// checked through the real window). A copy copies nothing: it reports the pieces
// set for its source, 15 ms of the clock each, and answers the outcome set for it.
struct Recorder final : test::EmptyFileSystem, EventLoop, CopyRunObserver {
    CopyOutcome replaceFile(const std::string& source, const std::string&, const CopyProgress& progress) override {
        log.push_back("copy " + source);
        for (int piece = 0; piece < pieces[source]; ++piece) {
            clock.steady += 0.015;
            progress(static_cast<std::uint64_t>(piece + 1) << 20);
        }
        return outcomes[source];
    }
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override {
        for (const std::string& folder : folders)
            log.push_back("flush " + folder);
        whileWaiting();
        return {{kDestination, "Input/output error"}};
    }
    void yield() override { log.push_back("yield"); }
    void setProgress(double) override { log.push_back("progress"); }
    void setBusy(bool isBusy) override { log.push_back(isBusy ? "busy" : "idle"); }
    void finished(const CopyReport& report) override { log.push_back(report.message()); }

    std::vector<std::string> log;
    test::FixedClock clock;
    std::map<std::string, CopyOutcome> outcomes;
    std::map<std::string, int> pieces;
};

// A failed copy or flush does not stop the run; both are named in the one
// closing message.
TEST(CopyRun, yieldsBeforeEachEntryAndEvery20msInsideOne_thenFlushesBeforeTheMessage) {
    auto candidates = std::make_shared<CandidateList>();
    candidates->add("a", "");
    candidates->add("b", "");
    Recorder recorder;
    recorder.outcomes["a"] = {CopyOutcome::Status::Failed, "No space left on device"};
    recorder.pieces["b"] = 5;  // a yield after the 2nd and the 4th
    CopyRun(recorder, recorder, recorder, recorder.clock)
        .start(std::make_shared<const Plan>(candidates, std::vector<std::string>{kDestination},
                                            std::vector<Pick>{{0, 0}, {1, 0}}));
    EXPECT_THAT(recorder.log, ElementsAre("yield",                                                        //
                                          "progress", "busy", "yield", "busy", "copy a",                  //
                                          "progress", "busy", "yield", "busy", "copy b",                  //
                                          "yield", "busy", "yield", "busy",                               //
                                          "flush " + kDestination, "yield", "busy",                       //
                                          "Done.\n\n1 of 2 entries could not be copied:\na -> " + kDestination +
                                              "a: No space left on device\n\nThe copies in " + kDestination +
                                              " could not be written to the device: Input/output error",
                                          "idle", "progress"));
}

}  // namespace
}  // namespace tarvello
