#pragma once

#include "plan/HeldNames.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tarvello {

// Hashes names as they come, without making a string of each.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};
using NameSet = std::unordered_set<std::string, NameHash, std::equal_to<>>;

// The names standing in each destination folder that are no copies of this
// program's: the user's files, which a refresh never writes over. A folder
// that folds case holds a name in any case.
class ForeignNames final : public HeldNames {
public:
    // `folder` ends with the separator.
    void add(const std::string& folder, bool foldsCase, const NameSet& names);
    bool holds(std::string_view folder, std::string_view name) const override;

private:
    struct Folder {
        bool foldsCase = false;
        NameSet names;  // folded where the folder folds
    };
    std::unordered_map<std::string, Folder, NameHash, std::equal_to<>> folders_;
};

}  // namespace tarvello
