#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvello {

// The name under which the copy of a repeated pick is written, so that
// several copies of one file can stand side by side in a folder: the repeat
// number goes before the last "." (a.jpg -> a1.jpg, archive.tar.gz ->
// archive.tar1.gz, .profile -> 1.profile), or at the end when there is no
// "." (README -> README2). Repeat 0 is the name itself.
std::string NumberedName(std::string_view name, std::size_t repeat);

}  // namespace tarvello
