#include "plan/NameOrder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tarvello {
namespace {

// Numbers by value (also past 64 bits), letters without case (also beyond
// ASCII), a name before its longer twin; names that differ only in case or
// leading zeros are neither before nor after each other.
TEST(NameOrder, comparesNumbersByValueAndLettersWithoutCase) {
    for (const auto& [a, b, before] : std::initializer_list<std::tuple<const char*, const char*, bool>>{
             {"Track 2.mp3", "Track 10.mp3", true}, {"Track 10.mp3", "Track 2.mp3", false},
             {"a.mp3", "B.mp3", true}, {"\xc3\xa9t\xc3\xa9 2", "\xc3\x89T\xc3\x89 10", true},  // été 2, ÉTÉ 10
             {"99999999999999999999999", "100000000000000000000000", true}, {"Track", "Track 1", true},
             {"Track 1", "Track", false}, {"A.mp3", "a.mp3", false}, {"Track 02", "Track 2", false},
             {"Track 2", "Track 02", false}})
        EXPECT_EQ(NameOrderLess(a, b), before) << a << " < " << b;
}

}  // namespace
}  // namespace tarvello
