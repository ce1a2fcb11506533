#pragma once

#include <string_view>

namespace tarvello {

// The number at the start of the count text, read the forgiving way users
// expect of a count box: blanks, tabs and line feeds are skipped wherever
// they stand ("1 2" reads 12); then an optional sign, digits, one decimal
// point (always "."), an exponent; or &H / &O followed by hexadecimal or
// octal digits. Reading stops at the first character that cannot continue
// the number. No number, or one beyond a double's range, reads 0.
double ReadCount(std::string_view text);

}  // namespace tarvello
