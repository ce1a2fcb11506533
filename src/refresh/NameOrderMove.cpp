#include "refresh/NameOrderMove.h"

#include "plan/NameOrder.h"

#include <algorithm>
#include <vector>

namespace tarvello {
namespace {

// Moves each of `names` from `holder` back into `folder`, in name order;
// how many it moved.
std::size_t MoveBack(FileSystem& fs, const std::string& folder, const std::string& holder,
                     std::vector<std::string> names, const std::function<void(const std::string&)>& say) {
    std::stable_sort(names.begin(), names.end(), NameOrderLess);
    std::size_t moved = 0;
    for (const std::string& name : names) {
        if (const auto failure = fs.moveFile(holder + name, folder + name))
            say(holder + name + ": cannot be put back as " + folder + name + ": " + *failure);
        else
            ++moved;
    }
    // Left standing while it holds what could not be put back.
    fs.removeFolder(holder.substr(0, holder.size() - 1));
    return moved;
}

}  // namespace

void PutInNameOrder(FileSystem& fs, const std::string& folder, const CopyRecord& record,
                    const std::function<void(const std::string&)>& say) {
    if (!fs.keepsEntryOrder(folder))
        return;
    const std::string holder = folder + std::string(kOrderFolderName) + folder.back();
    if (const auto failure = fs.makeFolder(holder.substr(0, holder.size() - 1))) {
        say(holder + ": cannot be made, so the copies there stay in the order written: " + *failure);
        return;
    }
    std::vector<std::string> moved;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const RecordEntry& entry = record[i];
        if (entry.kind != RecordEntry::Kind::Copy)
            continue;
        // Looked at just before: a copy the user changed is theirs.
        const std::string name(record.name(entry));
        const auto now = fs.fileStat(folder + name);
        if (now && now->size == entry.size && now->modifiedNs == entry.modifiedNs &&
            !fs.moveFile(folder + name, holder + name))
            moved.push_back(name);
    }
    MoveBack(fs, folder, holder, std::move(moved), say);
}

std::size_t PutBackOrderedCopies(FileSystem& fs, const std::string& folder,
                                 const std::function<void(const std::string&)>& say) {
    const std::string holder = folder + std::string(kOrderFolderName) + folder.back();
    std::vector<std::string> names;
    if (fs.forEachFile(holder, [&](std::string_view name) { names.emplace_back(name); }) && names.empty())
        return 0;
    return MoveBack(fs, folder, holder, std::move(names), say);
}

}  // namespace tarvello
