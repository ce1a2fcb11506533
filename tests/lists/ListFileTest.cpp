#include "lists/ListFile.h"

#include "platform/NativePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

using Entries = std::vector<std::string>;

const struct { std::string bytes; Entries entries; } kCases[] = {
    {"D:\\A\r\nD:\\B\\\r\n", {"D:\\A", "D:\\B\\"}},  // CR LF after the last line adds nothing
    {"/a\r/b", {"/a", "/b"}},                          // a lone CR; the last line without an end
    {"/a\n/b\n", {"/a", "/b", ""}},                    // a final LF adds an empty entry
    {"/a\rb\n", {"/a", "b", ""}}, {"/a\r\r\n", {"/a", ""}},
    {" /a \r\n\r\n/b", {" /a ", "", "/b"}},            // blanks kept, a blank line is an entry
    {"\xEF\xBB\xBF/a\r\n\xEF\xBB\xBF/b", {"/a", "\xEF\xBB\xBF/b"}},  // only the leading mark goes
    {"\xEF\xBB", {"\xEF\xBB"}}, {"/caf\xe9 100% a|b\r\n", {"/caf\xe9 100% a|b"}}, {"", {}},
};

TEST(ListFile, cutsLinesAtCrLfCrAndLfWhereverThePiecesEnd) {
    const test::TempDir dir;
    for (const auto& c : kCases) {
        const ListFileRead read = ReadListFile(NativeFileSystem(), dir.write("list.txt", c.bytes));
        EXPECT_EQ(read.status, ListFileRead::Status::Read);
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

TEST(ListFile, aPathThatCannotBeReadGivesItsReasonAndNoEntries) {
    const test::TempDir dir;
    EXPECT_EQ(ReadListFile(NativeFileSystem(), dir.path() + "missing.txt").status, ListFileRead::Status::BadCharacters);
    const ListFileRead folder = ReadListFile(NativeFileSystem(), dir.makeFolder("lists"));
    EXPECT_EQ(folder.status, ListFileRead::Status::Unreadable);
    EXPECT_EQ(folder.reason, "Is a directory");
    EXPECT_TRUE(folder.entries.empty());
}

}  // namespace
}  // namespace tarvello
