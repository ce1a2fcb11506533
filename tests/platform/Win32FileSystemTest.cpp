#include "platform/win32/WidePath.h"
#include "platform/win32/Win32FileSystem.h"

#include "support/TempDir.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace tarvello {
namespace {

using Status = CopyOutcome::Status;
using Entries = std::vector<std::pair<std::string, bool>>;

std::wstring Wide(const std::string& path) { return WideFromUtf8(path).value(); }
DWORD Attributes(const std::string& path) { return GetFileAttributesW(ApiPath(path)->c_str()); }

// Every name in a folder, hidden ones too, through the wide calls: the C
// runtime's listing stops at MAX_PATH.
std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(ApiPath(folder + "\\*")->c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
        if (found.cFileName != std::wstring_view(L".") && found.cFileName != std::wstring_view(L".."))
            names.insert(Utf8FromWide(found.cFileName));
    FindClose(find);
    return names;
}

Entries EntriesOf(const std::string& folder) {
    Entries entries;
    Win32FileSystem().forEachEntry(folder, [&](std::string_view name, bool isFolder) { entries.emplace_back(name, isFolder); });
    return entries;
}

TEST(WidePath, convertsEveryNameBothWaysAndRefusesBytesThatNameNothing) {
    const struct { std::string bytes; std::optional<std::wstring> wide; } cases[] = {
        {"caf\xc3\xa9 \xe2\x82\xac", L"caf\u00e9 \u20ac"}, {"\xf0\x9d\x84\x9e", L"\U0001D11E"},
        {"\xed\xa0\x80.txt", std::wstring{wchar_t(0xD800)} + L".txt"},  // an unpaired surrogate
        {"\xff", std::nullopt}, {"\xc0\xaf", std::nullopt}, {std::string("a\0b", 3), std::nullopt},
        {"\xed\xa0\x80\xed\xb0\x80", std::nullopt},  // a pair spelt as two halves
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WideFromUtf8(c.bytes), c.wide) << testing::PrintToString(c.bytes);
        if (c.wide)
            EXPECT_EQ(Utf8FromWide(*c.wide), c.bytes);
    }
    const std::string f(250, 'f');
    const std::pair<std::string, std::wstring> longPaths[] = {
        {"C:\\" + f + "\\x\\..\\a", L"\\\\?\\C:\\" + Wide(f) + L"\\a"}, {"C:/" + f + "/a", L"\\\\?\\C:\\" + Wide(f) + L"\\a"},
        {"\\\\server\\share\\" + f, L"\\\\?\\UNC\\server\\share\\" + Wide(f)}, {"C:\\short\\a", L"C:\\short\\a"},
    };
    for (const auto& [path, api] : longPaths)
        EXPECT_EQ(ApiPath(path), api) << path;
    const test::TempDir dir;
    if (CreateDirectoryW(Wide(dir.path() + f).c_str(), nullptr))
        GTEST_SKIP() << "this system does not enforce MAX_PATH (Wine 8 does not): copies past it need no prefix here";
}

