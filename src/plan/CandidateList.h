#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// The full paths of the files a selection draws from, in listing order.
// They lie back to back in one buffer: a million candidates cost their bytes
// and one offset each, not a million separate strings.
class CandidateList {
public:
    void add(std::string_view folder, std::string_view name);

    std::size_t size() const { return ends_.size(); }

    // What the list holds, to reserve as much for one that is about to be
    // filled the same way.
    struct Footprint {
        std::size_t paths = 0;
        std::size_t pathBytes = 0;
    };
    Footprint footprint() const { return {ends_.size(), paths_.size()}; }
    void reserve(Footprint size) {
        ends_.reserve(size.paths);
        paths_.reserve(size.pathBytes);
    }

    // Gives back the room left over from growing, for a list kept by a plan.
    void shrinkToFit() {
        paths_.shrink_to_fit();
        ends_.shrink_to_fit();
    }

    // Valid until the next add().
    std::string_view path(std::size_t index) const;

private:
    std::string paths_;
    std::vector<std::size_t> ends_;  // where each path stops in paths_
};

// A source entry that could not be listed, whole or in part.
struct EntryFailure {
    std::string entry;
    std::string reason;  // "no such folder", or the system's words

    bool operator==(const EntryFailure&) const = default;
};

// Every file lying directly in each source entry, entries in list order and
// each entry's files in listing order. An entry is a folder path with or
// without its final separator. A folder given twice contributes its files
// twice. Each entry that could not be listed is added to `failures`, when
// given, as often as it stands in the list.
CandidateList ListCandidates(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                             char separator, std::vector<EntryFailure>* failures = nullptr);

}  // namespace tarvello
