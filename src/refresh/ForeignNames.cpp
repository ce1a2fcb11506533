#include "refresh/ForeignNames.h"

#include "plan/FoldedName.h"

namespace tarvello {

void ForeignNames::add(const std::string& folder, bool foldsCase, const NameSet& names) {
    Folder& held = folders_[folder];
    held.foldsCase = foldsCase;
    for (const std::string& name : names)
        held.names.insert(foldsCase ? FoldedName(name) : name);
}

bool ForeignNames::holds(std::string_view folder, std::string_view name) const {
    const auto found = folders_.find(folder);
    if (found == folders_.end())
        return false;
    const Folder& held = found->second;
    return held.foldsCase ? held.names.contains(FoldedName(name)) : held.names.contains(name);
}

}  // namespace tarvello
