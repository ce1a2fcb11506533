// What a record of copies needs of the disk: one file's stat, its removal,
// a comparison of two files, a small file replaced in one step, the lock
// that keeps two runs out of one folder, and the moves that put copies in
// order.
#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/UniqueFd.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tarvello {
namespace {

std::string Reason(int error) { return std::strerror(error); }

// Writes all of `bytes`, through short writes and interruptions; 0 or the
// errno.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno != EINTR)
            return errno;
        if (wrote > 0)
            bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return 0;
}

// Reads until `size` bytes are in or the file ends; false on a failure.
bool ReadUpTo(int fd, char* into, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        const ssize_t count = read(fd, into + got, size - got);
        if (count < 0 && errno != EINTR)
            return false;
        if (count == 0)
            break;
        if (count > 0)
            got += static_cast<std::size_t>(count);
    }
    return true;
}

UniqueFd OpenRegular(const std::string& path, struct stat& info) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd && (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)))
        return UniqueFd();
    return fd;
}

class FlockedFile final : public FileLock {
public:
    explicit FlockedFile(UniqueFd fd) : fd_(std::move(fd)) {}

private:
    UniqueFd fd_;  // closing it lets the lock go
};

}  // namespace

bool PosixFileSystem::sameBytes(const std::string& a, const std::string& b) const {
    struct stat infoA {}, infoB {};
    const UniqueFd fdA = OpenRegular(a, infoA), fdB = OpenRegular(b, infoB);
    if (!fdA || !fdB || infoA.st_size != infoB.st_size)
        return false;
    constexpr std::size_t kPiece = 1 << 16;
    const std::unique_ptr<char[]> pieceA(new char[kPiece]), pieceB(new char[kPiece]);
    for (;;) {
        std::size_t gotA = 0, gotB = 0;
        if (!ReadUpTo(fdA.get(), pieceA.get(), kPiece, gotA) || !ReadUpTo(fdB.get(), pieceB.get(), kPiece, gotB) ||
            gotA != gotB || std::memcmp(pieceA.get(), pieceB.get(), gotA) != 0)
            return false;
        if (gotA < kPiece)
            return true;
    }
}

// Opened for writing, so that a file system that takes no writes says so
// here, before anything else is tried in the folder.
LockAttempt PosixFileSystem::lockFile(const std::string& path) {
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!fd)
        return {nullptr, false, Reason(errno)};
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return {nullptr, errno == EWOULDBLOCK, Reason(errno)};
    return {std::make_unique<FlockedFile>(std::move(fd)), false, {}};
}

std::optional<FileStat> PosixFileSystem::fileStat(const std::string& path) const {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileStat{static_cast<std::uint64_t>(info.st_size),
                    static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                    static_cast<std::uint64_t>(info.st_blocks) * 512};
}

std::optional<std::string> PosixFileSystem::removeFile(const std::string& path) {
    if (unlink(path.c_str()) != 0)
        return Reason(errno);
    return std::nullopt;
}

std::optional<std::string> PosixFileSystem::makeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        return Reason(errno);
    return std::nullopt;
}

std::optional<std::string> PosixFileSystem::removeFolder(const std::string& path) {
    if (rmdir(path.c_str()) != 0)
        return Reason(errno);
    return std::nullopt;
}

// A file system that cannot rename without replacing (FUSE drivers built
// on the older interface) is asked first whether the name is free. Some
// drivers (fusefat) stamp a renamed file with the time of the rename on
// the device, so its times are set back, both, as such drivers drop a
// time set alone.
std::optional<std::string> PosixFileSystem::moveFile(const std::string& from, const std::string& to) {
    struct stat before {};
    if (lstat(from.c_str(), &before) != 0)
        return Reason(errno);
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        struct stat taken {};
        if (errno != EINVAL && errno != ENOSYS)
            return Reason(errno);
        if (lstat(to.c_str(), &taken) == 0)
            return Reason(EEXIST);
        if (rename(from.c_str(), to.c_str()) != 0)
            return Reason(errno);
    }
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW);
    return std::nullopt;
}

// The new contents go to a fixed name beside the file, so a run killed
// while writing leaves a leftover that the next write takes over and
// renames away.
std::optional<std::string> PosixFileSystem::replaceContents(const std::string& path, const ContentsWriter& contents) {
    const std::string beside = path + ".new";
    UniqueFd fd(open(beside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd)
        return Reason(errno);
    int error = 0;
    contents([&](std::string_view bytes) {
        if (error == 0)
            error = WriteAll(fd.get(), bytes);
    });
    if (close(fd.release()) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(beside.c_str(), path.c_str()) != 0)
        error = errno;
    if (error == 0)
        return std::nullopt;
    unlink(beside.c_str());
    return Reason(error);
}

}  // namespace tarvello
