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

bool ListingCache::Reusable(const FileSystem& fs, const std::string& folder, const Listing& listing) {
    return listing.settled && fs.folderStamp(folder) == listing.stamp;
}

CandidateList ListingCache::candidates(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                                       char separator) {
    const std::uint64_t redraw = ++redraws_;
    folders_.reserve(sourceEntries.size());
    CandidateList candidates;
    candidates.reserve(lastSize_);
    std::string folder;
    for (const std::string& entry : sourceEntries) {
        folder.assign(entry);
        if (folder.empty() || folder.back() != separator)
            folder += separator;
        const auto [kept, isNew] = folders_.try_emplace(folder);
        Listing& listing = kept->second;
        // A folder named twice is checked once and gives its files twice.
        if (listing.redraw != redraw) {
            if (isNew || !Reusable(fs, folder, listing))
                listing = List(fs, folder);
            listing.redraw = redraw;
        }
        AddFiles(fs, kept->first, listing, candidates);
    }
    // Only the folders of this redraw that could be stamped are carried over.
    std::erase_if(folders_, [&](const auto& kept) { return kept.second.redraw != redraw || !kept.second.stamp; });
    lastSize_ = candidates.footprint();
    return candidates;
}

void ListingCache::keepOnly(const std::vector<std::string>& sourceEntries, char separator) {
    std::unordered_set<std::string> named;
    for (const std::string& entry : sourceEntries)
        named.insert(WithFinalSeparator(entry, separator));
    std::erase_if(folders_, [&](const auto& kept) { return !named.contains(kept.first); });
}

}  // namespace tarvello
