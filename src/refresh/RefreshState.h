#pragma once

#include "refresh/FolderRefresh.h"
#include "refresh/ForeignNames.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvello {

struct RefreshOptions {
    bool refresh = false;           // take the old selection off
    std::uint32_t avoidRecent = 0;  // leave out the sources of the last N runs; 0: off
    bool orderByName = false;       // put the copies in name order (PutInNameOrder)
};

// What a refresh knows of its destinations, shared by the views it gives
// the draw and the copy run.
struct RefreshState {
    static constexpr std::uint32_t kNeverCopied = std::numeric_limits<std::uint32_t>::max();

    RefreshState(RefreshOptions options, char separator, std::function<void(const std::string&)> say)
        : options(options), separator(separator), say(std::move(say)) {}

    RefreshOptions options;
    char separator;
    std::function<void(const std::string&)> say;  // names a problem
    std::vector<std::unique_ptr<FolderRefresh>> folders;
    std::unordered_map<std::string, FolderRefresh*> byFolder;
    // With `refresh`: the names standing in each destination that are no
    // copies of this program's, which the plan's targets must not take.
    ForeignNames notOurs;
    // Each recorded source with the fewest runs since it was copied, and
    // the age from which a source may be drawn again.
    std::unordered_map<std::string_view, std::uint32_t> ages;
    std::uint32_t drawnFromAge = 0;
    bool sourcesLookWrong = false;
    RefreshTally tally;

    FolderRefresh* find(std::string_view folder) const {
        const auto found = byFolder.find(std::string(folder));
        return found == byFolder.end() ? nullptr : found->second;
    }
    std::uint32_t ageOf(std::string_view source) const {
        const auto found = ages.find(source);
        return found == ages.end() ? kNeverCopied : found->second;
    }
    bool mayRemoveIn(const FolderRefresh& folder) const {
        return options.refresh && !sourcesLookWrong && !folder.refused();
    }
};

}  // namespace tarvello
