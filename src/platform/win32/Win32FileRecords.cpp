// What a record of copies needs of the disk: one file's stat, its removal,
// and a small file replaced in one step.
#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/OpenPath.h"
#include "platform/win32/Retry.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/TempCopy.h"
#include "platform/win32/WidePath.h"

#include <algorithm>

namespace tarvello {
namespace {

constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
constexpr std::size_t kLargestWrite = 1 << 30;

// Writes all of `bytes`; 0 or the Win32 error.
DWORD WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD put = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(std::min(bytes.size(), kLargestWrite)), &put, nullptr))
            return GetLastError();
        bytes.remove_prefix(put);
    }
    return 0;
}

}  // namespace

// The link itself is opened, not what it leads to.
std::optional<FileStat> Win32FileSystem::fileStat(const std::string& path) const {
    const UniqueHandle file = OpenPath(path, FILE_READ_ATTRIBUTES, FILE_FLAG_OPEN_REPARSE_POINT);
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!file || GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(file.get(), FileStandardInfo, &standard, sizeof standard) ||
        (basic.FileAttributes & kNotPlain) != 0)
        return std::nullopt;
    return FileStat{static_cast<std::uint64_t>(standard.EndOfFile.QuadPart), NsSinceEpoch(basic.LastWriteTime.QuadPart),
                    static_cast<std::uint64_t>(standard.AllocationSize.QuadPart)};
}

std::optional<std::string> Win32FileSystem::removeFile(const std::string& path) {
    const std::optional<std::wstring> wide = ApiPath(path);
    if (!wide)
        return SystemMessage(ERROR_INVALID_NAME);
    if (const DWORD error = RetryWhileShared([&] { return DeleteFileW(wide->c_str()) != 0; }))
        return SystemMessage(error);
    return std::nullopt;
}

// As on other systems, the new contents go to a fixed name beside the
// file, so a run ended while writing leaves a leftover that the next write
// takes over. They are written out to the device before the rename, since
// the flush leaves each file to be written out by itself. A name that
// starts with "." gets the hidden attribute it has elsewhere by its name.
std::optional<std::string> Win32FileSystem::replaceContents(const std::string& path, const ContentsWriter& contents) {
    const std::optional<std::wstring> wide = ApiPath(path);
    const std::optional<std::wstring> beside = ApiPath(path + ".new");
    if (!wide || !beside)
        return SystemMessage(ERROR_INVALID_NAME);
    const bool hidden = path.compare(NameStart(path), 1, ".") == 0;
    DWORD error = 0;
    {
        const UniqueHandle file(CreateFileW(beside->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return SystemMessage(GetLastError());
        contents([&](std::string_view bytes) {
            if (error == 0)
                error = WriteAll(file.get(), bytes);
        });
        if (error == 0 && !FlushFileBuffers(file.get()))
            error = GetLastError();
    }
    if (error == 0) {
        const DWORD old = GetFileAttributesW(wide->c_str());
        error = RenameOver(*beside, *wide, old == INVALID_FILE_ATTRIBUTES ? 0 : old);
    }
    if (error == 0)
        return std::nullopt;
    DeleteFileW(beside->c_str());
    return SystemMessage(error);
}

}  // namespace tarvello
