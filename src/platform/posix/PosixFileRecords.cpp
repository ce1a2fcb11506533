// What a record of copies needs of the disk: one file's stat, its removal,
// and a small file replaced in one step.
#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

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
