#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/FileCopy.h"
#include "platform/posix/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <memory>
#include <set>
#include <utility>

namespace tarvello {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Regular files count, and so do links that resolve to one. The entry type
// from the directory read spares a stat for all but links and "unknown".
bool IsRegularFile(int dirFd, const dirent& entry) {
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat info {};
    return fstatat(dirFd, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

std::optional<struct stat> Stat(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

// How often the caller gets control back while a flush runs.
constexpr std::chrono::milliseconds kWaitSlice{10};

struct OpenFileSystem {
    UniqueFd fd;
    std::string folder;
};

}  // namespace

// syncfs blocks until the device has taken everything, which on a slow
// stick takes seconds: it runs on a helper thread while the caller keeps
// its window going.
std::vector<FlushFailure> PosixFileSystem::flush(const std::vector<std::string>& folders,
                                                 const std::function<void()>& whileWaiting) {
    std::vector<FlushFailure> failures;
    std::vector<OpenFileSystem> fileSystems;
    std::set<dev_t> seen;
    for (const std::string& folder : folders) {
        UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat info {};
        if (!fd || fstat(fd.get(), &info) != 0)
            failures.push_back({folder, std::strerror(errno)});
        else if (seen.insert(info.st_dev).second)
            fileSystems.push_back({std::move(fd), folder});
    }

    auto flushed = std::async(std::launch::async, [&fileSystems] {
        std::vector<FlushFailure> failed;
        for (const OpenFileSystem& fileSystem : fileSystems)
            if (syncfs(fileSystem.fd.get()) != 0)
                failed.push_back({fileSystem.folder, std::strerror(errno)});
        return failed;
    });
    while (flushed.wait_for(kWaitSlice) != std::future_status::ready)
        whileWaiting();
    for (FlushFailure& failure : flushed.get())
        failures.push_back(std::move(failure));
    return failures;
}

void PosixFileSystem::forEachFile(const std::string& folder,
                                  const std::function<void(std::string_view name)>& visit) const {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return;
    const int dirFd = dirfd(dir.get());
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_name[0] == '.')  // hidden, and the "." and ".." links
            continue;
        if (IsRegularFile(dirFd, *entry))
            visit(entry->d_name);
    }
}

std::optional<std::int64_t> PosixFileSystem::modificationTime(const std::string& path) const {
    const auto info = Stat(path);
    if (!info)
        return std::nullopt;
    return static_cast<std::int64_t>(info->st_mtim.tv_sec);
}

std::optional<std::uint32_t> PosixFileSystem::attributes(const std::string& path) const {
    const auto info = Stat(path);
    if (!info)
        return std::nullopt;
    return static_cast<std::uint32_t>(info->st_mode);
}

CopyOutcome PosixFileSystem::replaceFile(const std::string& source, const std::string& target,
                                         const CopyProgress& progress) {
    return ReplaceFile(source, target, progress);
}

std::string PosixFileSystem::programFolder() const {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0)
        return {};
    path.resize(static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace tarvello
