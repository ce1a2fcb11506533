#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvello {

// The name a destination that refuses characters (FAT, exFAT, Windows)
// takes for `name`: each of `: ? * " < > | \` becomes "_", and trailing dots
// and blanks are dropped, which such a system would drop or refuse. The
// name as it is when nothing would be left of it: that one fails as before.
std::string AcceptedName(std::string_view name);

// The name of a copy of the file named `name` under `number` (0: none, as
// NumberedName() numbers repeats), in a folder that does or does not
// refuse characters.
std::string TargetName(std::string_view name, std::size_t number, bool refusesCharacters);

}  // namespace tarvello
