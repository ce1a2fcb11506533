#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/FileCopy.h"
#include "platform/posix/FolderStampOf.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/WindowsKindMount.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
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

// Whether the entry is a link, a regular file, or neither, without
// following it.
enum class EntryKind { Link, File, Other };

EntryKind KindOf(int dirFd, const dirent& entry) {
    unsigned char type = entry.d_type;
    if (type == DT_UNKNOWN) {
        struct stat info {};
        if (fstatat(dirFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryKind::Other;
        type = S_ISLNK(info.st_mode) ? DT_LNK : S_ISREG(info.st_mode) ? DT_REG : DT_DIR;
    }
    return type == DT_LNK ? EntryKind::Link : type == DT_REG ? EntryKind::File : EntryKind::Other;
}

// Links are not followed: the type of the link itself decides.
bool IsFolder(int dirFd, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    struct stat info {};
    return fstatat(dirFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

// The name with the case of its ASCII letters swapped: "A.jpg" gives "a.JPG".
std::string SwappedCase(std::string_view name) {
    std::string swapped(name);
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return swapped;
}

std::optional<struct stat> Stat(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

// A folder that is not there is told apart from one that cannot be read.
std::string ListingFailure(int error) {
    return error == ENOENT || error == ENOTDIR ? "no such folder" : std::strerror(error);
}

// Hands what `fd` gives to `take` until the end, a failure or a stop;
// `interrupted` runs whenever a signal breaks the wait.
std::optional<ReadFailure> ReadAll(int fd, const ReadPiece& take, const std::function<void()>& interrupted) {
    std::string buffer(1 << 16, '\0');
    for (;;) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got == 0)
            return std::nullopt;
        if (got > 0) {
            if (!take(std::string_view(buffer.data(), static_cast<std::size_t>(got))))
                return std::nullopt;
        } else if (errno == EINTR) {
            interrupted();
        } else {
            return ReadFailure{false, std::strerror(errno)};
        }
    }
}

enum class Volume {
    Other,
    Fat,        // FAT or exFAT, through the kernel or fusefat
    FuseBlock,  // most likely exFAT through exfat-fuse
};

// Whether `folder` lies on FAT or exFAT, through the kernel or through FUSE.
// A look-up cannot tell: both FUSE drivers answer a refused name as a
// missing one. Through FUSE the statfs type says only "FUSE", so the mount
// itself is looked up.
Volume VolumeOf(const std::string& folder) {
    struct statfs kind {};
    struct stat info {};
    if (statfs(folder.c_str(), &kind) != 0 || stat(folder.c_str(), &info) != 0)
        return Volume::Other;
    switch (kind.f_type) {
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC: return Volume::Fat;
    case FUSE_SUPER_MAGIC: break;
    default: return Volume::Other;
    }
    std::ifstream mounts("/proc/self/mountinfo", std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(mounts), {});
    switch (KindOfFuseMount(text, major(info.st_dev), minor(info.st_dev))) {
    case FuseMountKind::FatDriver: return Volume::Fat;
    case FuseMountKind::BlockDevice: return Volume::FuseBlock;
    default: return Volume::Other;
    }
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

std::optional<std::string> PosixFileSystem::forEachFile(
    const std::string& folder, const std::function<void(std::string_view name)>& visit) const {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return ListingFailure(errno);
    const int dirFd = dirfd(dir.get());
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry)
            break;
        if (entry->d_name[0] == '.')  // hidden, and the "." and ".." links
            continue;
        if (IsRegularFile(dirFd, *entry))
            visit(entry->d_name);
    }
    if (errno != 0)
        return ListingFailure(errno);
    return std::nullopt;
}

std::optional<FolderStamp> PosixFileSystem::listFolder(
    const std::string& folder, const std::function<void(std::string_view name, bool isLink)>& visit) const {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return std::nullopt;
    const int dirFd = dirfd(dir.get());
    struct stat info {};
    if (fstat(dirFd, &info) != 0)
        return std::nullopt;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry)
            break;
        if (entry->d_name[0] == '.')
            continue;
        const EntryKind kind = KindOf(dirFd, *entry);
        if (kind != EntryKind::Other)
            visit(entry->d_name, kind == EntryKind::Link);
    }
    // A read cut short gives what it saw, but no stamp to keep it by.
    if (errno != 0)
        return std::nullopt;
    return StampOf(info);
}

// Where the last name of a folder path begins, a final separator aside;
// npos when the path has no parent part.
std::size_t LastNameStart(std::string_view folder) {
    const std::size_t end = folder.find_last_not_of('/');
    if (end == std::string_view::npos)
        return std::string_view::npos;
    const std::size_t slash = folder.rfind('/', end);
    return slash == std::string_view::npos ? slash : slash + 1;
}

std::optional<FolderStamp> FolderStampOf(const std::optional<struct stat>& info) {
    if (!info || !S_ISDIR(info->st_mode))
        return std::nullopt;
    return StampOf(*info);
}

