#include "plan/NameOrder.h"

#include "plan/FoldedName.h"

#include <string>

namespace tarvello {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The run of digits at the start of `text`, taken off it, without its
// leading zeros.
std::string_view TakeNumber(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    std::string_view number = text.substr(0, end);
    text.remove_prefix(end);
    while (number.size() > 1 && number.front() == '0')
        number.remove_prefix(1);
    return number;
}

}  // namespace

bool NameOrderLess(std::string_view a, std::string_view b) { return FoldedNameOrderLess(FoldedName(a), FoldedName(b)); }

bool FoldedNameOrderLess(std::string_view x, std::string_view y) {
    while (!x.empty() && !y.empty()) {
        if (IsDigit(x.front()) && IsDigit(y.front())) {
            const std::string_view n = TakeNumber(x);
            const std::string_view m = TakeNumber(y);
            // Without leading zeros the longer number is the larger.
            if (n.size() != m.size())
                return n.size() < m.size();
            if (n != m)
                return n < m;
            continue;
        }
        if (x.front() != y.front())
            return static_cast<unsigned char>(x.front()) < static_cast<unsigned char>(y.front());
        x.remove_prefix(1);
        y.remove_prefix(1);
    }
    return x.empty() && !y.empty();
}

}  // namespace tarvello
