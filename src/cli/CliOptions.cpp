#include "cli/CliOptions.h"

#include "run/BudgetText.h"

#include <getopt.h>

#include <charconv>
#include <cmath>

namespace tarvello {
namespace {

enum LongOnly { kPerFolder = 1000, kPlaylist, kSeed, kDryRun, kVersion, kRefresh, kAvoidRecent, kDistinctNames, kOrder };

const option kOptions[] = {
    {"source", required_argument, nullptr, 's'},
    {"source-tree", required_argument, nullptr, 't'},
    {"dest", required_argument, nullptr, 'd'},
    {"source-list", required_argument, nullptr, 'S'},
    {"dest-list", required_argument, nullptr, 'D'},
    {"count", required_argument, nullptr, 'n'},
    {"allow-repeats", no_argument, nullptr, 'r'},
    {"ext", required_argument, nullptr, 'e'},
    {"budget", required_argument, nullptr, 'b'},
    {"per-folder", no_argument, nullptr, kPerFolder},
    {"skip-existing", no_argument, nullptr, 'k'},
    {"distinct-names", no_argument, nullptr, kDistinctNames},
    {"m3u", required_argument, nullptr, kPlaylist},
    {"seed", required_argument, nullptr, kSeed},
    {"dry-run", no_argument, nullptr, kDryRun},
    {"null", no_argument, nullptr, '0'},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {"refresh", no_argument, nullptr, kRefresh},
    {"avoid-recent", required_argument, nullptr, kAvoidRecent},
    {"order", required_argument, nullptr, kOrder},
    {nullptr, 0, nullptr, 0},
};
constexpr char kShortOptions[] = ":s:t:d:S:D:n:re:b:k0qh";

// Seeds above 2^53 would share a generator state with a smaller one.
constexpr std::uint64_t kMostSeed = std::uint64_t{1} << 53;

std::optional<std::uint64_t> ParseSeed(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value > kMostSeed)
        return std::nullopt;
    return value;
}

// "--source (-s)": both ways the user may have written the option.
std::string OptionName(int code) {
    for (const option& o : kOptions) {
        if (o.name && o.val == code)
            return std::string("--") + o.name + (code < kPerFolder ? std::string(" (-") + char(code) + ")" : "");
    }
    return "an option";
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, char* argv[]) {
    ParsedCommandLine parsed;
    CliOptions& o = parsed.options;
    auto fail = [&](std::string message) {
        parsed.action = ParsedCommandLine::Action::UsageError;
        parsed.error = std::move(message);
        return parsed;
    };
    opterr = 0;
    // 0, not 1: a full reset. glibc otherwise goes on inside a cluster of
    // short options ("-hq") where an earlier parse stopped, reading that
    // parse's arguments; MinGW-w64 takes 0 as a reset too.
    optind = 0;
    int code = 0;
    bool standardInputTaken = false;
    while ((code = getopt_long(argc, argv, kShortOptions, kOptions, nullptr)) != -1) {
        // An unset variable in a script gives an empty value: an empty entry
        // would name no folder, or the root folder to some readers.
        if (optarg && *optarg == '\0')
            return fail("the value of " + OptionName(code) + " is empty");
        if ((code == 'S' || code == 'D') && std::string_view(optarg) == "-") {
            if (standardInputTaken)
                return fail("standard input can be read for one list only");
            standardInputTaken = true;
        }
        switch (code) {
        case 's': o.sources.push_back({EntrySource::Kind::Folder, optarg}); break;
        case 't': o.sources.push_back({EntrySource::Kind::Tree, optarg}); break;
        case 'S': o.sources.push_back({EntrySource::Kind::ListFile, optarg}); break;
        case 'd': o.destinations.push_back({EntrySource::Kind::Folder, optarg}); break;
        case 'D': o.destinations.push_back({EntrySource::Kind::ListFile, optarg}); break;
        case 'n':
            // A script's "1,000" or "10k" would read as 1 or 10 the window's way.
            if (std::string_view(optarg).find_first_not_of("0123456789") != std::string_view::npos)
                return fail(std::string("invalid count '") + optarg + "': give a whole number of digits");
            o.count = optarg;
            break;
        case 'r': o.allowRepeats = true; break;
        case 'e': o.extensions = optarg; break;
        case 'b':
            if (const auto budget = ParseBudget(optarg)) {
                o.budget = *budget;
            } else {
                return fail(std::string("invalid size '") + optarg + "' for --budget");
            }
            break;
        case kPerFolder: o.perFolder = true; break;
        case 'k': o.skipExisting = true; break;
        case kDistinctNames: o.distinctNames = true; break;
        case kPlaylist: o.playlist = optarg; break;
        case kSeed:
            o.seed = ParseSeed(optarg);
            if (!o.seed)
                return fail(std::string("invalid seed '") + optarg + "': give a whole number up to 2^53");
            break;
        case kDryRun: o.dryRun = true; break;
        case '0': o.nullEnds = true; break;
        case 'q': o.quiet = true; break;
        case kRefresh: o.refresh = true; break;
        case kAvoidRecent: {
            const std::string_view text(optarg);
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), o.avoidRecent);
            if (error != std::errc() || end != text.data() + text.size() || text.empty())
                return fail(std::string("invalid number of runs '") + optarg + "' for --avoid-recent");
            break;
        }
        case kOrder:
            if (std::string_view(optarg) != "name" && std::string_view(optarg) != "drawn")
                return fail(std::string("invalid order '") + optarg + "': give name or drawn");
            o.orderByName = std::string_view(optarg) == "name";
            break;
        case 'h': parsed.action = ParsedCommandLine::Action::Help; return parsed;
        case kVersion: parsed.action = ParsedCommandLine::Action::Version; return parsed;
        case ':': return fail(std::string("option '") + argv[optind - 1] + "' needs a value");
        default:
            return fail(optopt ? "unknown option '-" + std::string(1, static_cast<char>(optopt)) + "'"
                               : "unknown option '" + std::string(argv[optind - 1]) + "'");
        }
    }
    if (optind < argc)
        return fail(std::string("unexpected argument '") + argv[optind] + "'");
    if (o.sources.empty())
        return fail("no source given: use -s, -t or -S");
    if (o.destinations.empty())
        return fail("no destination given: use -d or -D");
    return parsed;
}

