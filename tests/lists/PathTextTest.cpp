#include "lists/PathText.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

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
