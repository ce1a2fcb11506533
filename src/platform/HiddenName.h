#pragma once

#include <cstddef>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace tarvello {

// A copy in the making that cannot be unnamed stands beside its target
// under a hidden name, ".<stem>.XXXXXX": the stem is the target's name, cut
// short where the whole would be too long for the file system.
inline constexpr std::size_t kHiddenRandomLength = 6;
inline constexpr std::size_t kHiddenDecoration = 2 + kHiddenRandomLength;  // the two dots and the random part
inline constexpr std::string_view kHiddenLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// ".<stem>." and a fresh random part.
inline std::string RandomHiddenName(std::string_view stem) {
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kHiddenLetters.size() - 1);
    std::string name = "." + std::string(stem) + ".";
    for (std::size_t i = 0; i < kHiddenRandomLength; ++i)
        name += kHiddenLetters[pick(random)];
    return name;
}

// The part of a hidden name between its dots, when `name` has that form;
// nothing otherwise.
inline std::optional<std::string_view> HiddenNameStem(std::string_view name) {
    if (name.size() < kHiddenDecoration || name.front() != '.' || name[name.size() - kHiddenRandomLength - 1] != '.')
        return std::nullopt;
    if (name.substr(name.size() - kHiddenRandomLength).find_first_not_of(kHiddenLetters) != std::string_view::npos)
        return std::nullopt;
    return name.substr(1, name.size() - kHiddenDecoration);
}

}  // namespace tarvello
