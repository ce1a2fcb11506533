#include "cli/CliOptions.h"
#include "cli/CopyProgressLine.h"
#include "platform/NativePlatform.h"
#include "platform/Pacer.h"
#include "platform/system/MersenneRandomSource.h"
#include "platform/system/SystemClock.h"
#include "run/CountText.h"
#include "run/FrontEndOptions.h"
#include "run/Session.h"

#include <cstdio>
#include <memory>

namespace tarvello {
namespace {

constexpr int kAllDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

void Say(const std::string& line) { std::fprintf(stderr, "tarvello-cli: %s\n", line.c_str()); }

// Every problem and notice of the run, a line each on standard error.
class TerminalLines final : public SessionObserver {
public:
    void problem(const std::string& line) override { Say(line); }
    void notice(const std::string& line) override { Say(line); }
};

RunRequest RequestFrom(const CliOptions& options) {
    RunRequest request;
    request.sources = options.sources;
    request.destinations = options.destinations;
    request.count = ReadCount(options.count);
    request.allowRepeats = options.allowRepeats;
    ApplyFrontEndOptions(options, request);
    request.budget = options.budget;
    request.dryRun = options.dryRun;
    return request;
}

// The plan's lines, then a refresh's removal and kept lines.
bool WritePlan(const DrawnPlan& drawn, bool nullEnds, Pacer& pace) {
    const char end = nullEnds ? '\0' : '\n';
    const auto write = [&](std::string line) {
        pace.yieldIfDue();
        line += end;
        return std::fwrite(line.data(), 1, line.size(), stdout) == line.size();
    };
    for (std::size_t i = 0; i < drawn.plan.size(); ++i)
        if (!write(SummaryLine(drawn.plan.entry(i))))
            return false;
    for (const std::string& line : drawn.refreshLines)
        if (!write(line))
            return false;
    return std::fflush(stdout) == 0;
}

int Run(const CliOptions& options) {
    NativeFileSystem fs;
    SystemClock clock;
    NativeStopSignals events;
    TerminalLines lines;
    Session session(fs, events, clock, lines);
    MersenneRandomSource random;
    random.seed(options.seed ? static_cast<double>(*options.seed) : clock.secondsSinceMidnight());

    DrawnPlan drawn = session.draw(RequestFrom(options), random);
    events.yield();
    if (drawn.status != DrawnPlan::Status::Drawn)
        return kSomeFailed;
    if (drawn.plan.empty()) {
        std::fputs("No files added.\n", stderr);
    } else if (options.dryRun) {
        Pacer pace(events, clock);
        if (!WritePlan(drawn, options.nullEnds, pace))
            return Say("cannot write the plan"), kSomeFailed;
    } else {
        const bool showProgress = !options.quiet && IsTerminal(stderr);
        CopyProgressLine progress(fs, clock, showProgress, [] { return TerminalColumns(stderr); });
        if (showProgress)
            progress.setPlannedBytes(session.plannedBytes(drawn.plan));
        const auto copied = session.copy(std::make_shared<const Plan>(std::move(drawn.plan)), progress);
        if (copied && showProgress)
            std::fprintf(stderr, "%s\n", CountsLine(*copied).c_str());
    }
    return session.allDone() ? kAllDone : kSomeFailed;
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
