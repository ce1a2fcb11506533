#include "copyrun/CopyRun.h"

namespace tarvello {
namespace {

// Holds the running flag up for one run, however the run ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

// Inside one file the run yields this often; a piece of the copy adds at
// most a few tens of milliseconds, which keeps the window answering.
constexpr double kYieldInterval = 0.02;

}  // namespace

CopyRun::CopyRun(FileSystem& fs, EventLoop& events, CopyRunObserver& observer, const Clock& clock)
    : fs_(fs), events_(events), observer_(observer), clock_(clock) {}

void CopyRun::yieldBusy() {
    events_.yield();
    observer_.setBusy(true);
    lastYield_ = clock_.steadySeconds();
}

void CopyRun::yieldIfDue() {
    if (clock_.steadySeconds() - lastYield_ >= kYieldInterval)
        yieldBusy();
}

std::optional<CopyReport> CopyRun::start(SharedPlan plan) {
    if (running_)
        return std::nullopt;
    // Raised before the first yield, so that no press of "Start" handled
    // inside it can begin a second run.
    const RunningFlag running(running_);

    events_.yield();
    CopyReport report([this](const std::string& folder) { return fs_.foldsCase(folder); });
    if (!plan || plan->empty()) {
        observer_.finished(report);
        return report;
    }

    const std::size_t total = plan->size();
    for (std::size_t i = 0; i < total; ++i) {
        observer_.setProgress(static_cast<double>(i + 1) / static_cast<double>(total) * 100.0);
        observer_.setBusy(true);
        yieldBusy();
        const PlanEntry entry = plan->entry(i);
        const CopyOutcome outcome =
            fs_.replaceFile(entry.source, entry.target, [&](std::uint64_t bytesDone) {
                observer_.entryProgress(i, total, bytesDone);
                yieldIfDue();
            });
        report.add(entry, outcome);
        observer_.entryDone(i, total, entry, outcome);
    }
    // The bar stays full with the hourglass while the devices catch up.
    for (const FlushFailure& failure : fs_.flush(report.writtenFolders(), [this] { yieldBusy(); }))
        report.addFlushFailure(failure);

    observer_.finished(report);
    observer_.setBusy(false);
    observer_.setProgress(0.0);
    return report;
}

}  // namespace tarvello
