#pragma once

#include <string>
#include <string_view>

namespace tarvello {

// The name as a case-folding file system compares it: every letter in
// upper case, so that "Été.mp3" and "éTÉ.MP3" give one text. Covers the
// letters of ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic, which
// FAT and exFAT fold; other bytes, and bytes that are not UTF-8, stay as
// they are.
std::string FoldedName(std::string_view name);

}  // namespace tarvello
