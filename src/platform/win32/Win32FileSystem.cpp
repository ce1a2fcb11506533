#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/FileCopy.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WidePath.h"

#include <windows.h>

namespace tarvello {
namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// 100 ns steps between 1601-01-01, where FILETIME counts from, and 1970.
constexpr std::int64_t kEpochSteps = 116'444'736'000'000'000;

struct FindCloser {
    HANDLE find;
    ~FindCloser() { FindClose(find); }
};

// Calls `visit` with each non-hidden entry of `folder` but "." and "..".
// An empty path names no folder (the logic gives the current drive's root
// as "\").
void ForEachListed(const std::string& folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    if (folder.empty())
        return;
    std::string pattern = folder;
    if (pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    const std::optional<std::wstring> wide = ApiPath(pattern + "*");
    if (!wide)
        return;
    WIN32_FIND_DATAW found;
    const HANDLE find =
        FindFirstFileExW(wide->c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    const FindCloser closer{find};
    do {
        const std::wstring_view name = found.cFileName;
        if ((found.dwFileAttributes & kHidden) == 0 && name != L"." && name != L"..")
            visit(found);
    } while (FindNextFileW(find, &found));
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> AttributeData(const std::string& path) {
    const std::optional<std::wstring> wide = ApiPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return data;
}

std::uint64_t Combined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

}  // namespace

void Win32FileSystem::forEachFile(const std::string& folder,
                                  const std::function<void(std::string_view name)>& visit) const {
    ForEachListed(folder, [&](const WIN32_FIND_DATAW& found) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            visit(Utf8FromWide(found.cFileName));
    });
}

void Win32FileSystem::forEachEntry(const std::string& folder,
                                   const std::function<void(std::string_view name, bool isFolder)>& visit) const {
    ForEachListed(folder, [&](const WIN32_FIND_DATAW& found) {
        const bool folderItself = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                  (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        visit(Utf8FromWide(found.cFileName), folderItself);
    });
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path,
                                                     const std::function<void(std::string_view bytes)>& take) const {
    const std::optional<std::wstring> wide = ApiPath(path);
    if (!wide)
        return SystemMessage(ERROR_INVALID_NAME);
    const UniqueHandle file(CreateFileW(wide->c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(wide->c_str());
        // A folder refuses to open as a file with a bare "access denied".
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return "Is a directory";
        return SystemMessage(error);
    }
    std::string buffer(1 << 16, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            return SystemMessage(GetLastError());
        if (got == 0)
            return std::nullopt;
        take(std::string_view(buffer.data(), got));
    }
}

std::optional<std::int64_t> Win32FileSystem::modificationTime(const std::string& path) const {
    const auto data = AttributeData(path);
    if (!data)
        return std::nullopt;
    const auto steps = static_cast<std::int64_t>(
        Combined(data->ftLastWriteTime.dwHighDateTime, data->ftLastWriteTime.dwLowDateTime));
    return (steps - kEpochSteps) / 10'000'000;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) const {
    const auto data = AttributeData(path);
    if (!data)
        return std::nullopt;
    return static_cast<std::uint32_t>(data->dwFileAttributes);
}

// Through a handle, so that a link gives the size of the file it leads to.
std::optional<std::uint64_t> Win32FileSystem::fileSize(const std::string& path) const {
    const std::optional<std::wstring> wide = ApiPath(path);
    if (!wide)
        return std::nullopt;
    const UniqueHandle file(CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
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
    wchar_t root[MAX_PATH];
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (GetVolumePathNameW(wide->c_str(), root, MAX_PATH) &&
        GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
        const std::uint64_t cluster = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
        if (cluster != 0)
            free -= free % cluster;
    }
    return free;
}

CopyOutcome Win32FileSystem::replaceFile(const std::string& source, const std::string& target,
                                         const CopyProgress& progress) {
    return CopyOver(source, target, progress);
}

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
