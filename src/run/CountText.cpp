#include "run/CountText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tarvello {
namespace {

// Walks the text while skipping the characters a count may be spread over.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void advance() {
        ++pos_;
        skipBlanks();
    }
    bool take(char wanted) {
        if (peek() != wanted)
            return false;
        advance();
        return true;
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n'))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

double ReadRadix(Cursor& cursor, int radix) {
    double value = 0.0;
    while (DigitValue(cursor.peek()) < radix) {
        value = value * radix + DigitValue(cursor.peek());
        cursor.advance();
    }
    return value;
}

// Appends the digits under the cursor to `out`; true when there was one.
bool CopyDigits(Cursor& cursor, std::string& out) {
    const std::size_t before = out.size();
    while (IsDigit(cursor.peek())) {
        out += cursor.peek();
        cursor.advance();
    }
    return out.size() > before;
}

}  // namespace

double ReadCount(std::string_view text) {
    Cursor cursor(text);
    if (cursor.take('&')) {
        const char kind = cursor.peek();
        const int radix = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
        if (radix == 0)
            return 0.0;
        cursor.advance();
        const double value = ReadRadix(cursor, radix);
        return std::isfinite(value) ? value : 0.0;
    }

    // Gather the number without the blanks, then let the locale-free
    // from_chars read it.
    std::string number;
    if (cursor.peek() == '-' || cursor.peek() == '+') {
        if (cursor.peek() == '-')
            number += '-';
        cursor.advance();
    }
    bool hasDigits = CopyDigits(cursor, number);
    if (cursor.take('.')) {
        number += '.';
        hasDigits = CopyDigits(cursor, number) || hasDigits;
    }
    if (!hasDigits)
        return 0.0;
    if (cursor.peek() == 'e' || cursor.peek() == 'E') {
        std::string exponent = "e";
        cursor.advance();
        if (cursor.peek() == '-' || cursor.peek() == '+') {
            exponent += cursor.peek();
            cursor.advance();
        }
        if (CopyDigits(cursor, exponent))
            number += exponent;
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

}  // namespace tarvello
