#pragma once

#include "platform/FileSystem.h"
#include "refresh/CopyRecord.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tarvello {

// The hidden folder inside a destination folder that holds its copies
// while they are put in name order.
inline constexpr std::string_view kOrderFolderName = ".tarvello-order";

// Many players play a FAT or exFAT folder in the order of its entries,
// which is the order the files were written, each into the first free
// place: copies written in name order end up in the gaps of removed files.
// So the copies `record` names that stand in `folder` as recorded are moved
// into the hidden folder and back, one by one in name order (NameOrderLess),
// renames only; each then takes the first free place that holds its name.
// Where a listing shows that a copy took a gap ahead of the copies before
// it, an empty hidden folder takes the gap and the copy goes on. The user's
// files are never moved, and a copy whose name a file took meanwhile is
// left in the hidden folder, said through `say`. Does nothing where the
// file system keeps no entry order. `folder` ends with the separator.
void PutInNameOrder(FileSystem& fs, const std::string& folder, const CopyRecord& record,
                    const std::function<void(const std::string&)>& say);

// Puts back, in name order, the copies a run ended while ordering them
// left in the hidden folder, so that a refresh finds them where its record
// says, and removes its gap fillers. Returns how many it put back; one whose name a file took
// meanwhile stays, said through `say`.
std::size_t PutBackOrderedCopies(FileSystem& fs, const std::string& folder,
                                 const std::function<void(const std::string&)>& say);

}  // namespace tarvello
