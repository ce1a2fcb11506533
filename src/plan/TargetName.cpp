#include "plan/TargetName.h"

#include "plan/NumberedName.h"
#include "platform/RefusedName.h"

namespace tarvello {

std::string AcceptedName(std::string_view name) {
    std::string accepted(name.substr(0, name.find_last_not_of(". ") + 1));
    if (accepted.empty())
        return std::string(name);
    for (char& c : accepted)
        if (kRefusedNameCharacters.find(c) != std::string_view::npos)
            c = '_';
    return accepted;
}

std::string TargetName(std::string_view name, std::size_t number, bool refusesCharacters) {
    // Numbered after: a number can neither be cut off nor hold a refused character.
    return NumberedName(refusesCharacters ? AcceptedName(name) : std::string(name), number);
}

}  // namespace tarvello
