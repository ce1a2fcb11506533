#include "plan/ListingCache.h"

#include "lists/PathText.h"

#include <algorithm>
#include <unordered_set>

namespace tarvello {
namespace {

constexpr std::uint32_t kLinkBit = std::uint32_t{1} << 31;

// A change within this long of a listing may leave the folder's times as
// they were, on file systems whose clock ticks in steps of up to 2 seconds.
constexpr std::int64_t kSettleNs = 2'000'000'000;

}  // namespace

ListingCache::Listing ListingCache::List(const FileSystem& fs, const std::string& folder) {
    // Read before the folder is opened, so it is never later than the
    // moment the listing reflects.
    const std::int64_t listedAt = fs.fileTimeNowNs();
    Listing listing;
    listing.stamp = fs.listFolder(folder, [&](std::string_view name, bool isLink) {
        listing.names.append(name);
        listing.ends.push_back(static_cast<std::uint32_t>(listing.names.size()) | (isLink ? kLinkBit : 0));
    });
    if (listing.stamp) {
        const std::int64_t lastChange = std::max(listing.stamp->modifiedNs, listing.stamp->changedNs);
        listing.settled = listedAt - lastChange >= kSettleNs;
    }
    listing.names.shrink_to_fit();
    listing.ends.shrink_to_fit();
    return listing;
}

void ListingCache::AddFiles(const FileSystem& fs, const std::string& folder, const Listing& listing,
                            CandidateList& candidates) {
    std::uint32_t begin = 0;
    std::string linkPath;
    for (const std::uint32_t mark : listing.ends) {
        const std::uint32_t end = mark & ~kLinkBit;
        const std::string_view name = std::string_view(listing.names).substr(begin, end - begin);
        begin = end;
        if (mark & kLinkBit) {
            linkPath.assign(folder).append(name);
            if (!fs.leadsToFile(linkPath))
                continue;
        }
        candidates.add(folder, name);
    }
}

bool ListingCache::reusable(const FileSystem& fs, const std::string& folder) const {
    const auto kept = folders_.find(folder);
    return kept != folders_.end() && kept->second.settled && fs.folderStamp(folder) == kept->second.stamp;
}

CandidateList ListingCache::candidates(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                                       char separator) {
    // Only the folders of this redraw are carried over; the rest go.
    std::unordered_map<std::string, Listing> current;
    CandidateList candidates;
    for (const std::string& entry : sourceEntries) {
        std::string folder = WithFinalSeparator(entry, separator);
        auto found = current.find(folder);
        if (found == current.end()) {
            Listing listing = reusable(fs, folder) ? std::move(folders_.at(folder)) : List(fs, folder);
            if (!listing.stamp) {
                AddFiles(fs, folder, listing, candidates);
                continue;
            }
            found = current.emplace(std::move(folder), std::move(listing)).first;
        }
        AddFiles(fs, found->first, found->second, candidates);
    }
    folders_ = std::move(current);
    return candidates;
}

void ListingCache::keepOnly(const std::vector<std::string>& sourceEntries, char separator) {
    std::unordered_set<std::string> named;
    for (const std::string& entry : sourceEntries)
        named.insert(WithFinalSeparator(entry, separator));
    std::erase_if(folders_, [&](const auto& kept) { return !named.contains(kept.first); });
}

}  // namespace tarvello
