#include "refresh/ListingFailures.h"

#include "lists/PathText.h"

namespace tarvello {

// The listing that keeps folders between redraws gives no stamp for a
// folder it could not open or read to its end: that is the test.
std::vector<EntryFailure> FindListingFailures(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                                              char separator) {
    std::vector<EntryFailure> failures;
    for (const std::string& entry : sourceEntries) {
        const std::string folder = WithFinalSeparator(entry, separator);
        if (!fs.attributes(folder))
            failures.push_back({entry, "names no folder"});
        else if (!fs.listFolder(folder, [](std::string_view, bool) {}))
            failures.push_back({entry, "cannot be read to its end"});
    }
    return failures;
}

}  // namespace tarvello
