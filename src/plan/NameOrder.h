#pragma once

#include <string_view>

namespace tarvello {

// Whether `a` comes before `b` as people sort file names: runs of digits
// compare as numbers, so "Track 2" comes before "Track 10", and letters
// compare without regard to case, as FoldedName() folds them. Names that
// differ only in case or in leading zeros compare equal, so a stable sort
// keeps their order.
bool NameOrderLess(std::string_view a, std::string_view b);

// The same for names FoldedName() has folded, without folding them again:
// for sorting many.
bool FoldedNameOrderLess(std::string_view a, std::string_view b);

}  // namespace tarvello
