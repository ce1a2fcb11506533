#include "fsprobe/FileProbes.h"

#include "platform/NativePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

// Names are bytes: a Latin-1 name is not found by its UTF-8 spelling. On
// Windows names are UTF-16, reached by their UTF-8 spelling alone, and hold
// no "|".
#ifdef _WIN32
const std::string kName = "caf\xc3\xa9 100%.txt", kOtherSpelling = "caf\xe9 100%.txt";
#else
const std::string kName = "caf\xe9 100%|x.txt", kOtherSpelling = "caf\xc3\xa9 100%|x.txt";
#endif

TEST(FileProbes, answerForFilesFoldersAndMissingPaths) {
    const test::TempDir dir;
    const struct { std::string path; bool exists, bad; } cases[] = {
        {dir.write(kName), true, false},  {dir.path() + kOtherSpelling, false, true},
        {dir.path() + "missing/a.txt", false, true}, {"", false, true}, {dir.path(), true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(NativeFileSystem(), c.path), c.exists) << c.path;
        EXPECT_EQ(HasBadCharacters(NativeFileSystem(), c.path), c.bad) << c.path;
    }
}

}  // namespace
}  // namespace tarvello
