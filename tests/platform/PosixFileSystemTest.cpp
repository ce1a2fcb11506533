#include "platform/posix/PosixFileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvello {
namespace {

using testing::UnorderedElementsAre;

std::vector<std::string> Listing(const FileSystem& fs, const std::string& folder) {
    std::vector<std::string> names;
    fs.forEachFile(folder, [&](std::string_view name) { names.emplace_back(name); });
    return names;
}

TEST(PosixListing, reportsPlainVisibleFilesOnly) {
    const test::TempDir dir;
    dir.write("a.jpg");
    dir.write("b");
    dir.write(".hidden");
    dir.write("sub/inner.jpg");
    dir.makeFolder(".hiddenfolder");
    mkfifo((dir.path() + "pipe").c_str(), 0600);
    symlink((dir.path() + "a.jpg").c_str(), (dir.path() + "link-to-file").c_str());
    symlink((dir.path() + "sub").c_str(), (dir.path() + "link-to-folder").c_str());
    symlink((dir.path() + "gone").c_str(), (dir.path() + "dangling").c_str());

    EXPECT_THAT(Listing(PosixFileSystem(), dir.path()), UnorderedElementsAre("a.jpg", "b", "link-to-file"));
}

TEST(PosixListing, aPathThatIsNoFolderListsNothing) {
    const test::TempDir dir;
    const std::string file = dir.write("a.jpg");
    const PosixFileSystem fs;
    EXPECT_TRUE(Listing(fs, dir.path() + "missing/").empty());
    EXPECT_TRUE(Listing(fs, file + "/").empty());
    EXPECT_TRUE(Listing(fs, "").empty());
}

TEST(PosixFileSystem, flush_reportsOnlyTheFolderThatCannotBeReached) {
    const test::TempDir dir;
    const std::string missing = dir.path() + "missing/";
    const auto failures = PosixFileSystem().flush({dir.path(), dir.makeFolder("sub"), missing}, [] {});
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_EQ(failures[0].folder, missing);
    EXPECT_EQ(failures[0].reason, std::strerror(ENOENT));
}

TEST(PosixFileSystem, programFolderIsTheFolderOfThisTestProgram) {
    const std::string folder = PosixFileSystem().programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    struct stat info {};
    EXPECT_EQ(stat((folder + "/tarvello_platform_tests").c_str(), &info), 0) << folder;
}

}  // namespace
}  // namespace tarvello
