#include "lists/PathList.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

PathList Listing(std::initializer_list<const char*> entries) {
    PathList list;
    for (const char* entry : entries)
        list.append(entry);
    return list;
}

TEST(PathList, keepsTheOrderOfAppendsAndDuplicates) {
    const PathList list = Listing({"/b/", "/a/", "/b/"});
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/b/", "/a/", "/b/"}));
    EXPECT_EQ(list.rowCount(), 3u);
    EXPECT_EQ(list.rowText(2), "/b/");
}

TEST(PathList, removingTheThirdOfFiveMovesTheRestUp) {
    PathList list = Listing({"1", "2", "3", "4", "5"});
    list.removeAt(2);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"1", "2", "4", "5"}));
}

TEST(PathList, removingOneOfTwoEqualEntriesKeepsTheOther) {
    PathList list = Listing({"/a/", "/a/"});
    list.removeAt(1);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/a/"}));
}

TEST(PathList, removingBeyondTheEndChangesNothing) {
    PathList list = Listing({"1"});
    list.removeAt(1);
    EXPECT_EQ(list.size(), 1u);
    list.clear();
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace tarvello
