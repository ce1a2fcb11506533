#pragma once

#include "platform/FileSystem.h"
#include "platform/HiddenName.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvello {

// The hidden copies in the making that runs killed by a signal or a pulled
// stick left in destination folders, by folder. Each folder is listed once
// and listed again only when its stamp shows that its entries changed by
// another hand than these copies'. A folder whose copies need no hidden
// name is not looked at again while it stays on the same device: no copy
// there leaves anything behind.
class LeftoverIndex {
public:
    // Lists a folder: every name in it, hidden ones too.
    using Listing = std::function<void(const std::function<void(std::string_view name)>& visit)>;

    // Whether the copies into `folder`, whose stamp is `now`, need no hidden
    // name, so that it holds no leftovers to look for.
    bool unnamedCopies(const std::string& folder, const FolderStamp& now) const {
        const auto listing = listings_.find(folder);
        return listing != listings_.end() && listing->second.unnamedCopies && listing->second.stamp.device == now.device;
    }

    // The names in `folder`, whose stamp is `now`, of the leftovers of copies
    // to a target whose hidden names have one of `stems`, and no other: a
    // name must have exactly that hidden form. They are forgotten here, for
    // the caller removes them.
    std::vector<std::string> take(const std::string& folder, const FolderStamp& now,
                                  const std::vector<std::string>& stems, const Listing& list) {
        auto listing = listings_.find(folder);
        if (listing == listings_.end() || listing->second.stamp != now) {
            Listed fresh{now, {}};
            list([&](std::string_view name) {
                if (const auto stem = HiddenNameStem(name))
                    fresh.byStem.emplace(std::string(*stem), std::string(name));
            });
            listing = listings_.insert_or_assign(folder, std::move(fresh)).first;
        }
        std::vector<std::string> names;
        auto& byStem = listing->second.byStem;
        for (const std::string& stem : stems) {
            const auto [first, last] = byStem.equal_range(stem);
            for (auto leftover = first; leftover != last; ++leftover)
                names.push_back(std::move(leftover->second));
            byStem.erase(first, last);
        }
        return names;
    }

    // A copy into `folder` has ended, leaving the folder with the stamp
    // `now`, made `unnamed` or under a hidden name. Nothing after a failed
    // copy, which may have left its own hidden file: the folder is then
    // listed afresh.
    void copyEnded(const std::string& folder, const std::optional<FolderStamp>& now, bool unnamed = false) {
        const auto listing = listings_.find(folder);
        if (listing == listings_.end() || listing->second.unnamedCopies)
            return;
        listing->second.unnamedCopies = unnamed;
        if (unnamed)
            return;
        if (now)
            listing->second.stamp = *now;
        else
            listings_.erase(listing);
    }

private:
    struct Listed {
        FolderStamp stamp;
        std::unordered_multimap<std::string, std::string> byStem;  // hidden names by their stem
        bool unnamedCopies = false;
    };
    std::map<std::string, Listed> listings_;
};

}  // namespace tarvello
