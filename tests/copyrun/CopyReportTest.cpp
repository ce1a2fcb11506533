#include "copyrun/CopyReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvello {
namespace {

const CopyOutcome kCopied{CopyOutcome::Status::Copied, {}};

CopyOutcome Failed(std::string reason) {
    return {CopyOutcome::Status::Failed, std::move(reason)};
}

PlanEntry Entry(int number) {
    return {"/src/" + std::to_string(number), "/dst/" + std::to_string(number)};
}

TEST(CopyReport, failuresFlushesAndReplacedCopies_namedAfterDone) {
    CopyReport report;
    report.add(Entry(1), Failed("No space left on device"));
    report.add(Entry(2), kCopied);
    report.add(Entry(3), {CopyOutcome::Status::SameFile, "source and target are the same file"});
    report.add(Entry(2), kCopied);
    report.addFlushFailure({"/dst/", "Input/output error"});
    EXPECT_EQ(report.message(),
              "Done.\n\n2 of 4 entries could not be copied:\n"
              "/src/1 -> /dst/1: No space left on device\n"
              "/src/3 -> /dst/3: source and target are the same file\n\n"
              "The copies in /dst/ could not be written to the device: Input/output error\n\n"
              "1 copy was replaced by a later copy of this run to the same path, so the destination "
              "holds fewer files than the Summary lists.");
}

TEST(CopyReport, manyFailures_listsTheFirstAndCountsTheRest) {
    CopyReport report;
    const int failures = static_cast<int>(CopyReport::kListed) + 3;
    for (int number = 1; number <= failures; ++number)
        report.add(Entry(number), Failed("gone"));
    report.add(Entry(failures + 1), kCopied);

    const std::string message = report.message();
    EXPECT_NE(message.find(std::to_string(failures) + " of " + std::to_string(failures + 1) + " entries"),
              std::string::npos);
    const std::string last = std::to_string(CopyReport::kListed);
    EXPECT_NE(message.find("/src/" + last + " -> /dst/" + last + ": gone"), std::string::npos);
    EXPECT_EQ(message.find("/src/" + std::to_string(CopyReport::kListed + 1) + " "), std::string::npos);
    EXPECT_TRUE(message.ends_with("\nand 3 more.")) << message;
}

}  // namespace
}  // namespace tarvello
