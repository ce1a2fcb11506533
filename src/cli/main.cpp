#include "app/CountText.h"
#include "cli/CliOptions.h"
#include "cli/CopyProgressLine.h"
#include "cli/Playlist.h"
#include "copyrun/CopyReport.h"
#include "copyrun/CopyRun.h"
#include "lists/FolderTree.h"
#include "lists/ListFile.h"
#include "lists/PathText.h"
#include "plan/BuildPlan.h"
#include "platform/NativePlatform.h"
#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"
#include "refresh/Refresh.h"

#include <cstdio>
#include <memory>
#include <set>

namespace tarvello {
namespace {

constexpr int kAllDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "tarvello-cli: %s\n", message.c_str());
    return kSomeFailed;
}

// What went wrong with a list file, in a few words.
std::string ListFileProblem(const ListFileRead& read) {
    switch (read.status) {
    case ListFileRead::Status::Read: return {};
    case ListFileRead::Status::BadCharacters:
    case ListFileRead::Status::NotFound: return "File not found";
    case ListFileRead::Status::NotRegularFile: return "not a regular file";
    case ListFileRead::Status::NotText: return "not a text file";
    case ListFileRead::Status::Unreadable: return read.reason;
    }
    return {};
}

// The entries the options name, in their order, each read as the window's
// buttons read theirs. Nothing, after naming it, when a list file fails.
std::optional<std::vector<std::string>> ReadEntries(FileSystem& fs, EventLoop& events,
                                                    const std::vector<EntrySource>& sources) {
    std::vector<std::string> entries;
    for (const EntrySource& source : sources) {
        switch (source.kind) {
        case EntrySource::Kind::Folder:
            entries.push_back(FolderEntryFromPicked(source.path, kNativeSeparator));
            break;
        case EntrySource::Kind::Tree: {
            PacedYield pace(events);
            entries.push_back(TreeOwnEntry(source.path, TreeList::Source, kNativeSeparator));
            for (std::string& entry : TreeSubfolderEntries(fs, pace, source.path, kNativeSeparator))
                entries.push_back(std::move(entry));
            break;
        }
        case EntrySource::Kind::ListFile: {
            const bool standardInput = source.path == "-";
            ListFileRead read = standardInput ? ReadListInput(fs, [&] { events.yield(); })
                                              : ReadListFile(fs, source.path);
            if (read.status != ListFileRead::Status::Read) {
                Fail((standardInput ? "standard input" : source.path) + ": " + ListFileProblem(read));
                return std::nullopt;
            }
            for (std::string& entry : read.entries)
                entries.push_back(std::move(entry));
            break;
        }
        }
    }
    return entries;
}

// Names each destination that is not a folder, once, and keeps the others:
// their copies could only fail, one message each.
std::vector<std::string> ExistingDestinations(const FileSystem& fs, const std::vector<std::string>& entries,
                                              bool& named) {
    std::vector<std::string_view> folders(entries.begin(), entries.end());
    const auto stamps = fs.folderStamps(folders);
    std::vector<std::string> existing;
    std::set<std::string_view> missing;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (stamps[i])
            existing.push_back(entries[i]);
        else if (missing.insert(entries[i]).second)
            Fail(entries[i] + ": no such folder");
    }
    named = named || !missing.empty();
    return existing;
}

// Names each source entry that could not be listed, once.
void NameListingFailures(const std::vector<EntryFailure>& failures, bool& named) {
    std::set<std::string_view> seen;
    for (const EntryFailure& failure : failures)
        if (seen.insert(failure.entry).second)
            Fail(failure.entry + ": " + failure.reason);
    named = named || !failures.empty();
}

// The plan's lines, then a refresh's removal and kept lines.
bool WritePlan(const Plan& plan, const std::vector<std::string>& refreshLines, bool nullEnds, EventLoop& events) {
    const char end = nullEnds ? '\0' : '\n';
    const auto write = [&](std::string line) {
        line += end;
        return std::fwrite(line.data(), 1, line.size(), stdout) == line.size();
    };
    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (i % 4096 == 0)
            events.yield();
        if (!write(SummaryLine(plan.entry(i))))
            return false;
    }
    for (const std::string& line : refreshLines)
        if (!write(line))
            return false;
    return std::fflush(stdout) == 0;
}

// The counts that close a run in a terminal.
std::string ClosingLine(const CopyReport& report, const Refresh* refresh) {
    const std::string replaced = std::to_string(report.replaced()) + " replaced by a later copy";
    if (refresh)
        return refresh->closingLine() + ", " + replaced;
    return std::to_string(report.copied()) + " copied, " + std::to_string(report.failed()) + " failed, " + replaced;
}

// The bytes the plan's sources hold, for the time left.
std::uint64_t PlannedBytes(const FileSystem& fs, const Plan& plan) {
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < plan.size(); ++i)
        bytes += fs.fileSize(plan.entry(i).source).value_or(0);
    return bytes;
}

