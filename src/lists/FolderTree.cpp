#include "lists/FolderTree.h"

#include "lists/PathText.h"

namespace tarvello {

// Breadth first over the growing collection itself: no recursion, and one
// folder open at a time however deep the tree.
void CollectSubfolders(const FileSystem& fs, Pacer& pace, std::vector<std::string>& folders,
                       char separator) {
    for (std::size_t next = 0; next < folders.size(); ++next) {
        // A copy: appending below may move the collection's strings.
        const std::string folder = folders[next];
        pace.yieldIfDue();
        fs.forEachEntry(folder, [&](std::string_view name, bool isFolder) {
            pace.yieldIfDue();
            if (!isFolder)
                return;
            std::string& path = folders.emplace_back();
            path.reserve(folder.size() + name.size() + 1);
            path.append(folder).append(name) += separator;
        });
    }
}

std::string TreeOwnEntry(std::string_view picked, TreeList list, char separator) {
    return list == TreeList::Source ? FolderEntryFromPicked(picked, separator)
                                    : WithFinalSeparator(picked, separator);
}

std::vector<std::string> TreeSubfolderEntries(const FileSystem& fs, Pacer& pace, std::string_view picked,
                                              char separator) {
    std::vector<std::string> folders{WithFinalSeparator(picked, separator)};
    CollectSubfolders(fs, pace, folders, separator);
    folders.erase(folders.begin());
    return folders;
}

}  // namespace tarvello
