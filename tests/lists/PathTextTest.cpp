#include "lists/PathText.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

struct Picked {
    std::string picked;
    std::string entry;
};

class FolderEntryWindows : public testing::TestWithParam<Picked> {};

TEST_P(FolderEntryWindows, collapsesPairsAndEndsWithOneSeparator) {
    EXPECT_EQ(FolderEntryFromPicked(GetParam().picked, '\\'), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FolderEntryWindows,
    testing::Values(Picked{R"(C:\)", R"(C:\)"}, Picked{R"(D:\Music)", R"(D:\Music\)"},
                    Picked{R"(D:\Music\\Rock)", R"(D:\Music\Rock\)"},
                    Picked{R"(D:\a\\\b)", R"(D:\a\\b\)"},
                    Picked{R"(\\server\share)", R"(\\server\share\)"},
                    Picked{R"(\\server\\share\)", R"(\\server\share\)"},
                    Picked{R"(D:\Music/Rock)", R"(D:\Music/Rock\)"}));

TEST(FolderEntryPosix, usesTheSlash) {
    EXPECT_EQ(FolderEntryFromPicked("/", '/'), "/");
    EXPECT_EQ(FolderEntryFromPicked("/home/ann/Music", '/'), "/home/ann/Music/");
    EXPECT_EQ(FolderEntryFromPicked("/home//ann/", '/'), "/home/ann/");
    EXPECT_EQ(FolderEntryFromPicked("/odd\\\\name", '/'), "/odd\\\\name/");
}

TEST(WithFinalSeparator, addsOnlyAMissingSeparator) {
    EXPECT_EQ(WithFinalSeparator(R"(C:\Data)", '\\'), R"(C:\Data\)");
    EXPECT_EQ(WithFinalSeparator(R"(C:\Data\)", '\\'), R"(C:\Data\)");
    EXPECT_EQ(WithFinalSeparator("", '\\'), "\\");
    EXPECT_EQ(WithFinalSeparator("/tmp", '/'), "/tmp/");
}

TEST(FileNamePart, takesWhatFollowsTheLastSeparatorOnly) {
    EXPECT_EQ(FileNamePart(R"(D:\Pics\a.jpg)", '\\'), "a.jpg");
    EXPECT_EQ(FileNamePart(R"(D:\Pics\)", '\\'), "");
    EXPECT_EQ(FileNamePart("a.jpg", '\\'), "a.jpg");
    EXPECT_EQ(FileNamePart(R"(D:\Pics/a.jpg)", '\\'), "Pics/a.jpg");
    EXPECT_EQ(FileNamePart("/srv/a\\b", '/'), "a\\b");
}

}  // namespace
}  // namespace tarvello