// Replaced in one step, so a run ended meanwhile leaves the old playlist.
bool WritePlaylist(FileSystem& fs, const std::string& path, const std::vector<std::string>& targets) {
    const Playlist playlist = MakeResolvedPlaylist(fs, path, targets);
    for (const LeftOutOfPlaylist& left : playlist.leftOut)
        std::fprintf(stderr, "tarvello-cli: %s: left out of the playlist: %s\n", left.target.c_str(),
                     left.reason.c_str());
    return !fs.replaceContents(path, [&](const auto& write) { write(playlist.text); });
}

int Run(const CliOptions& options) {
    NativeFileSystem fs;
    SystemClock clock;
    NativeStopSignals events;

    const auto sources = ReadEntries(fs, events, options.sources);
    const auto listed = sources ? ReadEntries(fs, events, options.destinations) : std::nullopt;
    if (!listed)
        return kSomeFailed;
    events.yield();
    bool named = false;
    const std::vector<std::string> destinations = ExistingDestinations(fs, *listed, named);
    if (destinations.empty())
        return kSomeFailed;

    // A run that keeps a record draws and copies through the refresh's views.
    std::optional<Refresh> refresh;
    if (options.refresh || options.avoidRecent > 0)
        refresh.emplace(fs, *sources, destinations, RefreshOptions{options.refresh, options.avoidRecent},
                        [](const std::string& problem) { Fail(problem); });
    const FileSystem& drawFs = refresh ? refresh->drawView() : fs;

    std::vector<EntryFailure> listingFailures;
    PlanRequest request{*sources, destinations, ReadCount(options.count), options.allowRepeats};
    request.listingFailures = &listingFailures;
    request.rules.extensions = ParseExtensionList(options.extensions);
    request.rules.perFolder = options.perFolder;
    request.rules.skipExisting = options.skipExisting;
    if (options.budget) {
        request.rules.budget = options.budget->bytes;
        if (options.budget->free) {
            std::vector<std::string> folders;
            for (const std::string& entry : destinations)
                folders.push_back(WithFinalSeparator(entry, kNativeSeparator));
            request.rules.budget = FreeSpaceBudget(drawFs, folders);
            request.rules.allocationUnit = LargestAllocationUnit(fs, folders);
            if (!request.rules.budget)
                return Fail("cannot tell how much space the destinations have free");
        }
    }

    MersenneRandomSource random;
    random.seed(options.seed ? static_cast<double>(*options.seed) : clock.secondsSinceMidnight());
    if (refresh)
        refresh->prepareDraw(request);
    std::optional<Plan> plan = BuildPlan(drawFs, random, request);
    NameListingFailures(listingFailures, named);
    events.yield();
    if (!plan)
        return Fail("the plan would hold more than 10,000,000 copies; ask for fewer files");
    if (plan->empty()) {
        std::fputs("No files added.\n", stderr);
        if (refresh)
            refresh->nothingDrawn(listingFailures);
        return named || (refresh && refresh->troubled()) ? kSomeFailed : kAllDone;
    }
    if (refresh)
        refresh->settle(*plan, listingFailures);
    if (options.dryRun) {
        if (!WritePlan(*plan, refresh ? refresh->dryRunLines() : std::vector<std::string>(), options.nullEnds, events))
            return Fail("cannot write the plan");
        return named || (refresh && refresh->troubled()) ? kSomeFailed : kAllDone;
    }

    const bool showProgress = !options.quiet && IsTerminal(stderr);
    CopyProgressLine progress(fs, clock, showProgress, !options.playlist.empty(), [] { return TerminalColumns(stderr); });
    if (showProgress)
        progress.setPlannedBytes(PlannedBytes(fs, *plan));
    CopyRun run(refresh ? refresh->disk() : fs, events, progress, clock);
    const std::optional<CopyReport> report = run.start(std::make_shared<const Plan>(std::move(*plan)));
    if (report && showProgress)
        std::fprintf(stderr, "%s\n", ClosingLine(*report, refresh ? &*refresh : nullptr).c_str());
    if (!options.playlist.empty() && !WritePlaylist(fs, options.playlist, progress.copiedTargets()))
        return Fail(options.playlist + ": cannot write the playlist");
    const bool allDone = report && report->allCopied() && !named && !(refresh && refresh->troubled());
    return allDone ? kAllDone : kSomeFailed;
}

}  // namespace
}  // namespace tarvello

int main(int argc, char* argv[]) {
    using tarvello::ParsedCommandLine;
    tarvello::NativeArguments arguments(argc, argv);
    const ParsedCommandLine parsed = tarvello::ParseCommandLine(arguments.count(), arguments.values());
    switch (parsed.action) {
    case ParsedCommandLine::Action::Help:
        std::fputs(tarvello::kCliHelp, stdout);
        return tarvello::kAllDone;
    case ParsedCommandLine::Action::Version:
        std::printf("tarvello-cli %s\n", TARVELLO_VERSION);
        return tarvello::kAllDone;
    case ParsedCommandLine::Action::UsageError:
        std::fprintf(stderr, "tarvello-cli: %s\nTry 'tarvello-cli --help' for more information.\n",
                     parsed.error.c_str());
        return tarvello::kUsageError;
    case ParsedCommandLine::Action::Run:
        break;
    }
    return tarvello::Run(parsed.options);
}
