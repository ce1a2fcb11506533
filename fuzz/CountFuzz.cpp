// The count typed or pasted into the window or given to -n, and the values
// of -b and -e: odd text reads as some value, never as undefined behaviour.
#include "Require.h"
#include "cli/CliOptions.h"
#include "plan/PickRandomFiles.h"
#include "plan/SelectionRules.h"
#include "run/CountText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvello;
    using fuzz::Require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double count = ReadCount(text);
    Require(std::isfinite(count), "a count reads as a finite number");
    std::string unspread(text);
    std::erase_if(unspread, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
    Require(ReadCount(unspread) == count, "blanks, tabs and line feeds anywhere change no count");
    DrawCount(count);

    ParseSize(text);

    for (const std::string& extension : ParseExtensionList(text)) {
        const bool lower =
            std::none_of(extension.begin(), extension.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        Require(!extension.empty() && lower && extension.front() != '.' && extension.find(',') == std::string::npos &&
                    extension.find_first_of(" \t") != 0 && extension.find_last_of(" \t") != extension.size() - 1,
                "an extension is lower case, without its dots, commas or the blanks around it");
    }
    return 0;
}
