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

bool IsTerminal(std::FILE* stream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace tarvello
