#include "fsprobe/FileProbes.h"

#include "platform/posix/PosixFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(FileProbes, answerForFilesFoldersAndMissingPaths) {
    const test::TempDir dir;
    const PosixFileSystem fs;
    const std::string file = dir.write("a.txt");

    EXPECT_TRUE(FileExists(fs, file));
    EXPECT_FALSE(HasBadCharacters(fs, file));

    EXPECT_FALSE(FileExists(fs, dir.path() + "missing.txt"));
    EXPECT_TRUE(HasBadCharacters(fs, dir.path() + "missing.txt"));
    EXPECT_TRUE(HasBadCharacters(fs, dir.path() + "missing/a.txt"));

    EXPECT_FALSE(FileExists(fs, ""));
    EXPECT_TRUE(HasBadCharacters(fs, ""));

    EXPECT_FALSE(HasBadCharacters(fs, dir.path()));

    // Names are bytes: a Latin-1 name is not its UTF-8 spelling.
    const std::string raw = dir.write("caf\xe9 100%|x.txt");
    EXPECT_TRUE(FileExists(fs, raw));
    EXPECT_FALSE(HasBadCharacters(fs, raw));
    EXPECT_FALSE(FileExists(fs, dir.path() + "caf\xc3\xa9 100%|x.txt"));
}

}  // namespace
}  // namespace tarvello
