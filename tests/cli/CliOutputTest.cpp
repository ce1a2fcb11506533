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

// The line moves inside a file, the time left is the pace so far over the
// bytes still to come, and the line never reaches the terminal's last column.
TEST(CopyProgressLine, redrawsInsideAFileWithBytesRateAndTimeLeftCutToTheWidth) {
    const SizedFiles files;
    test::FixedClock clock;
    int columns = 0;
    CopyProgressLine line(files, clock, true, [&] { return columns; });
    line.setPlannedBytes(4 * 1048576);
    clock.steady = 3.0;
    testing::internal::CaptureStderr();
    line.entryProgress(0, 2, 1048576);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\r\033[K0 of 2 files, 1.0 MiB, 0.3 MiB/s, 0:00:09 left");
    clock.steady = 3.1;  // too soon for another redraw
    testing::internal::CaptureStderr();
    line.entryProgress(0, 2, 2 * 1048576);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    columns = 12;
    clock.steady = 3930.5;
    testing::internal::CaptureStderr();
    line.entryDone(0, 2, {"/in/a", "/out/a"}, {});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\r\033[K1 of 2 file");
}

}  // namespace
}  // namespace tarvello
