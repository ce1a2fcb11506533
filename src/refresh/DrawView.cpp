#include "refresh/DrawView.h"

#include <algorithm>

namespace tarvello {

// Listed as forEachFile() lists, through the listing that tells a folder
// read to its end by its stamp.
void DrawView::forEachFile(const std::string& folder, const std::function<void(std::string_view)>& visit) const {
    std::string path = folder;
    const auto stamp = inner().listFolder(folder, [&](std::string_view name, bool isLink) {
        path.resize(folder.size());
        path += name;
        const bool recent = state_.drawnFromAge > 0 && state_.ageOf(path) < state_.drawnFromAge;
        if (!recent && !state_.notOurs.contains(name) && (!isLink || inner().leadsToFile(path)))
            visit(name);
    });
    // A folder that is not there at all was named before the draw.
    const auto named = [&](const EntryFailure& failure) { return failure.entry == folder; };
    if (!stamp && inner().attributes(folder) &&
        std::none_of(state_.unreadable.begin(), state_.unreadable.end(), named))
        state_.unreadable.push_back({folder, "could not be listed to its end"});
}

std::optional<std::uint64_t> DrawView::freeSpace(const std::string& folder) const {
    const auto free = inner().freeSpace(folder);
    const FolderRefresh* refresh = state_.find(folder);
    if (!free || !refresh || !state_.mayRemoveIn(*refresh))
        return free;
    return *free + refresh->ownedBytes();
}

}  // namespace tarvello
