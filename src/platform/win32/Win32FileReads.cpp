// Reading a list: a file, refused unless it is a plain file on a disk, and
// the program's standard input, whatever it is.
#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/ConsoleStopHandler.h"
#include "platform/win32/OpenPath.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/WidePath.h"

namespace tarvello {
namespace {

constexpr DWORD kPiece = 1 << 16;
constexpr wchar_t kEndOfTyping = L'\x1a';  // Ctrl-Z

ReadFailure NotRegular() { return {true, "not a regular file"}; }

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Hands what `handle` gives to `take` until the end, a failure or a stop.
// A read that Ctrl-C aborts calls `interrupted` and reads on; a pipe whose
// writer has gone has ended.
std::optional<ReadFailure> ReadAll(HANDLE handle, const ReadPiece& take, const std::function<void()>& interrupted) {
    std::string buffer(kPiece, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(handle, buffer.data(), kPiece, &got, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE)
                return std::nullopt;
            if (error != ERROR_OPERATION_ABORTED)
                return ReadFailure{false, SystemMessage(error)};
            interrupted();
            continue;
        }
        if (got == 0 || !take(std::string_view(buffer.data(), got)))
            return std::nullopt;
    }
}

// A console gives what is typed, a line at a time, in UTF-16 (its code page
// would lose names); Ctrl-Z at the start of a line ends the typing.
std::optional<ReadFailure> ReadConsoleLines(HANDLE console, const ReadPiece& take,
                                            const std::function<void()>& interrupted) {
    std::wstring typed(kPiece, L'\0');
    std::size_t kept = 0;  // the first half of a surrogate pair that the last read split
    for (;;) {
        DWORD got = 0;
        SetLastError(0);
        const BOOL read = ReadConsoleW(console, typed.data() + kept, kPiece - 1, &got, nullptr);
        if (GetLastError() == ERROR_OPERATION_ABORTED) {
            interrupted();
            continue;
        }
        if (!read)
            return ReadFailure{false, SystemMessage(GetLastError())};
        if (got == 0 || typed[kept] == kEndOfTyping)
            return std::nullopt;
        std::wstring_view piece(typed.data(), kept + got);
        kept = IsHighSurrogate(piece.back()) ? 1 : 0;
        if (!take(Utf8FromWide(piece.substr(0, piece.size() - kept))))
            return std::nullopt;
        typed[0] = piece.back();
    }
}

}  // namespace

// Nothing is read before the type is known: a folder or a device (NUL,
// CON, a port) is refused from its attributes, and what opens but is no
// disk file (a pipe, the console) from its handle.
std::optional<ReadFailure> Win32FileSystem::readFile(const std::string& path, const ReadPiece& take) const {
    const auto data = attributes(path);
    if (data && (*data & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return NotRegular();
    const UniqueHandle file = OpenPath(path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file)
        return ReadFailure{false, SystemMessage(GetLastError())};
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return NotRegular();
    return ReadAll(file.get(), take, [] {});
}

std::optional<ReadFailure> Win32FileSystem::readStandardInput(const ReadPiece& take,
                                                             const std::function<void()>& interrupted) const {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == INVALID_HANDLE_VALUE || input == nullptr)
        return ReadFailure{false, SystemMessage(GetLastError())};
    // Ctrl-C breaks no read of a pipe or a file, so it ends the process
    // from its own thread while the read waits.
    const StopEndsWait unbroken;
    DWORD mode = 0;
    if (GetConsoleMode(input, &mode))
        return ReadConsoleLines(input, take, interrupted);
    return ReadAll(input, take, interrupted);
}

}  // namespace tarvello
