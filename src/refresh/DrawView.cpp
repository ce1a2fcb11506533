#include "refresh/DrawView.h"

namespace tarvello {

std::optional<std::string> DrawView::forEachFile(const std::string& folder,
                                                 const std::function<void(std::string_view)>& visit) const {
    std::string path = folder;
    return inner().forEachFile(folder, [&](std::string_view name) {
        path.resize(folder.size());
        path += name;
        const bool recent = state_.drawnFromAge > 0 && state_.ageOf(path) < state_.drawnFromAge;
        if (!recent)
            visit(name);
    });
}

std::optional<std::uint64_t> DrawView::freeSpace(const std::string& folder) const {
    const auto free = inner().freeSpace(folder);
    const FolderRefresh* refresh = state_.find(folder);
    if (!free || !refresh || !state_.mayRemoveIn(*refresh))
        return free;
    return *free + refresh->ownedBytes();
}

}  // namespace tarvello