// Folders are mostly asked for in runs that share a parent (the folders of
// one album shelf): such a run is looked up through one handle on the
// parent, so the kernel resolves a single name per folder instead of the
// whole path. The handle is opened through the path at this call, so it
// sees what a stat of the full path would see.
std::vector<std::optional<FolderStamp>> PosixFileSystem::folderStamps(
    const std::vector<std::string_view>& folders) const {
    std::vector<std::optional<FolderStamp>> stamps;
    stamps.reserve(folders.size());
    std::string_view openParent;
    UniqueFd parent;
    std::string name;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::string_view folder = folders[i];
        const std::size_t nameStart = LastNameStart(folder);
        const std::string_view parentPath = folder.substr(0, nameStart == std::string_view::npos ? 0 : nameStart);
        const bool sharedWithNext = i + 1 < folders.size() && LastNameStart(folders[i + 1]) == nameStart &&
                                    folders[i + 1].starts_with(parentPath);
        if (!parentPath.empty() && parentPath != openParent && sharedWithNext) {
            parent = UniqueFd(open(std::string(parentPath).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            openParent = parent ? parentPath : std::string_view();
        }
        if (parentPath.empty() || parentPath != openParent) {
            stamps.push_back(FolderStampOf(Stat(std::string(folder))));
            continue;
        }
        name.assign(folder.substr(nameStart));
        struct stat info {};
        stamps.push_back(fstatat(parent.get(), name.c_str(), &info, 0) == 0 ? FolderStampOf(info)
                                                                             : std::nullopt);
    }
    return stamps;
}

bool PosixFileSystem::leadsToFile(const std::string& path) const {
    const auto info = Stat(path);
    return info && S_ISREG(info->st_mode);
}

// File times are taken from the kernel's coarse clock, which can lag the
// precise one by a tick: reading that same clock keeps "now" from running
// ahead of the times it is compared with.
std::int64_t PosixFileSystem::fileTimeNowNs() const {
    timespec now {};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return Nanoseconds(now);
}

void PosixFileSystem::forEachEntry(
    const std::string& folder, const std::function<void(std::string_view name, bool isFolder)>& visit) const {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return;
    const int dirFd = dirfd(dir.get());
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_name[0] != '.')
            visit(entry->d_name, IsFolder(dirFd, *entry));
    }
}

// Opened without blocking, so that a FIFO with no writer cannot hang the
// caller before its type is seen.
std::optional<ReadFailure> PosixFileSystem::readFile(const std::string& path, const ReadPiece& take) const {
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd)
        return ReadFailure{false, std::strerror(errno)};
    struct stat info {};
    if (fstat(fd.get(), &info) != 0)
        return ReadFailure{false, std::strerror(errno)};
    if (!S_ISREG(info.st_mode))
        return ReadFailure{true, "not a regular file"};
    return ReadAll(fd.get(), take, [] {});
}

std::optional<ReadFailure> PosixFileSystem::readStandardInput(const ReadPiece& take,
                                                             const std::function<void()>& interrupted) const {
    return ReadAll(STDIN_FILENO, take, interrupted);
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
    return ReplaceFile(source, target, progress, &leftovers_);
}

void PosixFileSystem::removeLeftoversOf(const std::string& target) { RemoveLeftoversOf(target, leftovers_); }

std::optional<std::uint64_t> PosixFileSystem::fileSize(const std::string& path) const {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
}

std::optional<std::uint64_t> PosixFileSystem::freeSpace(const std::string& folder) const {
    struct statvfs space {};
    if (statvfs(folder.c_str(), &space) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(space.f_bavail) * space.f_frsize;
}

std::optional<std::uint64_t> PosixFileSystem::allocationUnit(const std::string& folder) const {
    struct statvfs space {};
    if (statvfs(folder.c_str(), &space) != 0 || space.f_frsize == 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(space.f_frsize);
}

// Asks the driver itself rather than guessing from the file system's type:
// the first name with a letter is looked up under its case-swapped spelling,
// which a folding folder finds and a case-sensitive one does not, unless a
// second file stands under that spelling (then the listing shows it). The
// inode cannot tell: exfat-fuse numbers each spelling apart. A folder with
// no name to ask about folds when it lies on FAT or exFAT (or NTFS through
// FUSE, which does not: a few names then get numbers they need not have).
bool PosixFileSystem::foldsCase(const std::string& folder) const {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return false;
    std::string probe;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (probe.empty()) {
            if (std::string swapped = SwappedCase(name); swapped != name)
                probe = std::move(swapped);
        } else if (name == probe) {
            return false;
        }
    }
    if (probe.empty())
        return VolumeOf(folder) != Volume::Other;
    struct stat info {};
    return fstatat(dirfd(dir.get()), probe.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

bool PosixFileSystem::refusesCharacters(const std::string& folder) const {
    return VolumeOf(folder) != Volume::Other;
}

// exfat-fuse lists the entries it made since mounting first, newest first.
EntryOrder PosixFileSystem::entryOrder(const std::string& folder) const {
    switch (VolumeOf(folder)) {
    case Volume::Fat: return EntryOrder::Made;
    case Volume::FuseBlock: return EntryOrder::MadeListedOtherwise;
    default: return EntryOrder::None;
    }
}

std::optional<std::string> PosixFileSystem::resolvedFolder(const std::string& folder) const {
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(folder.c_str(), nullptr), &std::free);
    if (!real)
        return std::nullopt;
    return std::string(real.get());
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
