#pragma once

#include <string>
#include <string_view>

// Pure helpers on path texts. The separator is a parameter so the same code
// serves "/" here and "\" on Windows.
namespace tarvello {

// The path with one final separator. An empty path stays empty: it names
// no folder, never the root.
std::string WithFinalSeparator(std::string_view path, char separator);

// Replaces each non-overlapping doubled separator by a single one, from left
// to right. A leading pair is kept: it starts a network path (\\server\share).
std::string CollapseDoubledSeparators(std::string_view path, char separator);

// The list entry for a folder the user picked: doubled separators collapsed,
// ending with one separator.
std::string FolderEntryFromPicked(std::string_view picked, char separator);

// The characters after the last separator; the whole path when it has none.
std::string_view FileNamePart(std::string_view path, char separator);

}  // namespace tarvello
