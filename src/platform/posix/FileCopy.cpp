#include "platform/posix/FileCopy.h"

#include "platform/RefusedName.h"
#include "platform/posix/CopyContents.h"
#include "platform/posix/TempFile.h"
#include "platform/posix/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace tarvello {
namespace {

CopyOutcome Failed(int error) {
    return {CopyOutcome::Status::Failed, std::strerror(error)};
}

// A failure in the target's folder, told by how far it reaches: an I/O
// error there, before any byte is written, speaks for the folder itself.
CopyOutcome FailedThere(int error, bool onFolder) {
    CopyOutcome outcome = Failed(error);
    if (error == EROFS || error == ENODEV || error == ENXIO || error == ENOTCONN || (error == EIO && onFolder))
        outcome.reach = CopyOutcome::Reach::Destination;
    else if (error == ENOSPC || error == EDQUOT)
        outcome.reach = CopyOutcome::Reach::Room;
    return outcome;
}

// FAT and exFAT refuse such a name with an error (ENOENT, EPERM or EINVAL,
// by driver) that would read as a missing source.
CopyOutcome NamingFailed(int error, const std::string& name) {
    const bool refusedError = error == ENOENT || error == EPERM || error == EINVAL;
    if (refusedError && HoldsRefusedCharacter(name))
        return {CopyOutcome::Status::Failed, kRefusedNameReason};
    return FailedThere(error, true);
}

// The folder ("." for a bare name) and the last name of a path.
std::pair<std::string, std::string> SplitFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

CopyOutcome CopyInto(int folderFd, const std::string& name, int in, const struct stat& from, bool targetExists,
                     const CopyProgress& progress, bool& unnamed) {
    // Permission bits as a plain copy gives them: the source's, without
    // set-id and sticky bits, trimmed by the umask.
    TempFile temp(folderFd, name, targetExists, from.st_mode & 0777);
    unnamed = temp.unnamed();
    if (temp.error() != 0)
        return NamingFailed(temp.error(), name);
    if (const int error = CopyContents(in, temp.fd(), from.st_size, progress))
        return FailedThere(error, false);

    // The source's times, to the nanosecond. Both are set: the FUSE drivers
    // of exFAT and FAT drop a change of the modification time alone. A file
    // system that cannot store them still gets the copy, as `cp -p` keeps
    // its copy then.
    const struct timespec times[2] = {from.st_atim, from.st_mtim};
    futimens(temp.fd(), times);

    if (const int error = temp.commit())
        return NamingFailed(error, name);
    return {CopyOutcome::Status::Copied, {}};
}

}  // namespace

CopyOutcome ReplaceFile(const std::string& source, const std::string& target, const CopyProgress& progress,
                        Leftovers* leftovers) {
    // Non-blocking, so that a FIFO standing where a file was cannot hang
    // the run; on a regular file the flag changes nothing.
    const UniqueFd in(open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!in)
        return Failed(errno);
    struct stat from {};
    if (fstat(in.get(), &from) != 0)
        return Failed(errno);
    if (S_ISDIR(from.st_mode))
        return Failed(EISDIR);
    if (!S_ISREG(from.st_mode))
        return {CopyOutcome::Status::Failed, "not a regular file"};

    // Checked before anything is created: a file is never replaced by a
    // copy of itself (that would only split a hard link), nor is a folder.
    struct stat to {};
    const bool targetExists = stat(target.c_str(), &to) == 0;
    if (targetExists) {
        if (SameFile(from, to))
            return {CopyOutcome::Status::SameFile, "source and target are the same file"};
        if (S_ISDIR(to.st_mode))
            return Failed(EISDIR);
    } else if (errno != ENOENT) {
        return FailedThere(errno, true);
    }

    const auto [folder, name] = SplitFolder(target);
    if (name.empty())
        return Failed(EISDIR);
    const UniqueFd folderFd(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd)
        return FailedThere(errno, true);

    if (leftovers)
        leftovers->removeFor(folderFd.get(), folder, name);
    bool unnamed = false;
    CopyOutcome outcome = CopyInto(folderFd.get(), name, in.get(), from, targetExists, progress, unnamed);
    if (leftovers)
        leftovers->copyEnded(folderFd.get(), folder, outcome.status == CopyOutcome::Status::Copied, unnamed);
    return outcome;
}

void RemoveLeftoversOf(const std::string& target, Leftovers& leftovers) {
    const auto [folder, name] = SplitFolder(target);
    const UniqueFd folderFd(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folderFd && !name.empty())
        leftovers.removeFor(folderFd.get(), folder, name);
}

}  // namespace tarvello
