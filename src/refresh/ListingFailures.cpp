#include "refresh/ListingFailures.h"

#include "lists/PathText.h"

namespace tarvello {

std::vector<EntryFailure> FindMissingFolders(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                                              char separator) {
    std::vector<EntryFailure> failures;
    for (const std::string& entry : sourceEntries) {
        const std::string folder = WithFinalSeparator(entry, separator);
        if (!fs.attributes(folder))
            failures.push_back({entry, "names no folder"});
    }
    return failures;
}

}  // namespace tarvello
