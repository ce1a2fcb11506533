#include "platform/posix/Leftovers.h"

#include "platform/posix/FolderStampOf.h"
#include "platform/posix/TempFile.h"

#include <dirent.h>
#include "platform/posix/UniqueFd.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include <memory>

namespace tarvello {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// A copy under way, of this run or another, holds a lock on its hidden file.
bool HeldByACopy(int folderFd, const std::string& name) {
    const UniqueFd fd(openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    return fd && flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

}  // namespace

void Leftovers::removeFor(int folderFd, const std::string& folder, const std::string& targetName) {
    struct stat now {};
    if (fstat(folderFd, &now) != 0 || index_.unnamedCopies(folder, StampOf(now)))
        return;
    const auto list = [folderFd](const std::function<void(std::string_view)>& visit) {
        const int listFd = openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        std::unique_ptr<DIR, DirCloser> dir(listFd >= 0 ? fdopendir(listFd) : nullptr);
        if (listFd >= 0 && !dir)
            close(listFd);
        while (const dirent* entry = dir ? readdir(dir.get()) : nullptr)
            visit(entry->d_name);
    };
    for (const std::string& name : index_.take(folder, StampOf(now), HiddenNameStems(folderFd, targetName), list))
        if (!HeldByACopy(folderFd, name))
            unlinkat(folderFd, name.c_str(), 0);
}

void Leftovers::copyEnded(int folderFd, const std::string& folder, bool copied, bool unnamed) {
    struct stat now {};
    const bool stamped = copied && !unnamed && fstat(folderFd, &now) == 0;
    index_.copyEnded(folder, stamped ? std::optional(StampOf(now)) : std::nullopt, unnamed);
}

}  // namespace tarvello
