#include "plan/NumberedName.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(NumberedName, PutsTheRepeatBeforeTheLastDotOrAtTheEnd) {
    struct Case {
        const char* name;
        std::size_t repeat;
        const char* expected;
    };
    const Case cases[] = {
        {"a.jpg", 0, "a.jpg"},   {"a.jpg", 1, "a1.jpg"},       {"a.jpg", 12, "a12.jpg"},
        {"archive.tar.gz", 1, "archive.tar1.gz"},              {".profile", 1, "1.profile"},
        {"README", 2, "README2"}, {"100%", 1, "100%1"},        {"100%", 0, "100%"},
        {"dot.", 3, "dot3."},    {"a%1%.txt", 1, "a%1%1.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberedName(c.name, c.repeat), c.expected) << c.name << " repeat " << c.repeat;
}

}  // namespace
}  // namespace tarvello
