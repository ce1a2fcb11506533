#include "cli/CopyProgressLine.h"

#include "support/EmptyFileSystem.h"
#include "support/RecordingServices.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

class SizedFiles final : public test::EmptyFileSystem {
public:
    std::optional<std::uint64_t> fileSize(const std::string&) const override { return 3 * 1048576; }
};

// The time left is the pace so far over the entries still to come.
TEST(CopyProgressLine, drawsEntriesBytesRateAndTheTimeLeftInHoursMinutesSeconds) {
    const SizedFiles files;
    test::FixedClock clock;
    CopyProgressLine line(files, clock, true, false);
    clock.steady = 3930.5;
    testing::internal::CaptureStderr();
    line.entryDone(0, 3, {"/in/a", "/out/a"}, {});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\r\033[K1 of 3 files, 3.0 MiB, 0.0 MiB/s, 2:11:01 left");
}

}  // namespace
}  // namespace tarvello
