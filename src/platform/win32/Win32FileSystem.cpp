#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/FileCopy.h"
#include "platform/win32/FolderListing.h"
#include "platform/win32/OpenPath.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WidePath.h"

#include <windows.h>

namespace tarvello {
namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// Set on a folder whose names differ by case (as WSL makes them).
constexpr ULONG kCaseSensitiveFolder = 0x1;

std::optional<WIN32_FILE_ATTRIBUTE_DATA> AttributeData(const std::string& path) {
    const std::optional<std::wstring> wide = ApiPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return data;
}

std::uint64_t Combined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

// The cluster of the volume that holds the folder.
std::optional<std::uint64_t> ClusterSize(const std::wstring& folder) {
    wchar_t root[MAX_PATH];
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetVolumePathNameW(folder.c_str(), root, MAX_PATH) ||
        !GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return std::nullopt;
    const std::uint64_t cluster = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
    return cluster == 0 ? std::nullopt : std::optional(cluster);
}

}  // namespace

std::optional<std::string> Win32FileSystem::forEachFile(
    const std::string& folder, const std::function<void(std::string_view name)>& visit) const {
    const DWORD error = ForEachListed(folder, [&](const WIN32_FIND_DATAW& found) {
        if ((found.dwFileAttributes & (kHidden | FILE_ATTRIBUTE_DIRECTORY)) == 0)
            visit(Utf8FromWide(found.cFileName));
    });
    if (error == 0)
        return std::nullopt;
    return error == ERROR_PATH_NOT_FOUND ? "no such folder" : SystemMessage(error);
}

std::vector<std::optional<FolderStamp>> Win32FileSystem::folderStamps(
    const std::vector<std::string_view>& folders) const {
    std::vector<std::optional<FolderStamp>> stamps;
    for (const std::string_view folder : folders)
        stamps.push_back(FolderStampOf(std::string(folder)));
    return stamps;
}

void Win32FileSystem::forEachEntry(const std::string& folder,
                                   const std::function<void(std::string_view name, bool isFolder)>& visit) const {
    ForEachListed(folder, [&](const WIN32_FIND_DATAW& found) {
        if ((found.dwFileAttributes & kHidden) != 0)
            return;
        const bool folderItself = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                  (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        visit(Utf8FromWide(found.cFileName), folderItself);
    });
}

std::optional<std::int64_t> Win32FileSystem::modificationTime(const std::string& path) const {
    const auto data = AttributeData(path);
    if (!data)
        return std::nullopt;
    const auto steps = static_cast<std::int64_t>(
        Combined(data->ftLastWriteTime.dwHighDateTime, data->ftLastWriteTime.dwLowDateTime));
    return NsSinceEpoch(steps) / 1'000'000'000;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) const {
    const auto data = AttributeData(path);
    if (!data)
        return std::nullopt;
    return static_cast<std::uint32_t>(data->dwFileAttributes);
}

// Through a handle, so that a link gives the size of the file it leads to.
std::optional<std::uint64_t> Win32FileSystem::fileSize(const std::string& path) const {
    const UniqueHandle file = OpenPath(path, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size))
        return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
}

// What the caller may fill, in whole clusters: a file takes at least one.
std::optional<std::uint64_t> Win32FileSystem::freeSpace(const std::string& folder) const {
    const std::optional<std::wstring> wide = ApiPath(folder);
    ULARGE_INTEGER available;
    if (folder.empty() || !wide || !GetDiskFreeSpaceExW(wide->c_str(), &available, nullptr, nullptr))
        return std::nullopt;
    std::uint64_t free = available.QuadPart;
    if (const auto cluster = ClusterSize(*wide))
        free -= free % *cluster;
    return free;
}

std::optional<std::uint64_t> Win32FileSystem::allocationUnit(const std::string& folder) const {
    const std::optional<std::wstring> wide = ApiPath(folder);
    if (folder.empty() || !wide)
        return std::nullopt;
    return ClusterSize(*wide);
}

// The folders of Windows fold case, all but one whose case-sensitive flag
// is set; a folder that cannot say is taken to fold, as almost all do.
bool Win32FileSystem::foldsCase(const std::string& folder) const {
    const UniqueHandle handle = OpenPath(folder, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
    FILE_CASE_SENSITIVE_INFO info{};
    return !(handle && GetFileInformationByHandleEx(handle.get(), FileCaseSensitiveInfo, &info, sizeof info) &&
             (info.Flags & kCaseSensitiveFolder) != 0);
}

// Windows refuses these characters on every file system, and drops
// trailing dots and blanks from names; through the long-path prefix such a
// name is made as it stands, and then no program can open it.
bool Win32FileSystem::refusesCharacters(const std::string&) const { return true; }

EntryOrder Win32FileSystem::entryOrder(const std::string& folder) const {
    const std::optional<std::wstring> wide = ApiPath(folder);
    wchar_t root[MAX_PATH];
    wchar_t kind[MAX_PATH];
    if (folder.empty() || !wide || !GetVolumePathNameW(wide->c_str(), root, MAX_PATH) ||
        !GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, kind, MAX_PATH))
        return EntryOrder::None;
    const std::wstring_view name = kind;
    return name == L"FAT" || name == L"FAT32" || name == L"exFAT" ? EntryOrder::Made : EntryOrder::None;
}

CopyOutcome Win32FileSystem::replaceFile(const std::string& source, const std::string& target,
                                         const CopyProgress& progress) {
    return CopyOver(source, target, progress, &leftovers_);
}

void Win32FileSystem::removeLeftoversOf(const std::string& target) { leftovers_.removeFor(target); }

// Each copy was written out to its device before it was renamed into place
// (and the rename written through), so nothing is left to wait for; a
// folder that is gone is still reported, as on other systems.
std::vector<FlushFailure> Win32FileSystem::flush(const std::vector<std::string>& folders,
                                                 const std::function<void()>&) {
    std::vector<FlushFailure> failures;
    for (const std::string& folder : folders) {
        const std::optional<std::wstring> wide = ApiPath(folder);
        if (!wide || GetFileAttributesW(wide->c_str()) == INVALID_FILE_ATTRIBUTES)
            failures.push_back({folder, SystemMessage(wide ? GetLastError() : ERROR_INVALID_NAME)});
    }
    return failures;
}

// The final path of the folder's handle, links resolved, comes with the
// "\\?\" prefix that the paths given to the program do not have.
std::optional<std::string> Win32FileSystem::resolvedFolder(const std::string& folder) const {
    const UniqueHandle handle = OpenPath(folder, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
    if (!handle)
        return std::nullopt;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle.get(), path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return std::nullopt;
        const bool fits = length < path.size();
        path.resize(length);
        if (fits)
            break;
    }
    if (path.starts_with(L"\\\\?\\UNC\\"))
        return "\\\\" + Utf8FromWide(std::wstring_view(path).substr(8));
    if (path.starts_with(L"\\\\?\\"))
        return Utf8FromWide(std::wstring_view(path).substr(4));
    return Utf8FromWide(path);
}

std::string Win32FileSystem::programFolder() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string utf8 = Utf8FromWide(path);
    const auto separator = utf8.rfind('\\');
    return separator == std::string::npos ? std::string() : utf8.substr(0, separator);
}

}  // namespace tarvello
