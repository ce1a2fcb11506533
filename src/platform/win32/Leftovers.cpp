#include "platform/win32/Leftovers.h"

#include "platform/win32/FolderListing.h"
#include "platform/win32/TempCopy.h"
#include "platform/win32/WidePath.h"

namespace tarvello {

void Leftovers::removeFor(const std::string& target) {
    const std::size_t nameStart = NameStart(target);
    const std::string folder = target.substr(0, nameStart);
    const std::optional<FolderStamp> now = FolderStampOf(folder);
    if (!now)
        return;
    const auto list = [&](const std::function<void(std::string_view)>& visit) {
        ForEachListed(folder, [&](const WIN32_FIND_DATAW& found) { visit(Utf8FromWide(found.cFileName)); });
    };
    // A copy under way, of this run or another, holds its hidden file open
    // without sharing: the delete fails there and passes it over.
    for (const std::string& name : index_.take(folder, *now, {HiddenStemOf(target.substr(nameStart))}, list))
        if (const auto path = ApiPath(folder + name))
            DeleteFileW(path->c_str());
}

void Leftovers::copyEnded(const std::string& target, bool copied) {
    const std::string folder = target.substr(0, NameStart(target));
    index_.copyEnded(folder, copied ? FolderStampOf(folder) : std::nullopt);
}

}  // namespace tarvello
