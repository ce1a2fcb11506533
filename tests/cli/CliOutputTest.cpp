#include "cli/CopyProgressLine.h"

#include "cli/Playlist.h"
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
    CopyProgressLine line(files, clock, true, false, [&] { return columns; });
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

// Each copy below the playlist's folder once, relative to it; copies
// elsewhere are not its business; a name no line can hold is named instead,
// and under ".m3u8" so is one that is not UTF-8.
TEST(MakePlaylist, namesEachCopyBelowItsFolderOnceRelativeToIt) {
    const std::vector<std::string> targets{"/stick/Music/a.mp3", "/other/b.mp3", "/stick/Music/a.mp3",
                                           "/stickier/c.mp3",    "/stick/#1.mp3", "/stick/x\ny.mp3",
                                           "/stick/x\ry.mp3",    "/stick/\xff.mp3"};
    for (const bool utf8 : {false, true}) {
        const Playlist playlist = MakePlaylist(utf8 ? "/stick/list.M3U8" : "/stick/list.m3u", targets, '/');
        EXPECT_EQ(playlist.text, std::string("#EXTM3U\nMusic/a.mp3\n./#1.mp3\n") + (utf8 ? "" : "\xff.mp3\n"));
        std::vector<std::string> leftOut;
        for (const LeftOutOfPlaylist& left : playlist.leftOut)
            leftOut.push_back(left.target);
        EXPECT_EQ(leftOut.size(), utf8 ? 3U : 2U);
        EXPECT_EQ(leftOut.back(), utf8 ? "/stick/\xff.mp3" : "/stick/x\ry.mp3");
    }
    // Windows paths give "/" lines too; elsewhere a "\\" is part of a name.
    EXPECT_EQ(MakePlaylist("E:\\list.m3u", {"E:\\Music\\a.mp3"}, '\\').text, "#EXTM3U\nMusic/a.mp3\n");
    EXPECT_EQ(MakePlaylist("/list.m3u", {"/Music\\a.mp3"}, '/').text, "#EXTM3U\nMusic\\a.mp3\n");
}

}  // namespace
}  // namespace tarvello
