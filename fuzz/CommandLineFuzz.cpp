// The command line, as an odd crontab line or script may give it: each
// parse stands on its own, and a run it allows has somewhere to copy from
// and to.
#include "Require.h"
#include "cli/CliOptions.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvello::fuzz {
namespace {

// Parses copies of the arguments, freed on return, as a program's own
// arguments are gone when the next program parses its.
ParsedCommandLine Parse(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return ParseCommandLine(static_cast<int>(arguments.size()), argv.data());
}

}  // namespace
}  // namespace tarvello::fuzz

// The input cut at each NUL gives the arguments after the program's name.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvello;
    using fuzz::Require;
    std::vector<std::string> arguments{"tarvello-cli"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = 0; at <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', at), bytes.size());
        arguments.emplace_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    const ParsedCommandLine parsed = fuzz::Parse(arguments);
    Require(fuzz::Parse(arguments) == parsed, "a parse owes nothing to the parse before it");
    if (parsed.action == ParsedCommandLine::Action::UsageError)
        Require(!parsed.error.empty(), "a usage error says what is wrong");
    if (parsed.action != ParsedCommandLine::Action::Run)
        return 0;
    const CliOptions& o = parsed.options;
    Require(!o.sources.empty() && !o.destinations.empty(), "a run has a source and a destination");
    for (const auto* entries : {&o.sources, &o.destinations})
        for (const EntrySource& entry : *entries)
            Require(!entry.path.empty(), "no entry is empty");
    return 0;
}
