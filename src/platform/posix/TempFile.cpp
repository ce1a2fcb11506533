#include "platform/posix/TempFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <set>
#include <utility>

namespace tarvello {
namespace {

constexpr int kAttempts = 100;

// ".<name>.XXXXXX", the name cut short where the whole would exceed
// `nameMax` bytes.
std::string HiddenName(const std::string& targetName, std::size_t nameMax) {
    return RandomHiddenName(std::string_view(targetName).substr(0, nameMax - kHiddenDecoration));
}

// Lowers `nameMax` to the folder's own limit where that is shorter (some
// file systems allow less than NAME_MAX); false when it is not.
bool LowerNameMax(int folderFd, std::size_t& nameMax) {
    const long limit = fpathconf(folderFd, _PC_NAME_MAX);
    if (limit <= static_cast<long>(kHiddenDecoration) || static_cast<std::size_t>(limit) >= nameMax)
        return false;
    nameMax = static_cast<std::size_t>(limit);
    return true;
}

// An unnamed file gets its name by a link through /proc, without the
// privilege that linking the descriptor itself asks for.
bool CanNameUnnamedFiles() {
    static const bool procMounted = access("/proc/self/fd", X_OK) == 0;
    return procMounted;
}

// The temporary files of this process that still have a name. Only the
// program's one thread makes and removes them.
std::set<const TempFile*>& NamedFiles() {
    static std::set<const TempFile*> files;
    return files;
}

}  // namespace

std::vector<std::string> HiddenNameStems(int folderFd, const std::string& targetName) {
    std::size_t nameMax = NAME_MAX;
    std::vector<std::string> stems{targetName.substr(0, nameMax - kHiddenDecoration)};
    if (LowerNameMax(folderFd, nameMax) && targetName.size() > nameMax - kHiddenDecoration)
        stems.push_back(targetName.substr(0, nameMax - kHiddenDecoration));
    return stems;
}

void RemoveUnfinishedTempFiles() {
    for (const TempFile* file : NamedFiles())
        file->removeName();
}

TempFile::TempFile(int folderFd, std::string targetName, bool targetExists, mode_t mode)
    : folderFd_(folderFd), target_(std::move(targetName)), targetExists_(targetExists) {
    // Unnamed also over an old target: a process killed in the middle of
    // the copy then leaves nothing behind.
    if (CanNameUnnamedFiles()) {
        fd_ = UniqueFd(openat(folderFd, ".", O_WRONLY | O_TMPFILE | O_CLOEXEC, mode));
        unnamed_ = static_cast<bool>(fd_);
    }
    if (!unnamed_) {  // also where the file system has no unnamed files
        error_ = takeHiddenName([&](const char* name) {
            fd_ = UniqueFd(openat(folderFd, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            return fd_ ? 0 : -1;
        });
    }
    // Held until the file is closed, so that another run's search for
    // leftovers passes over it. An unnamed file too: it gets a hidden
    // name before it takes the target's.
    if (fd_)
        flock(fd_.get(), LOCK_EX | LOCK_NB);
}

TempFile::~TempFile() {
    removeName();
    NamedFiles().erase(this);
}

void TempFile::removeName() const {
    if (!name_.empty())
        unlinkat(folderFd_, name_.c_str(), 0);
}

int TempFile::takeHiddenName(const std::function<int(const char* name)>& make) {
    std::size_t nameMax = NAME_MAX;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = HiddenName(target_, nameMax);
        if (make(name.c_str()) == 0) {
            name_ = std::move(name);
            NamedFiles().insert(this);
            return 0;
        }
        const int error = errno;
        if (error == ENAMETOOLONG && LowerNameMax(folderFd_, nameMax))
            continue;
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

int TempFile::linkUnnamed() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
    const auto link = [&](const char* name) {
        return linkat(AT_FDCWD, self.c_str(), folderFd_, name, AT_SYMLINK_FOLLOW);
    };
    if (!targetExists_) {
        if (link(target_.c_str()) == 0)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    // Something stands there (the old target, a dangling symbolic link, or
    // a file made meanwhile): only a rename replaces it in one step.
    return takeHiddenName(link);
}

int TempFile::commit() {
    if (unnamed_) {
        if (const int error = linkUnnamed())
            return error;
    }
    // A failed close can be the first word of a failed write (network file
    // systems, quotas), so the copy is not trusted without it.
    if (close(fd_.release()) != 0) {
        const int error = errno;
        if (name_.empty())  // linked straight in the target's place, where nothing stood
            unlinkat(folderFd_, target_.c_str(), 0);
        return error;
    }
    if (name_.empty())
        return 0;
    if (renameat(folderFd_, name_.c_str(), folderFd_, target_.c_str()) != 0)
        return errno;
    name_.clear();
    return 0;
}

}  // namespace tarvello
