#include "copyrun/CopyRun.h"

#include "copyrun/CopyReport.h"
#include "platform/PathSeparator.h"
#include "support/EmptyFileSystem.h"
#include "support/RecordingServices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
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
        clock.steady += 0.02;
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
    CopyRun(recorder, recorder.clock)
        .start(recorder,
               std::make_shared<const Plan>(candidates, std::vector<DestinationFolder>{{kDestination}},
                                            std::vector<Pick>{{0, 0}, {1, 0}}),
               recorder);
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

CopyOutcome Failed(std::string reason) { return {CopyOutcome::Status::Failed, std::move(reason)}; }
PlanEntry Entry(std::size_t number) { return {"/src/" + std::to_string(number), "/dst/" + std::to_string(number)}; }

TEST(CopyReport, failuresFlushesAndReplacedCopies_namedAfterDone) {
    CopyReport report;
    report.add(Entry(2), {});
    report.addFlushFailure({"/dst/", "Input/output error"});
    EXPECT_FALSE(report.allCopied());  // a flush failure alone fails the run
    report.add(Entry(1), Failed("No space left on device"));
    report.add(Entry(3), {CopyOutcome::Status::SameFile, "source and target are the same file"});
    report.add(Entry(2), {});
    EXPECT_EQ(report.message(),
              "Done.\n\n2 of 4 entries could not be copied:\n"
              "/src/1 -> /dst/1: No space left on device\n"
              "/src/3 -> /dst/3: source and target are the same file\n\n"
              "The copies in /dst/ could not be written to the device: Input/output error\n\n"
              "1 copy was replaced by a later copy of this run to the same path, so the destination "
              "holds fewer files than the Summary lists.");
}

// Where the folder folds case, names that differ only in case (Latin and
// beyond ASCII too) are one target; the folder is asked once.
TEST(CopyReport, namesDifferingInCaseAreOneTargetWhereTheFolderFoldsCase) {
    const auto native = [](std::string path) {
        std::replace(path.begin(), path.end(), '/', kNativeSeparator);
        return path;
    };
    std::vector<std::string> asked;
    CopyReport report([&](const std::string& folder) {
        asked.push_back(folder);
        return folder == native("/fat/");
    });
    for (const char* target : {"/fat/A.jpg", "/fat/a.JPG", "/fat/Été", "/fat/éTÉ", "/fat/Łódź", "/fat/łÓDŹ", "/fat/ß",
                               "/fat/SS", "/ext/A", "/ext/a"})
        report.add({"/src/x", native(target)}, {});
    EXPECT_EQ(report.replaced(), 3u);
    EXPECT_EQ(asked, (std::vector<std::string>{native("/fat/"), native("/ext/")}));
}

TEST(CopyReport, manyFailures_listsTheFirstAndCountsTheRest) {
    CopyReport report;
    const std::size_t failures = CopyReport::kListed + 3;
    for (std::size_t number = 1; number <= failures + 1; ++number)
        report.add(Entry(number), number <= failures ? Failed("gone") : CopyOutcome{});
    const std::string message = report.message();
    const std::string last = std::to_string(CopyReport::kListed);
    EXPECT_TRUE(message.starts_with("Done.\n\n" + std::to_string(failures) + " of " + std::to_string(failures + 1) +
                                    " entries could not be copied:\n/src/1 -> ")) << message;
    EXPECT_TRUE(message.ends_with("/src/" + last + " -> /dst/" + last + ": gone\nand 3 more.")) << message;
}

}  // namespace
}  // namespace tarvello
