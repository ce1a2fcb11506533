#include "plan/NumberedName.h"

#include <algorithm>

namespace tarvello {

std::string NumberedName(std::string_view name, std::size_t repeat) {
    if (repeat == 0)
        return std::string(name);
    const std::size_t dot = std::min(name.rfind('.'), name.size());
    std::string result(name.substr(0, dot));
    result += std::to_string(repeat);
    result += name.substr(dot);
    return result;
}

}  // namespace tarvello
