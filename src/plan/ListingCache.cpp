#include "plan/ListingCache.h"

#include "lists/PathText.h"

#include <algorithm>
#include <deque>
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
    // Gathered in buffers kept from one folder to the next and then copied
    // at their exact size: one allocation each per folder, not one per step
    // of growth.
    scratchNames_.clear();
    scratchEnds_.clear();
    Listing listing;
    listing.stamp = fs.listFolder(folder, [&](std::string_view name, bool isLink) {
        scratchNames_.append(name);
        scratchEnds_.push_back(static_cast<std::uint32_t>(scratchNames_.size()) | (isLink ? kLinkBit : 0));
    });
    if (listing.stamp) {
        const std::int64_t lastChange = std::max(listing.stamp->modifiedNs, listing.stamp->changedNs);
        listing.settled = listedAt - lastChange >= kSettleNs;
    }
    listing.names = scratchNames_;
    listing.ends = scratchEnds_;
    return listing;
}

void ListingCache::AddFiles(const FileSystem& fs, std::string_view folder, const Listing& listing,
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

CandidateList ListingCache::candidates(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                                       char separator) {
    const std::uint64_t redraw = ++redraws_;

    // The listing each entry names. A folder named twice is checked once and
    // gives its files twice. New and unsettled folders are listed at once;
    // the others are checked against a stamp of their folder, all of them
    // asked for together. A listing that cannot be stamped is used for its
    // entry alone, and not held at all when it is empty (a path that names
    // no folder, most often).
    struct Named {
        std::string_view folder;
        const Listing* listing;
    };
    std::vector<Named> named;
    named.reserve(sourceEntries.size());
    std::deque<std::pair<std::string, Listing>> unkept;
    std::vector<Folders::value_type*> kept;
    std::vector<std::string_view> keptFolders;
    std::string folder;
    for (const std::string& entry : sourceEntries) {
        folder.assign(entry);
        if (!folder.empty() && folder.back() != separator)  // as WithFinalSeparator, without a new string
            folder += separator;
        const auto [found, isNew] = folders_.try_emplace(folder);
        if (isNew) {
            found->second = List(fs, folder);
            if (!found->second.stamp) {
                if (!found->second.ends.empty()) {
                    const auto& [unkeptFolder, unkeptListing] =
                        unkept.emplace_back(folder, std::move(found->second));
                    named.push_back({unkeptFolder, &unkeptListing});
                }
                folders_.erase(found);
                continue;
            }
        } else if (found->second.redraw != redraw) {
            if (found->second.settled) {
                kept.push_back(&*found);
                keptFolders.push_back(found->first);
            } else {
                found->second = List(fs, folder);
            }
        }
        found->second.redraw = redraw;
        named.push_back({found->first, &found->second});
    }
    const std::vector<std::optional<FolderStamp>> stamps = fs.folderStamps(keptFolders);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        auto& [keptFolder, listing] = *kept[i];
        if (stamps[i] != listing.stamp) {
            listing = List(fs, keptFolder);
            listing.redraw = redraw;
        }
    }

    CandidateList candidates;
    candidates.reserve(lastSize_);
    for (const Named& entry : named)
        AddFiles(fs, entry.folder, *entry.listing, candidates);
    lastSize_ = candidates.footprint();
    // Only the folders of this redraw that could be stamped are carried over.
    std::erase_if(folders_, [&](const auto& entry) { return entry.second.redraw != redraw || !entry.second.stamp; });
    return candidates;
}

void ListingCache::keepOnly(const std::vector<std::string>& sourceEntries, char separator) {
    std::unordered_set<std::string> named;
    for (const std::string& entry : sourceEntries)
        named.insert(WithFinalSeparator(entry, separator));
    std::erase_if(folders_, [&](const auto& kept) { return !named.contains(kept.first); });
}

}  // namespace tarvello
