#include "refresh/DrawView.h"

namespace tarvello {

void DrawView::forEachFile(const std::string& folder, const std::function<void(std::string_view)>& visit) const {
    std::string path = folder;
    inner().forEachFile(folder, [&](std::string_view name) {
        path.resize(folder.size());
        path += name;
        if (state_.ageOf(path) >= state_.drawnFromAge && !standsUnowned(name))
            visit(name);
    });
}

bool DrawView::standsUnowned(std::string_view name) const {
    for (const auto& [folder, names] : state_.standing)
        if (names.contains(std::string(name)) && !folder->owns(name))
            return true;
    return false;
}

std::optional<std::uint64_t> DrawView::freeSpace(const std::string& folder) const {
    const auto free = inner().freeSpace(folder);
    const FolderRefresh* refresh = state_.find(folder);
    if (!free || !refresh || !state_.mayRemoveIn(*refresh))
        return free;
    return *free + refresh->ownedBytes();
}

}  // namespace tarvello
