#include "lists/ListFile.h"

#include "lists/PathText.h"
#include "platform/NativePlatform.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

namespace tarvello {
namespace {

using Entries = std::vector<std::string>;
using Status = ListFileRead::Status;

const struct { std::string bytes; Entries entries; } kCases[] = {
    {"D:\\A\r\nD:\\B\\\r\n", {"D:\\A", "D:\\B\\"}},  // CR LF after the last line adds nothing
    {"/a\r/b", {"/a", "/b"}},                          // a lone CR; the last line without an end
    {"/a\n/b\n", {"/a", "/b"}},                        // a final LF adds nothing
    {"/a\rb\n\n\r\r\n\r", {"/a", "b"}},                // nor does a blank line, however it ends
    {" /a \r\n\r\n/b", {" /a ", "/b"}},                // blanks kept
    {"\xEF\xBB\xBF/a\r\n\xEF\xBB\xBF/b", {"/a", "\xEF\xBB\xBF/b"}},  // only the leading mark goes
    {"\xEF\xBB", {"\xEF\xBB"}}, {"/caf\xe9 100% a|b\r\n", {"/caf\xe9 100% a|b"}}, {"", {}}, {"\n", {}},
};

TEST(ListFile, cutsLinesAtCrLfCrAndLfWhereverThePiecesEnd) {
    const test::TempDir dir;
    for (const auto& c : kCases) {
        const ListFileRead read = ReadListFile(NativeFileSystem(), dir.write("list.txt", c.bytes));
        EXPECT_EQ(read.status, Status::Read);
        EXPECT_EQ(read.entries, c.entries) << testing::PrintToString(c.bytes);
        for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
            Entries entries;
            ListFileSplitter splitter(entries);
            splitter.feed(std::string_view(c.bytes).substr(0, cut));
            splitter.feed(std::string_view(c.bytes).substr(cut));
            splitter.finish();
            EXPECT_EQ(entries, c.entries) << testing::PrintToString(c.bytes) << " cut at " << cut;
        }
    }
}

// Refused at once and whole: a FIFO with no writer would hang the reading,
// a device that never ends would fill the memory.
TEST(ListFile, onlyARegularTextFileGivesEntries) {
    const test::TempDir dir;
    struct Case { std::string path; Status status; };
    std::vector<Case> cases{
        {dir.path() + "missing.txt", Status::BadCharacters},
        {dir.makeFolder("lists"), Status::NotRegularFile},
        {dir.write("photo.jpg", std::string("/a\n\xFF\xD8\0\x10", 6)), Status::NotText},
        {dir.write("long.txt", "/a\n" + std::string(ListFileSplitter::kLongestEntry + 1, 'a')), Status::NotText},
    };
#ifndef _WIN32
    const std::string fifo = dir.path() + "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    cases.push_back({fifo, Status::NotRegularFile});
    cases.push_back({"/dev/zero", Status::NotRegularFile});
#endif
    for (const auto& c : cases) {
        const ListFileRead read = ReadListFile(NativeFileSystem(), c.path);
        EXPECT_EQ(read.status, c.status) << c.path;
        EXPECT_TRUE(read.entries.empty()) << c.path;
    }
}

// Only a pair of separators collapses, and only the system's own separator
// counts as one.
TEST(FolderEntryFromPicked, collapsesPairsAndEndsWithOneSeparator) {
    const struct { const char* picked; char separator; const char* entry; } cases[] = {
        {R"(C:\)", '\\', R"(C:\)"}, {R"(D:\Music\\Rock)", '\\', R"(D:\Music\Rock\)"},
        {R"(D:\a\\\b)", '\\', R"(D:\a\\b\)"}, {R"(\\server\\share\)", '\\', R"(\\server\share\)"},
        {R"(D:\Music/Rock)", '\\', R"(D:\Music/Rock\)"}, {"/", '/', "/"},
        {"/home//ann/", '/', "/home/ann/"}, {"/odd\\\\name", '/', "/odd\\\\name/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderEntryFromPicked(c.picked, c.separator), c.entry) << c.picked;
}

}  // namespace
}  // namespace tarvello
