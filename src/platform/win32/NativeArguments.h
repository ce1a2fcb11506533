#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tarvello {

// The command line as UTF-8, the program's own encoding, read from its
// UTF-16 form: the narrow argv holds the system code page, which loses
// names. Also sets the console to show UTF-8 output.
class NativeArguments {
public:
    NativeArguments(int argc, char* argv[]);

    int count() const { return static_cast<int>(pointers_.size()) - 1; }
    char** values() { return pointers_.data(); }

private:
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;  // argv's shape, NULL-ended
};

// Whether the stream writes to a console, where a redrawn line can be seen.
bool IsTerminal(std::FILE* stream);

// The console window's width in columns, 0 when the stream writes to none.
int TerminalColumns(std::FILE* stream);

}  // namespace tarvello
