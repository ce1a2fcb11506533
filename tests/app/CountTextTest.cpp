#include "app/CountText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace tarvello {
namespace {

struct Reading {
    std::string text;
    double expected;
};

class CountTextReads : public testing::TestWithParam<Reading> {};

TEST_P(CountTextReads, leadingNumber) {
    EXPECT_DOUBLE_EQ(ReadCount(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Plain, CountTextReads,
    testing::Values(Reading{"100", 100}, Reading{"007", 7}, Reading{"12abc", 12}, Reading{"-5", -5},
                    Reading{"+5", 5}, Reading{"2.9", 2.9}, Reading{".5", 0.5}, Reading{"5.", 5},
                    Reading{"1.2.3", 1.2}, Reading{"1e3", 1000}, Reading{"1E+2", 100},
                    Reading{"25e-1", 2.5}, Reading{"1e", 1}, Reading{"1e+", 1}, Reading{"3,5", 3}));

INSTANTIATE_TEST_SUITE_P(
    BlanksAnywhere, CountTextReads,
    testing::Values(Reading{"  42", 42}, Reading{"1 2", 12}, Reading{"\t1\n2 3", 123},
                    Reading{"- 5", -5}, Reading{"1 . 5", 1.5}, Reading{"1 e 2", 100},
                    Reading{"12 abc 3", 12}));

INSTANTIATE_TEST_SUITE_P(
    Prefixes, CountTextReads,
    testing::Values(Reading{"&H10", 16}, Reading{"&h1f", 31}, Reading{"&HFFz", 255},
                    Reading{"&O17", 15}, Reading{"&o8", 0}, Reading{"&H", 0}, Reading{"&X1", 0},
                    Reading{"& H 1 0", 16}));

INSTANTIATE_TEST_SUITE_P(
    NoNumber, CountTextReads,
    testing::Values(Reading{"", 0}, Reading{"   ", 0}, Reading{"abc", 0}, Reading{"-", 0},
                    Reading{".", 0}, Reading{"e5", 0}, Reading{"\r5", 0}, Reading{"Text1", 0}));

INSTANTIATE_TEST_SUITE_P(
    BeyondDoubleRange, CountTextReads,
    testing::Values(Reading{"1e999", 0}, Reading{"-1e999", 0},
                    Reading{"&H" + std::string(300, 'F'), 0},
                    Reading{std::string(400, '9'), 0}));

// Random byte strings of every kind: the reading must never crash, throw or
// read outside the text (the sanitizer build watches the last), and what it
// returns is always a finite number.
TEST(CountText, anyBytesGiveAFiniteReading) {
    std::mt19937 engine(20261207);
    const std::string alphabet = "0123456789+-.eE&HhOo \t\n\rxyz\xff\x80";
    for (int round = 0; round < 20000; ++round) {
        const auto length = engine() % 24;
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += (engine() % 4 == 0) ? static_cast<char>(engine() % 256)
                                        : alphabet[engine() % alphabet.size()];
        const double value = ReadCount(text);
        ASSERT_TRUE(std::isfinite(value)) << "for the bytes of \"" << text << '"';
    }
}

}  // namespace
}  // namespace tarvello
