#include "app/CountText.h"
#include "cli/CliOptions.h"
#include "cli/CopyProgressLine.h"
#include "copyrun/CopyReport.h"
#include "copyrun/CopyRun.h"
#include "lists/FolderTree.h"
#include "lists/ListFile.h"
#include "lists/PathText.h"
#include "plan/BuildPlan.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/StopSignals.h"
#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"
#include "refresh/Refresh.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>

namespace tarvello {
namespace {

constexpr int kAllDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "tarvello-cli: %s\n", message.c_str());
    return kSomeFailed;
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
            ListFileRead read = ReadListFile(fs, source.path);
            if (read.status == ListFileRead::Status::Read) {
                for (std::string& entry : read.entries)
                    entries.push_back(std::move(entry));
            } else {
                Fail(source.path + ": " +
                     (read.status == ListFileRead::Status::Unreadable ? read.reason : "File not found"));
                return std::nullopt;
            }
            break;
        }
        }
    }
    return entries;
}

bool WritePlan(const Plan& plan, const std::vector<std::string>& refreshLines, bool nullEnds) {
    const char end = nullEnds ? '\0' : '\n';
    const auto write = [&](std::string line) {
        line += end;
        return std::fwrite(line.data(), 1, line.size(), stdout) == line.size();
    };
    for (std::size_t i = 0; i < plan.size(); ++i)
        if (!write(SummaryLine(plan.entry(i))))
            return false;
    for (const std::string& line : refreshLines)
        if (!write(line))
            return false;
    return std::fflush(stdout) == 0;
}

bool WritePlaylist(const std::string& path, const std::vector<std::string>& targets) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << "#EXTM3U\n";
    for (const std::string& target : targets)
        file << target << '\n';
    file.close();
    return !file.fail();
}

int Run(const CliOptions& options) {
    PosixFileSystem fs;
    SystemClock clock;
    StopSignals events;

    const auto sources = ReadEntries(fs, events, options.sources);
    const auto destinations = sources ? ReadEntries(fs, events, options.destinations) : std::nullopt;
    if (!destinations)
        return kSomeFailed;

    // A run that keeps a record draws and copies through the refresh's views.
    std::optional<Refresh> refresh;
    if (options.refresh || options.avoidRecent > 0)
        refresh.emplace(fs, *sources, *destinations, RefreshOptions{options.refresh, options.avoidRecent},
                        [](const std::string& problem) { Fail(problem); });
    const FileSystem& drawFs = refresh ? refresh->drawView() : fs;

    PlanRequest request{*sources, *destinations, ReadCount(options.count), options.allowRepeats};
    request.rules.extensions = ParseExtensionList(options.extensions);
    request.rules.perFolder = options.perFolder;
    request.rules.skipExisting = options.skipExisting;
    if (options.budget) {
        request.rules.budget = options.budget->bytes;
        if (options.budget->free) {
            std::vector<std::string> folders;
            for (const std::string& entry : *destinations)
                folders.push_back(WithFinalSeparator(entry, kNativeSeparator));
            request.rules.budget = FreeSpaceBudget(drawFs, folders);
            if (!request.rules.budget)
                return Fail("cannot tell how much space the destinations have free");
        }
    }

    MersenneRandomSource random;
    random.seed(options.seed ? static_cast<double>(*options.seed) : clock.secondsSinceMidnight());
    if (refresh)
        refresh->prepareDraw(request);
    std::optional<Plan> plan = BuildPlan(drawFs, random, request);
    if (!plan)
        return Fail("the plan would hold more than 10,000,000 copies; ask for fewer files");
    if (plan->empty()) {
        std::fputs("No files added.\n", stderr);
        if (refresh)
            refresh->nothingDrawn();
        return refresh && refresh->troubled() ? kSomeFailed : kAllDone;
    }
    if (refresh)
        refresh->settle(*plan);
    if (options.dryRun) {
        if (!WritePlan(*plan, refresh ? refresh->dryRunLines() : std::vector<std::string>(), options.nullEnds))
            return Fail("cannot write the plan");
        return refresh && refresh->troubled() ? kSomeFailed : kAllDone;
    }

    CopyProgressLine progress(fs, clock, !options.quiet && isatty(STDERR_FILENO),
                              !options.playlist.empty());
    CopyRun run(refresh ? refresh->disk() : fs, events, progress, clock);
    const std::optional<CopyReport> report = run.start(std::make_shared<const Plan>(std::move(*plan)));
    if (refresh && !options.quiet)
        std::fprintf(stderr, "%s\n", refresh->closingLine().c_str());
    if (!options.playlist.empty() && !WritePlaylist(options.playlist, progress.copiedTargets()))
        return Fail(options.playlist + ": cannot write the playlist");
    return report && report->allCopied() && !(refresh && refresh->troubled()) ? kAllDone : kSomeFailed;
}

}  // namespace
}  // namespace tarvello

int main(int argc, char* argv[]) {
    using tarvello::ParsedCommandLine;
    const ParsedCommandLine parsed = tarvello::ParseCommandLine(argc, argv);
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
