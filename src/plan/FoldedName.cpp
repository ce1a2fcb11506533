#include "plan/FoldedName.h"

#include <cstdint>

namespace tarvello {
namespace {

// A run of code points whose lower-case letters map to upper case by a
// fixed step: every one in the run, or with `pairs` every second one, the
// run being upper-lower pairs from `first` on.
struct CaseRange {
    char32_t first;
    char32_t last;
    std::int32_t toUpper;
    bool pairs;
};

constexpr CaseRange kRanges[] = {
    {0x00E0, 0x00F6, -0x20, false}, {0x00F8, 0x00FE, -0x20, false},  // Latin-1, not ÷
    {0x0100, 0x012F, -1, true},     {0x0132, 0x0137, -1, true},      // Latin Extended-A
    {0x0139, 0x0148, -1, true},     {0x014A, 0x0177, -1, true},
    {0x0179, 0x017E, -1, true},     {0x03B1, 0x03C1, -0x20, false},  // Greek, not final ς
    {0x03C3, 0x03C9, -0x20, false}, {0x0430, 0x044F, -0x20, false},  // Cyrillic
    {0x0450, 0x045F, -0x50, false},
};

char32_t Upper(char32_t c) {
    if (c == 0x00FF)
        return 0x0178;  // ÿ, whose capital lies apart
    for (const CaseRange& range : kRanges) {
        if (c < range.first || c > range.last)
            continue;
        if (range.pairs && (c - range.first) % 2 == 0)
            return c;  // the upper of its pair
        return static_cast<char32_t>(static_cast<std::int32_t>(c) + range.toUpper);
    }
    return c;
}

void AppendTwoBytes(std::string& out, char32_t c) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

std::string FoldedName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 'a' && byte <= 'z') {
            folded += static_cast<char>(byte - 'a' + 'A');
            continue;
        }
        // Every letter folded here has a two-byte form, and so has its capital.
        const bool twoBytes = byte >= 0xC2 && byte <= 0xDF && i + 1 < name.size() &&
                              (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80;
        if (!twoBytes) {
            folded += name[i];
            continue;
        }
        const char32_t c = (static_cast<char32_t>(byte & 0x1F) << 6) | (static_cast<unsigned char>(name[i + 1]) & 0x3F);
        AppendTwoBytes(folded, Upper(c));
        ++i;
    }
    return folded;
}

}  // namespace tarvello
