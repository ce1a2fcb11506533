#pragma once

#include "run/RunRequest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

struct CliOptions {
    std::vector<EntrySource> sources;
    std::vector<EntrySource> destinations;
    std::string count = "100";  // digits only
    bool allowRepeats = false;
    std::string extensions;
    std::optional<BudgetOption> budget;
    bool perFolder = false;
    bool skipExisting = false;
    bool distinctNames = false;  // same-named copies get numbered names
    std::string playlist;  // empty: none
    std::optional<std::uint64_t> seed;
    bool dryRun = false;
    bool nullEnds = false;
    bool quiet = false;
    bool refresh = false;          // take the copies of the last run off again
    std::uint32_t avoidRecent = 0;  // leave out sources of the last N runs; 0: off
    bool orderByName = false;      // --order name

    bool operator==(const CliOptions&) const = default;
};

struct ParsedCommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    CliOptions options;
    std::string error;  // for UsageError: one line, without the program's name

    bool operator==(const ParsedCommandLine&) const = default;
};

ParsedCommandLine ParseCommandLine(int argc, char* argv[]);

extern const char* const kCliHelp;

}  // namespace tarvello