const char* const kCliHelp =
    R"(Usage: tarvello-cli [OPTION]...
Copy a random choice of files from source folders into every destination
folder, as the Tarvello window does, from a terminal or a scheduled job.

Entries (each option may be given many times; the order is kept):
  -s, --source PATH         a source folder; the files lying directly in it
                            are the candidates
  -t, --source-tree PATH    the folder and every folder below it, hidden ones
                            left out
  -S, --source-list FILE    source entries from a list file, one per line
                            ("-" reads the list from standard input)
  -d, --dest PATH           a destination folder
  -D, --dest-list FILE      destination entries from a list file (or "-")

Selection:
  -n, --count N             how many files, a whole number (default 100)
  -r, --allow-repeats       the same file may be picked more than once; its
                            repeats are written as a1.jpg, a2.jpg, ...
      --distinct-names      a copy whose name an earlier copy of the plan
                            takes in its folder (also in another letter case,
                            where the folder folds case) gets the next free
                            numbered name, a1.jpg, a2.jpg, ..., instead of
                            replacing it
  -e, --ext LIST            only files with one of these extensions
                            (comma-separated, any case: mp3,flac)
  -b, --budget SIZE         at most SIZE bytes per destination (700M, 16G,
                            1.5T; K, M, G, T are powers of 1024), or "free":
                            the least free space of the destinations, less 1 %
      --per-folder          every source entry has the same chance at each
                            draw, whatever its number of files
  -k, --skip-existing       leave out files that already stand under their
                            own name in every destination
      --seed N              draw from this seed (0 to 2^53) instead of the
                            time of day: the same seed, entries and folder
                            contents give the same plan

Refresh (a record of the copies is kept in each destination folder; also
with --order name, to tell the copies from your own files):
      --refresh             take the copies of the last run off again as the
                            new ones go on; kept when drawn again, never a
                            file of your own or one you changed. Nothing is
                            removed when a source cannot be read
      --avoid-recent N      leave out sources copied in the last N runs while
                            enough others remain (0: off)
      --order ORDER         "drawn" (the default): copy in the order drawn;
                            "name": copy in name order (Track 2 before
                            Track 10, case ignored) and, on FAT and exFAT,
                            put each folder's copies in name order among its
                            entries, where car stereos and players look

Output:
      --dry-run             print the plan, one "S will be copied to T" line
                            per copy, and copy nothing
                            (with --refresh, also "T will be removed" and
                            "T is kept" lines)
  -0, --null                end plan lines with NUL instead of a line feed
      --m3u FILE            also write an M3U playlist of the copies made
  -q, --quiet               no progress display
  -h, --help                show this help and exit
      --version             show the version and exit

Copies replace existing files only once complete; Ctrl-C stops the run and
leaves the old file in place. On FAT and exFAT (and on Windows) a copy's
name has each of : ? * " < > | \ as _ and no trailing dots or blanks.
Progress, and a closing line of counts, go to standard error when it is a
terminal; entries that name no folder and copies that failed are named there
in any case.

Exit status: 0 when every copy was made (or planned, with --dry-run), 1 when
some failed, an entry names no folder or a refresh could not remove what it
should, 2 for a usage error, 130 when stopped by Ctrl-C.
)";

}  // namespace tarvello
