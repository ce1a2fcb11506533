#pragma once

#include <string_view>

namespace tarvello {

// Names in the destination folders that a plan must not write to: the
// user's own files, where a refresh keeps its record beside them.
class HeldNames {
public:
    virtual ~HeldNames() = default;
    // Whether `name` in `folder` (which ends with the separator) names a
    // held file, compared as the folder's file system compares names.
    virtual bool holds(std::string_view folder, std::string_view name) const = 0;
};

}  // namespace tarvello
