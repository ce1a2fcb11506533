#include "run/CountText.h"
#include "run/Playlist.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarvello {
namespace {

// Blanks anywhere are ignored, "&H" and "&O" prefix hexadecimal and octal,
// and what cannot be read, or lies beyond a double, reads 0.
TEST(CountText, readsTheLeadingNumber) {
    const std::pair<std::string, double> cases[] = {
        {"100", 100}, {"007", 7}, {"12abc", 12}, {"-5", -5}, {"+5", 5}, {"2.9", 2.9}, {".5", 0.5},
        {"5.", 5}, {"1.2.3", 1.2}, {"1e3", 1000}, {"1E+2", 100}, {"25e-1", 2.5}, {"1e", 1}, {"1e+", 1},
        {"3,5", 3}, {"  42", 42}, {"1 2", 12}, {"\t1\n2 3", 123}, {"- 5", -5}, {"1 . 5", 1.5},
        {"1 e 2", 100}, {"12 abc 3", 12}, {"&H10", 16}, {"&h1f", 31}, {"&HFFz", 255}, {"&O17", 15},
        {"&o8", 0}, {"&H", 0}, {"&X1", 0}, {"& H 1 0", 16}, {"", 0}, {"   ", 0}, {"abc", 0}, {"-", 0},
        {".", 0}, {"e5", 0}, {"\r5", 0}, {"Text1", 0}, {"1e999", 0}, {"-1e999", 0},
        {"&H" + std::string(300, 'F'), 0}, {std::string(400, '9'), 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(ReadCount(text), expected) << '"' << text << '"';
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
