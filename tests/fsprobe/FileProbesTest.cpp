#include "fsprobe/FileProbes.h"

#include "platform/posix/PosixFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

// Names are bytes: a Latin-1 name is not found by its UTF-8 spelling.
TEST(FileProbes, answerForFilesFoldersAndMissingPaths) {
    const test::TempDir dir;
    const struct { std::string path; bool exists, bad; } cases[] = {
        {dir.write("caf\xe9 100%|x.txt"), true, false},  {dir.path() + "caf\xc3\xa9 100%|x.txt", false, true},
        {dir.path() + "missing/a.txt", false, true}, {"", false, true}, {dir.path(), true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(PosixFileSystem(), c.path), c.exists) << c.path;
        EXPECT_EQ(HasBadCharacters(PosixFileSystem(), c.path), c.bad) << c.path;
    }
}

}  // namespace
}  // namespace tarvello
