#include "copyrun/CopyRun.h"

#include "copyrun/CopyReport.h"

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

CopyRun::CopyRun(FileSystem& fs, EventLoop& events, Dialogs& dialogs, CopyRunDisplay& display,
                 const Clock& clock)
    : fs_(fs), events_(events), dialogs_(dialogs), display_(display), clock_(clock) {}

void CopyRun::yieldBusy() {
    events_.yield();
    display_.setBusy(true);
    lastYield_ = clock_.steadySeconds();
}

void CopyRun::yieldIfDue() {
    if (clock_.steadySeconds() - lastYield_ >= kYieldInterval)
        yieldBusy();
}

void CopyRun::start(SharedPlan plan) {
    if (running_)
        return;
    // Raised before the first yield, so that no press of "Start" handled
    // inside it can begin a second run.
    const RunningFlag running(running_);

    events_.yield();
    if (!plan || plan->empty()) {
        dialogs_.showMessage("No files added.");
        return;
    }

    const std::size_t total = plan->size();
    CopyReport report;
    for (std::size_t i = 0; i < total; ++i) {
        display_.setProgress(static_cast<double>(i + 1) / static_cast<double>(total) * 100.0);
        display_.setBusy(true);
        yieldBusy();
        const PlanEntry entry = plan->entry(i);
        report.add(entry, fs_.replaceFile(entry.source, entry.target, [this] { yieldIfDue(); }));
    }
    // The bar stays full with the hourglass while the devices catch up.
    for (const FlushFailure& failure : fs_.flush(report.writtenFolders(), [this] { yieldBusy(); }))
        report.addFlushFailure(failure);

    dialogs_.showMessage(report.message());
    display_.setBusy(false);
    display_.setProgress(0.0);
}

}  // namespace tarvello
