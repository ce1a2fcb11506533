#include "copyrun/CopyReport.h"

#include "platform/PathSeparator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvello {
namespace {

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
    for (const char* target : {"/fat/A.jpg", "/fat/a.JPG", "/fat/Été", "/fat/éTÉ", "/fat/ß", "/fat/SS", "/ext/A", "/ext/a"})
        report.add({"/src/x", native(target)}, {});
    EXPECT_EQ(report.replaced(), 2u);
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
