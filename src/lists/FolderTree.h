#pragma once

#include "platform/Pacer.h"
#include "platform/FileSystem.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// Appends to `folders` every folder below the folders it holds, at every
// depth, each ending with the separator: by levels, each level grouped by
// parent in the order of the level above, each parent's folders in the
// order the system lists them. Hidden folders and everything below them
// are left out, links are not followed, and a folder that cannot be listed
// is passed over. Yields through `pace` while it walks.
void CollectSubfolders(const FileSystem& fs, Pacer& pace, std::vector<std::string>& folders,
                       char separator);

// Which "Add All Subfolders In Folder" button writes the chosen folder's
// own entry: the source list's collapses doubled separators, the
// destination list's keeps the folder as walked.
enum class TreeList { Source, Destination };

// The entry for the chosen folder itself, added before the walk starts.
std::string TreeOwnEntry(std::string_view picked, TreeList list, char separator);

// The entries for every folder below the chosen one, built from the chosen
// path as it was picked (with a final separator), in walk order.
std::vector<std::string> TreeSubfolderEntries(const FileSystem& fs, Pacer& pace, std::string_view picked,
                                              char separator);

}  // namespace tarvello
