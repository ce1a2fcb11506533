#include "platform/posix/Leftovers.h"

#include "platform/posix/TempFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace tarvello {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// The same folder, with the same entries as far as its clock tells.
bool Unchanged(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && SameTime(a.st_mtim, b.st_mtim) &&
           SameTime(a.st_ctim, b.st_ctim);
}

}  // namespace

void Leftovers::removeFor(int folderFd, const std::string& folder, const std::string& targetName) {
    struct stat now {};
    if (fstat(folderFd, &now) != 0)
        return;
    auto listing = listings_.find(folder);
    if (listing != listings_.end() && listing->second.unnamedCopies && listing->second.stamp.st_dev == now.st_dev)
        return;
    if (listing == listings_.end() || !Unchanged(listing->second.stamp, now)) {
        Listing fresh{now, {}};
        const int listFd = openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        std::unique_ptr<DIR, DirCloser> dir(listFd >= 0 ? fdopendir(listFd) : nullptr);
        if (listFd >= 0 && !dir)
            close(listFd);
        while (const dirent* entry = dir ? readdir(dir.get()) : nullptr) {
            if (const auto stem = HiddenNameStem(entry->d_name))
                fresh.byStem.emplace(std::string(*stem), entry->d_name);
        }
        listing = listings_.insert_or_assign(folder, std::move(fresh)).first;
    }
    auto& byStem = listing->second.byStem;
    for (const std::string& stem : HiddenNameStems(folderFd, targetName)) {
        const auto [first, last] = byStem.equal_range(stem);
        for (auto leftover = first; leftover != last; ++leftover)
            unlinkat(folderFd, leftover->second.c_str(), 0);
        byStem.erase(first, last);
    }
}

void Leftovers::copyEnded(int folderFd, const std::string& folder, bool copied, bool unnamed) {
    const auto listing = listings_.find(folder);
    if (listing == listings_.end() || listing->second.unnamedCopies)
        return;
    listing->second.unnamedCopies = unnamed;
    if (!unnamed && (!copied || fstat(folderFd, &listing->second.stamp) != 0))
        listings_.erase(listing);
}

}  // namespace tarvello
