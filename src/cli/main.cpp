#include "app/CountText.h"
#include "cli/CliOptions.h"
#include "cli/CopyProgressLine.h"
#include "copyrun/CopyReport.h"
#include "copyrun/CopyRun.h"
#include "lists/FolderTree.h"
#include "lists/ListFile.h"
#include "lists/PathText.h"
#include "plan/BuildPlan.h"
#include "platform/NativePlatform.h"
#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"

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

bool WritePlan(const Plan& plan, bool nullEnds) {
    const char end = nullEnds ? '\0' : '\n';
    for (std::size_t i = 0; i < plan.size(); ++i) {
        std::string line = SummaryLine(plan.entry(i));
        line += end;
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
            return false;
    }
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
    NativeFileSystem fs;
    SystemClock clock;
    NativeStopSignals events;

    const auto sources = ReadEntries(fs, events, options.sources);
    const auto destinations = sources ? ReadEntries(fs, events, options.destinations) : std::nullopt;
    if (!destinations)
        return kSomeFailed;

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
            request.rules.budget = FreeSpaceBudget(fs, folders);
            if (!request.rules.budget)
                return Fail("cannot tell how much space the destinations have free");
        }
    }

    MersenneRandomSource random;
    random.seed(options.seed ? static_cast<double>(*options.seed) : clock.secondsSinceMidnight());
    std::optional<Plan> plan = BuildPlan(fs, random, request);
    if (!plan)
        return Fail("the plan would hold more than 10,000,000 copies; ask for fewer files");
    if (plan->empty()) {
        std::fputs("No files added.\n", stderr);
        return kAllDone;
    }
    if (options.dryRun)
        return WritePlan(*plan, options.nullEnds) ? kAllDone : Fail("cannot write the plan");

    CopyProgressLine progress(fs, clock, !options.quiet && IsTerminal(stderr),
                              !options.playlist.empty());
    CopyRun run(fs, events, progress, clock);
    const std::optional<CopyReport> report = run.start(std::make_shared<const Plan>(std::move(*plan)));
    if (!options.playlist.empty() && !WritePlaylist(options.playlist, progress.copiedTargets()))
        return Fail(options.playlist + ": cannot write the playlist");
    return report && report->allCopied() ? kAllDone : kSomeFailed;
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
