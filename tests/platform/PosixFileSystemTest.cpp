#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/WindowsKindMount.h"

#include "FailingCalls.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <tuple>

namespace tarvello {
namespace {

std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    PosixFileSystem().forEachFile(folder, [&](std::string_view name) { names.emplace_back(name); });
    return names;
}

TEST(PosixFileSystem, listsPlainVisibleFilesOnly) {
    const test::TempDir dir;
    for (const char* name : {"a.jpg", "caf\xff|100%", ".hidden", "sub/inner.jpg", ".hiddenfolder/x"})
        dir.write(name);
    mkfifo((dir.path() + "pipe").c_str(), 0600);
    symlink((dir.path() + "a.jpg").c_str(), (dir.path() + "link-to-file").c_str());
    symlink((dir.path() + "sub").c_str(), (dir.path() + "link-to-folder").c_str());
    symlink((dir.path() + "gone").c_str(), (dir.path() + "dangling").c_str());

    EXPECT_THAT(Listing(dir.path()), testing::UnorderedElementsAre("a.jpg", "caf\xff|100%", "link-to-file"));
    for (const std::string& noFolder : {dir.path() + "missing/", dir.path() + "a.jpg/", std::string()})
        EXPECT_TRUE(Listing(noFolder).empty()) << noFolder;
}

// The listing for the draw says why it is incomplete.
TEST(PosixFileSystem, aFolderReadThatFailsMidwayGivesWhatItReadButNoStamp) {
    const test::TempDir dir;
    for (const char* name : {"a", "b", "c"})
        dir.write(name);
    for (const int readable : {1, -1}) {
        test::failing.readdirAfter = readable;
        int visited = 0;
        const auto stamp = PosixFileSystem().listFolder(dir.path(), [&](std::string_view, bool) { ++visited; });
        test::failing.readdirAfter = readable;
        const auto failure = PosixFileSystem().forEachFile(dir.path(), [](std::string_view) {});
        test::failing = {};
        EXPECT_EQ(visited, readable < 0 ? 3 : readable);
        EXPECT_EQ(stamp.has_value(), readable < 0);
        EXPECT_EQ(failure, readable < 0 ? std::nullopt : std::optional<std::string>(std::strerror(EIO)));
    }
}

// A write killed midway leaves its file beside the record; the next write
// takes that file over whole, however long it is.
TEST(PosixFileSystem, replaceContentsTakesOverTheLeftoverOfAKilledWrite) {
    const test::TempDir dir;
    dir.write("record.new", "the longer leftover of a killed write");
    EXPECT_EQ(PosixFileSystem().replaceContents(dir.path() + "record", [](const auto& write) { write("new"); }),
              std::nullopt);
    EXPECT_EQ(test::NamesIn(dir.path()), std::set<std::string>{"record"});
    EXPECT_EQ(test::ReadBytes(dir.path() + "record"), "new");
}

// A move never lands on a file standing at its target, also where the file
// system cannot be asked to refuse that (FUSE drivers on the older interface).
TEST(PosixFileSystem, moveFileNeverReplacesAFile) {
    for (const bool noRenameFlags : {false, true}) {
        const test::TempDir dir;
        const std::string copy = dir.write("copy", "copy"), mine = dir.write("mine", "mine");
        test::failing.noRenameFlags = noRenameFlags;
        EXPECT_EQ(PosixFileSystem().moveFile(copy, mine), std::strerror(EEXIST));
        EXPECT_EQ(PosixFileSystem().moveFile(copy, dir.path() + "moved"), std::nullopt);
        test::failing = {};
        EXPECT_EQ(test::NamesIn(dir.path()), (std::set<std::string>{"mine", "moved"}));
        EXPECT_EQ(test::ReadBytes(mine), "mine");
    }
}

// A folder that cannot be reached is named, and so is the first folder of a
// device that does not take the copies, once for all its folders.
TEST(PosixFileSystem, flushNamesTheFoldersWhoseCopiesMayNotBeOnTheDevice) {
    const test::TempDir dir;
    const std::string missing = dir.path() + "missing/";
    for (const int syncError : {0, EIO}) {
        test::failing.syncError = syncError;
        const auto failures = PosixFileSystem().flush({dir.path(), dir.makeFolder("sub"), missing}, [] {});
        test::failing = {};
        ASSERT_EQ(failures.size(), syncError == 0 ? 1U : 2U);
        EXPECT_EQ(failures[0].folder, missing);
        EXPECT_EQ(failures[0].reason, std::strerror(ENOENT));
        if (syncError != 0) {
            EXPECT_EQ(failures[1].folder, dir.path());
            EXPECT_EQ(failures[1].reason, std::strerror(EIO));
        }
    }
}

// The lines exfat-fuse and fusefat give (and fusefat without a subtype):
// through FUSE only the mount tells a stick from any other file system.
TEST(WindowsKindFuseMount, isAFuseBlockDeviceOrADriverNamedAfterFat) {
    const std::string mounts = "44 26 7:0 / /media/stick rw,relatime shared:5 - fuseblk /dev/loop0 rw\n"
                               "45 26 0:39 / /media/fat rw,relatime - fuse.fusefat fusefat rw\n"
                               "46 26 0:40 / /media/old rw,relatime - fuse fusefat rw\n"
                               "47 26 0:41 / /home/ann/net rw,relatime - fuse.sshfs ann@fatbox:/ rw\n";
    using enum FuseMountKind;
    for (const auto& [major, minor, kind] : std::initializer_list<std::tuple<unsigned, unsigned, FuseMountKind>>{
             {7, 0, BlockDevice}, {0, 39, FatDriver}, {0, 40, FatDriver}, {0, 41, Other}, {0, 3, Other}})
        EXPECT_EQ(KindOfFuseMount(mounts, major, minor), kind) << major << ":" << minor;
}

TEST(PosixFileSystem, programFolderIsTheFolderOfThisTestProgram) {
    const std::string folder = PosixFileSystem().programFolder();
    EXPECT_EQ(access((folder + "/tarvello_platform_tests").c_str(), X_OK), 0) << folder;
}

}  // namespace
}  // namespace tarvello
