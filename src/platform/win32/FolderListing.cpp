#include "platform/win32/FolderListing.h"

#include "platform/win32/OpenPath.h"
#include "platform/win32/WidePath.h"

#include <optional>

namespace tarvello {
namespace {

struct FindCloser {
    HANDLE find;
    ~FindCloser() { FindClose(find); }
};

bool IsFolder(const std::string& path) {
    const std::optional<std::wstring> wide = ApiPath(path);
    const DWORD attributes = wide ? GetFileAttributesW(wide->c_str()) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

DWORD ForEachListed(const std::string& folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    if (folder.empty())  // never the current folder; the logic gives the drive's root as "\"
        return ERROR_PATH_NOT_FOUND;
    std::string pattern = folder;
    if (pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    const std::optional<std::wstring> wide = ApiPath(pattern + "*");
    WIN32_FIND_DATAW found;
    const HANDLE find = wide ? FindFirstFileExW(wide->c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                                nullptr, FIND_FIRST_EX_LARGE_FETCH)
                             : INVALID_HANDLE_VALUE;
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = wide ? GetLastError() : ERROR_INVALID_NAME;
        if (!IsFolder(folder))
            return ERROR_PATH_NOT_FOUND;
        // An empty drive root has not even "." to find.
        return error == ERROR_FILE_NOT_FOUND ? 0 : error;
    }
    const FindCloser closer{find};
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..")
            visit(found);
    } while (FindNextFileW(find, &found));
    const DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? 0 : error;
}

std::optional<FolderStamp> FolderStampOf(const std::string& folder) {
    const UniqueHandle handle = OpenPath(folder, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION identity{};
    FILE_BASIC_INFO times{};
    if (!handle || !GetFileInformationByHandle(handle.get(), &identity) ||
        !GetFileInformationByHandleEx(handle.get(), FileBasicInfo, &times, sizeof times) ||
        (identity.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::nullopt;
    return FolderStamp{identity.dwVolumeSerialNumber,
                       (static_cast<std::uint64_t>(identity.nFileIndexHigh) << 32) | identity.nFileIndexLow,
                       NsSinceEpoch(times.LastWriteTime.QuadPart), NsSinceEpoch(times.ChangeTime.QuadPart)};
}

}  // namespace tarvello
