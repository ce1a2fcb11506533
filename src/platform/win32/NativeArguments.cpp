#include "platform/win32/NativeArguments.h"

#include "platform/win32/WidePath.h"

#include <windows.h>
#include <shellapi.h>

#include <io.h>

namespace tarvello {

NativeArguments::NativeArguments(int argc, char* argv[]) {
    int wideCount = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
    if (wide) {
        for (int i = 0; i < wideCount; ++i)
            arguments_.push_back(Utf8FromWide(wide[i]));
        LocalFree(wide);
    } else {
        arguments_.assign(argv, argv + argc);
    }
    for (std::string& argument : arguments_)
        pointers_.push_back(argument.data());
    pointers_.push_back(nullptr);
    SetConsoleOutputCP(CP_UTF8);
}

namespace {

HANDLE HandleOf(std::FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }

}  // namespace

bool IsTerminal(std::FILE* stream) {
    DWORD mode = 0;
    return HandleOf(stream) != INVALID_HANDLE_VALUE && GetConsoleMode(HandleOf(stream), &mode) != 0;
}

int TerminalColumns(std::FILE* stream) {
    CONSOLE_SCREEN_BUFFER_INFO info {};
    if (!GetConsoleScreenBufferInfo(HandleOf(stream), &info))
        return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace tarvello
