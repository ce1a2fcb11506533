#pragma once

#include <string_view>

namespace tarvello {

// FAT, exFAT and the file systems of Windows refuse a name that holds one
// of these characters, each with an error of its own that would read as
// something else (a missing folder, a bad parameter).
inline constexpr std::string_view kRefusedNameCharacters = ":?*\"<>|\\";
inline constexpr const char* kRefusedNameReason = "the name holds a character that this file system does not allow";

inline bool HoldsRefusedCharacter(std::string_view name) {
    return name.find_first_of(kRefusedNameCharacters) != std::string_view::npos;
}

}  // namespace tarvello
