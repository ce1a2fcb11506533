#include "copyrun/CopyRun.h"

#include "platform/Pacer.h"

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

}  // namespace

CopyRun::CopyRun(EventLoop& events, const Clock& clock) : events_(events), clock_(clock) {}

std::optional<CopyReport> CopyRun::start(FileSystem& fs, SharedPlan plan, CopyRunObserver& observer) {
    if (running_)
        return std::nullopt;
    // Raised before the first yield, so that no press of "Start" handled
    // inside it can begin a second run.
    const RunningFlag running(running_);

    events_.yield();
    CopyReport report([&fs](const std::string& folder) { return fs.foldsCase(folder); });
    if (!plan || plan->empty()) {
        observer.finished(report);
        return report;
    }

    // Shows the hourglass again after each yield: a handler run inside it
    // may have put the pointer back.
    Pacer pace(events_, clock_, [&observer] { observer.setBusy(true); });
    const std::size_t total = plan->size();
    for (std::size_t i = 0; i < total; ++i) {
        observer.setProgress(static_cast<double>(i + 1) / static_cast<double>(total) * 100.0);
        observer.setBusy(true);
        pace.yield();
        const PlanEntry entry = plan->entry(i);
        const CopyOutcome outcome =
            fs.replaceFile(entry.source, entry.target, [&](std::uint64_t bytesDone) {
                observer.entryProgress(i, total, bytesDone);
                pace.yieldIfDue();
            });
        report.add(entry, outcome);
        observer.entryDone(i, total, entry, outcome);
    }
    // The bar stays full with the hourglass while the devices catch up.
    for (const FlushFailure& failure : fs.flush(report.writtenFolders(), [&pace] { pace.yieldIfDue(); }))
        report.addFlushFailure(failure);

    observer.finished(report);
    observer.setBusy(false);
    observer.setProgress(0.0);
    return report;
}

}  // namespace tarvello
