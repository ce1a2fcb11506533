#include "cli/Playlist.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

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
