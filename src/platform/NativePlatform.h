#pragma once

// The platform of the system the program is built for: its file system,
// the EventLoop that ends a command-line run on Ctrl-C, the command line in
// the program's encoding, and whether a stream is a terminal and how wide.
#ifdef _WIN32

#include "platform/win32/ConsoleStopHandler.h"
#include "platform/win32/NativeArguments.h"
#include "platform/win32/Win32FileSystem.h"

namespace tarvello {
using NativeFileSystem = Win32FileSystem;
using NativeStopSignals = ConsoleStopHandler;
}  // namespace tarvello

#else

#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/StopSignals.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

namespace tarvello {
using NativeFileSystem = PosixFileSystem;
using NativeStopSignals = StopSignals;

// The command line as it came: names are bytes already.
class NativeArguments {
public:
    NativeArguments(int argc, char* argv[]) : count_(argc), values_(argv) {}
    int count() const { return count_; }
    char** values() { return values_; }

private:
    int count_;
    char** values_;
};

inline bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

// The terminal's width in columns, 0 when the stream writes to none.
inline int TerminalColumns(std::FILE* stream) {
    winsize size {};
    return ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}
}  // namespace tarvello

#endif
