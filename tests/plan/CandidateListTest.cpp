#include "plan/CandidateList.h"

#include "plan/FakeFolders.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(ListCandidates, ListsEachEntryAsAFolderInListOrder) {
    const test::FakeFolders fs({{"C:\\Data\\", {"z.jpg", "a.jpg"}}, {"\\", {"boot.ini"}}});
    struct Case {
        std::vector<std::string> entries;
        std::vector<std::string> paths;
    };
    const Case cases[] = {
        {{"C:\\Data\\"}, {"C:\\Data\\z.jpg", "C:\\Data\\a.jpg"}},
        {{"C:\\Data"}, {"C:\\Data\\z.jpg", "C:\\Data\\a.jpg"}},
        {{"C:\\Data", "C:\\Data\\"},  // a folder given twice counts twice
         {"C:\\Data\\z.jpg", "C:\\Data\\a.jpg", "C:\\Data\\z.jpg", "C:\\Data\\a.jpg"}},
        {{""}, {"\\boot.ini"}},  // the empty entry is the root folder
        {{"C:\\Missing", "C:\\Data\\a.jpg", ""}, {"\\boot.ini"}},
    };
    for (const Case& c : cases) {
        const CandidateList candidates = ListCandidates(fs, c.entries, '\\');
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < candidates.size(); ++i)
            paths.emplace_back(candidates.path(i));
        EXPECT_EQ(paths, c.paths) << testing::PrintToString(c.entries);
    }
}

}  // namespace
}  // namespace tarvello
