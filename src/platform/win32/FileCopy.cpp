#include "platform/win32/FileCopy.h"

#include "platform/RefusedName.h"
#include "platform/win32/OpenPath.h"
#include "platform/win32/Retry.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/TempCopy.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WidePath.h"

#include <optional>
#include <vector>

namespace tarvello {
namespace {

constexpr DWORD kChunk = 1 << 20;

CopyOutcome Failed(DWORD error) {
    return {CopyOutcome::Status::Failed, SystemMessage(error)};
}

// A failure in the target's folder, told by how far it reaches.
CopyOutcome FailedThere(DWORD error) {
    CopyOutcome outcome = Failed(error);
    if (error == ERROR_WRITE_PROTECT || error == ERROR_NOT_READY || error == ERROR_DEV_NOT_EXIST ||
        error == ERROR_DEVICE_NOT_CONNECTED)
        outcome.reach = CopyOutcome::Reach::Destination;
    else if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
        outcome.reach = CopyOutcome::Reach::Room;
    return outcome;
}

// A name the file system refuses, for a character the system's words
// would not point at.
CopyOutcome NamingFailed(DWORD error) {
    if (error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME)
        return {CopyOutcome::Status::Failed, kRefusedNameReason};
    return FailedThere(error);
}

// The target's own name, past its folder and a drive-relative "C:".
std::string_view TargetName(std::string_view target) {
    const std::size_t separator = target.find_last_of("\\/");
    if (separator != std::string_view::npos)
        return target.substr(separator + 1);
    return target.size() >= 2 && target[1] == ':' ? target.substr(2) : target;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// What stands at the target: nothing, or its identity and attributes.
struct Target {
    BY_HANDLE_FILE_INFORMATION info{};
    bool exists = false;
};

std::optional<Target> LookAt(const std::wstring& path, DWORD& error) {
    const UniqueHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    Target target;
    if (!file) {
        error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        return target;
    }
    if (!GetFileInformationByHandle(file.get(), &target.info)) {
        error = GetLastError();
        return std::nullopt;
    }
    target.exists = true;
    return target;
}

DWORD CopyContents(HANDLE in, HANDLE out, const CopyProgress& progress) {
    std::vector<char> buffer(kChunk);
    std::uint64_t done = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in, buffer.data(), kChunk, &got, nullptr))
            return GetLastError();
        if (got == 0)
            return 0;
        for (DWORD written = 0; written < got;) {
            DWORD put = 0;
            if (!WriteFile(out, buffer.data() + written, got - written, &put, nullptr))
                return GetLastError();
            written += put;
        }
        done += got;
        progress(done);
    }
}

// The copy gets the source's modification time and, in place of the hidden
// bit it was made with, the archive bit any new file has.
bool SettleAttributes(HANDLE copy, const FILETIME& modified) {
    FILE_BASIC_INFO basic{};
    basic.LastWriteTime.LowPart = modified.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(modified.dwHighDateTime);
    basic.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    return SetFileInformationByHandle(copy, FileBasicInfo, &basic, sizeof basic) != 0;
}

CopyOutcome CopyInto(const std::string& target, const std::wstring& to, HANDLE in, const FILETIME& modified,
                     DWORD oldAttributes, const CopyProgress& progress) {
    TempCopy copy(target);
    if (copy.error() != 0)
        return NamingFailed(copy.error());
    if (const DWORD failed = CopyContents(in, copy.handle(), progress))
        return FailedThere(failed);
    if (!SettleAttributes(copy.handle(), modified) || !FlushFileBuffers(copy.handle()))
        return FailedThere(GetLastError());
    if (const DWORD failed = copy.commitOver(to, oldAttributes))
        return NamingFailed(failed);
    return {CopyOutcome::Status::Copied, {}};
}

}  // namespace

CopyOutcome CopyOver(const std::string& source, const std::string& target, const CopyProgress& progress,
                     Leftovers* leftovers) {
    const std::optional<std::wstring> from = ApiPath(source);
    const std::optional<std::wstring> to = ApiPath(target);
    if (!from || !to)
        return Failed(ERROR_INVALID_NAME);
    // Refused before anything is made: "a:b" would name a stream of "a".
    if (HoldsRefusedCharacter(TargetName(target)))
        return {CopyOutcome::Status::Failed, kRefusedNameReason};

    UniqueHandle in;
    if (const DWORD error = RetryWhileShared([&] {
            in = UniqueHandle(CreateFileW(from->c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            return static_cast<bool>(in);
        }))
        return Failed(error);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(in.get(), &info))
        return Failed(GetLastError());
    if (GetFileType(in.get()) != FILE_TYPE_DISK)
        return {CopyOutcome::Status::Failed, "not a regular file"};

    // Checked before anything is created: a file is never replaced by a
    // copy of itself (that would only split a hard link), nor is a folder.
    DWORD error = 0;
    const std::optional<Target> old = LookAt(*to, error);
    if (!old)
        return Failed(error);
    if (old->exists && SameFile(info, old->info))
        return {CopyOutcome::Status::SameFile, "source and target are the same file"};
    if (old->exists && (old->info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {CopyOutcome::Status::Failed, "Is a directory"};

    if (leftovers)
        leftovers->removeFor(target);
    const CopyOutcome outcome = CopyInto(target, *to, in.get(), info.ftLastWriteTime,
                                         old->exists ? old->info.dwFileAttributes : 0, progress);
    if (leftovers)
        leftovers->copyEnded(target, outcome.status == CopyOutcome::Status::Copied);
    return outcome;
}

}  // namespace tarvello
