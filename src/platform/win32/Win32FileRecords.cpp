// What a record of copies needs of the disk: one file's stat, its removal,
// a comparison of two files, a small file replaced in one step, the lock
// that keeps two runs out of one folder, and the moves that put copies in
// order.
#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/OpenPath.h"
#include "platform/win32/Retry.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/TempCopy.h"
#include "platform/win32/WidePath.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

// Reads until `size` bytes are in or the file ends; false on a failure.
bool ReadUpTo(HANDLE file, char* into, DWORD size, DWORD& got) {
    got = 0;
    while (got < size) {
        DWORD count = 0;
        if (!ReadFile(file, into + got, size - got, &count, nullptr))
            return false;
        if (count == 0)
            break;
        got += count;
    }
    return true;
}

UniqueHandle OpenPlain(const std::string& path) {
    UniqueHandle file = OpenPath(path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN);
    if (file && GetFileType(file.get()) != FILE_TYPE_DISK)
        return UniqueHandle();
    return file;
}

class LockedFile final : public FileLock {
public:
    explicit LockedFile(UniqueHandle file) : file_(std::move(file)) {}

private:
    UniqueHandle file_;  // closing it lets the lock go
};

}  // namespace

bool Win32FileSystem::sameBytes(const std::string& a, const std::string& b) const {
    const UniqueHandle fileA = OpenPlain(a), fileB = OpenPlain(b);
    LARGE_INTEGER sizeA{}, sizeB{};
    if (!fileA || !fileB || !GetFileSizeEx(fileA.get(), &sizeA) || !GetFileSizeEx(fileB.get(), &sizeB) ||
        sizeA.QuadPart != sizeB.QuadPart)
        return false;
    constexpr DWORD kPiece = 1 << 16;
    const std::unique_ptr<char[]> pieceA(new char[kPiece]), pieceB(new char[kPiece]);
    for (;;) {
        DWORD gotA = 0, gotB = 0;
        if (!ReadUpTo(fileA.get(), pieceA.get(), kPiece, gotA) || !ReadUpTo(fileB.get(), pieceB.get(), kPiece, gotB) ||
            gotA != gotB || std::memcmp(pieceA.get(), pieceB.get(), gotA) != 0)
            return false;
        if (gotA < kPiece)
            return true;
    }
}

// Opened for writing, so that a volume that takes no writes says so here,
// and hidden like the record it guards.
LockAttempt Win32FileSystem::lockFile(const std::string& path) {
    const std::optional<std::wstring> wide = ApiPath(path);
    if (!wide)
        return {nullptr, false, SystemMessage(ERROR_INVALID_NAME)};
    UniqueHandle file(CreateFileW(wide->c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file)
        return {nullptr, false, SystemMessage(GetLastError())};
    OVERLAPPED whole{};
    if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        const DWORD error = GetLastError();
        return {nullptr, error == ERROR_LOCK_VIOLATION, SystemMessage(error)};
    }
    return {std::make_unique<LockedFile>(std::move(file)), false, {}};
}

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

// A name that starts with "." gets the hidden attribute it has elsewhere
// by its name.
std::optional<std::string> Win32FileSystem::makeFolder(const std::string& path) {
    const std::optional<std::wstring> wide = ApiPath(path);
    if (!wide)
        return SystemMessage(ERROR_INVALID_NAME);
    if (!CreateDirectoryW(wide->c_str(), nullptr)) {
        const DWORD error = GetLastError();
        return error == ERROR_ALREADY_EXISTS ? std::nullopt : std::optional(SystemMessage(error));
    }
    if (path.compare(NameStart(path), 1, ".") == 0)
        SetFileAttributesW(wide->c_str(), FILE_ATTRIBUTE_HIDDEN);
    return std::nullopt;
}

std::optional<std::string> Win32FileSystem::removeFolder(const std::string& path) {
    const std::optional<std::wstring> wide = ApiPath(path);
    if (!wide)
        return SystemMessage(ERROR_INVALID_NAME);
    if (!RemoveDirectoryW(wide->c_str()))
        return SystemMessage(GetLastError());
    return std::nullopt;
}

// Without MOVEFILE_REPLACE_EXISTING a name taken fails the move.
std::optional<std::string> Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
    const std::optional<std::wstring> wideFrom = ApiPath(from);
    const std::optional<std::wstring> wideTo = ApiPath(to);
    if (!wideFrom || !wideTo)
        return SystemMessage(ERROR_INVALID_NAME);
    if (const DWORD error = RetryWhileShared([&] { return MoveFileExW(wideFrom->c_str(), wideTo->c_str(), 0) != 0; }))
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