// Hidden means the hidden or the system attribute; only a folder is one
// to walk into, and a folder is listed alike with or without a final "\".
TEST(Win32FileSystem, listsVisibleFilesAndWalksRealFoldersOnly) {
    const test::TempDir dir;
    for (const char* name : {"a.jpg", "caf\xc3\xa9 100%.txt", "hidden", "system", "sub/inner.jpg"})
        dir.write(name);
    SetFileAttributesW(Wide(dir.pathOf("hidden")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Wide(dir.pathOf("system")).c_str(), FILE_ATTRIBUTE_SYSTEM);
    if ((Attributes(dir.pathOf("hidden")) & FILE_ATTRIBUTE_HIDDEN) == 0)
        GTEST_SKIP() << "Wine keeps no hidden attribute on this file system (it needs extended attributes)";
    for (const std::string& folder : {dir.path(), dir.path().substr(0, dir.path().size() - 1)}) {
        std::vector<std::string> files;
        Win32FileSystem().forEachFile(folder, [&](std::string_view name) { files.emplace_back(name); });
        EXPECT_THAT(files, testing::UnorderedElementsAre("a.jpg", "caf\xc3\xa9 100%.txt")) << folder;
    }
    EXPECT_THAT(EntriesOf(dir.path()),
                testing::UnorderedElementsAreArray(Entries{{"a.jpg", false}, {"caf\xc3\xa9 100%.txt", false}, {"sub", true}}));
}

// Wine 8 makes no names with an unpaired surrogate and only pretends to
// make links: what it cannot make is left out, and said so.
TEST(Win32FileSystem, listsWtf8NamesAndDoesNotWalkLinksToFolders) {
    const test::TempDir dir;
    const std::string odd = dir.makeFolder("sub") + "\\\xed\xa0\x80.txt";
    CloseHandle(CreateFileW(Wide(odd).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    CreateSymbolicLinkW(Wide(dir.pathOf("sub/link")).c_str(), Wide(dir.path()).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    Entries expected;
    for (const std::string& name : {std::string("\xed\xa0\x80.txt"), std::string("link")})
        if (Attributes(dir.pathOf("sub/" + name)) != INVALID_FILE_ATTRIBUTES)
            expected.emplace_back(name, false);
    EXPECT_THAT(EntriesOf(dir.pathOf("sub")), testing::UnorderedElementsAreArray(expected));
    if (expected.size() < 2)
        GTEST_SKIP() << "this system could not make a name with an unpaired surrogate or a link to a folder";
}

// A new target, one whose name leaves no room for a whole hidden name
// beside it, a read-only and hidden one, one past MAX_PATH: each ends with
// the source's bytes and time, visible, and the copy in the making is
// hidden beside the target, and only then there.
TEST(Win32FileSystem, copiesInPiecesOverAnyTargetThroughAHiddenTemporary) {
    const test::TempDir dir;
    std::string bytes(2 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7919) >> 8);
    const std::string source = dir.write("src/a", bytes);
    const std::string old = dir.write("dst/old", "old");
    SetFileAttributesW(Wide(old).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const std::string deep = dir.makeFolder(std::string(120, 'd') + "/" + std::string(120, 'e'));
    for (const std::string& target : {dir.pathOf("dst/new"), dir.pathOf("dst/" + std::string(250, 'n')), old,
                                      deep + "\\caf\xc3\xa9"}) {
        const std::string folder = target.substr(0, target.rfind('\\'));
        const std::string name = target.substr(folder.size() + 1);
        std::set<std::string> names = NamesIn(folder);
        int pieces = 0;
        const CopyOutcome outcome = Win32FileSystem().replaceFile(source, target, [&](std::uint64_t) {
            std::set<std::string> added = NamesIn(folder);
            std::erase_if(added, [&](const std::string& listed) { return names.contains(listed); });
            ASSERT_EQ(added.size(), 1u) << target;
            EXPECT_TRUE(added.begin()->starts_with("." + name.substr(0, 200))) << *added.begin();
            EXPECT_NE(Attributes(folder + "\\" + *added.begin()) & FILE_ATTRIBUTE_HIDDEN, 0u) << *added.begin();
            ++pieces;
        });
        EXPECT_EQ(outcome.status, Status::Copied) << outcome.reason;
        EXPECT_EQ(pieces, 3) << target;
        EXPECT_EQ(test::ReadBytes("\\\\?\\" + target), bytes) << target;
        EXPECT_EQ(Attributes(target) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u) << target;
        EXPECT_EQ(Win32FileSystem().modificationTime(target), Win32FileSystem().modificationTime(source));
        names.insert(name);
        EXPECT_EQ(NamesIn(folder), names) << target;
    }
}

// A copy onto its own file (by a hard link too), from a missing source,
// into a missing folder, or over a file that another program holds without
// sharing: the old target stays as it was, and nothing is left beside it.
TEST(Win32FileSystem, aCopyThatCannotLandLeavesTheOldTargetAlone) {
    const test::TempDir dir;
    const std::string source = dir.write("a", "new");
    const std::string target = dir.write("b", "old");
    const std::string held = dir.write("held", "old");
    ASSERT_TRUE(CreateHardLinkW(Wide(dir.pathOf("link")).c_str(), Wide(target).c_str(), nullptr));
    const HANDLE holder = CreateFileW(Wide(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::set<std::string> names = NamesIn(dir.path());
    const struct { std::string from, to; Status status; } cases[] = {
        {target, dir.pathOf("link"), Status::SameFile}, {target, target, Status::SameFile},
        {dir.pathOf("missing"), target, Status::Failed}, {source, dir.pathOf("missing/b"), Status::Failed},
        {source, held, Status::Failed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Win32FileSystem().replaceFile(c.from, c.to, [](std::uint64_t) {}).status, c.status) << c.from << " to " << c.to;
        EXPECT_EQ(NamesIn(dir.path()), names);
    }
    CloseHandle(holder);
    EXPECT_EQ(test::ReadBytes(target) + test::ReadBytes(held), "oldold");
}

// "No such folder" for a path that names none (a file, nothing at all); a
// list file that is no file on a disk is refused before any read could wait.
TEST(Win32FileSystem, tellsAMissingFolderAndRefusesAListThatIsNoFile) {
    const test::TempDir dir;
    const std::string file = dir.write("list.txt");
    const std::pair<std::string, std::optional<std::string>> listings[] = {
        {dir.path(), std::nullopt}, {dir.pathOf("missing"), "no such folder"}, {file, "no such folder"},
        {"", "no such folder"}};
    for (const auto& [folder, failure] : listings)
        EXPECT_EQ(Win32FileSystem().forEachFile(folder, [](std::string_view) {}), failure) << folder;
    const std::string pipe = "\\\\.\\pipe\\tarvello-" + std::to_string(GetCurrentProcessId());
    const HANDLE server = CreateNamedPipeW(Wide(pipe).c_str(), PIPE_ACCESS_OUTBOUND, 0, 1, 0, 0, 0, nullptr);
    for (const std::string& path : {dir.path(), std::string("NUL"), pipe}) {
        const auto failure = Win32FileSystem().readFile(path, [](std::string_view) { return true; });
        EXPECT_TRUE(failure && failure->notRegularFile) << path << ": " << (failure ? failure->reason : "read");
    }
    CloseHandle(server);
}

// Another copy's leftover and a look-alike stay; a name Windows refuses is
// named so, and nothing is made for it.
TEST(Win32FileSystem, removesTheLeftoversOfItsTargetAndNamesARefusedName) {
    const test::TempDir dir;
    const std::string source = dir.write("a", "new"), longName(250, 'n');
    const std::set<std::string> kept{".b.AbC12", ".c.XyZ789", "b.AbC123"};
    for (const std::string& name : {std::string(".b.AbC123"), "." + longName.substr(0, 247) + ".Qw3rTy"})
        dir.write("dst/" + name);
    for (const std::string& name : kept)
        dir.write("dst/" + name);
    Win32FileSystem fs;
    for (const std::string& name : {std::string("b"), longName})
        EXPECT_EQ(fs.replaceFile(source, dir.pathOf("dst/" + name), [](std::uint64_t) {}).status, Status::Copied);
    EXPECT_EQ(fs.replaceFile(source, dir.pathOf("dst/a:b"), [](std::uint64_t) {}).reason,
              "the name holds a character that this file system does not allow");
    std::set<std::string> names = kept;
    names.insert({"b", longName});
    EXPECT_EQ(NamesIn(dir.pathOf("dst")), names);
}

// Replaced whole with nothing left beside it; hidden where the name says
// so elsewhere (the record), visible otherwise (a playlist).
TEST(Win32FileSystem, replacesASmallFileInOneStep) {
    const test::TempDir dir;
    Win32FileSystem fs;
    for (const std::string name : {".tarvello-copies", "list.m3u"}) {
        for (const std::string bytes : {"old", "new"})
            EXPECT_EQ(fs.replaceContents(dir.pathOf(name), [&](const auto& write) { write(bytes); }), std::nullopt);
        EXPECT_EQ(test::ReadBytes(dir.pathOf(name)), "new");
        EXPECT_EQ((Attributes(dir.pathOf(name)) & FILE_ATTRIBUTE_HIDDEN) != 0, name[0] == '.') << name;
    }
    EXPECT_EQ(NamesIn(dir.path()), (std::set<std::string>{".tarvello-copies", "list.m3u"}));
    EXPECT_TRUE(fs.replaceContents(dir.pathOf("missing/list.m3u"), [](const auto&) {}));
}

}  // namespace
}  // namespace tarvello
