// Fills the Summary with a million lines the way a redraw does, shows it,
// and scrolls through it: prints the memory the plan takes beyond the bytes
// of its paths, what the view adds, the time until it is painted, and the
// slowest and the mean scroll step.
#include "app/SummaryDelegate.h"
#include "app/SummaryViewModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>

#include <malloc.h>

#include <cstdio>
#include <string>

namespace {

// Heap bytes in use: unlike the resident size, blind to memory that was
// freed while the plan grew but not yet handed back to the system.
double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// Each of `lines` candidates picked once, to one folder; pathBytes counts
// the candidates' paths, which is all of the text the plan holds.
tarvello::Plan MakePlan(std::size_t lines, std::size_t& pathBytes) {
    auto candidates = std::make_shared<tarvello::CandidateList>();
    std::vector<tarvello::Pick> picks(lines);
    for (std::size_t i = 0; i < lines; ++i) {
        candidates->add("/home/ann/Pictures/2026/holiday/", "IMG_" + std::to_string(100000 + i) + ".jpg");
        picks[i].candidate = i;
    }
    candidates->shrinkToFit();  // as a redraw does
    pathBytes = candidates->path(lines - 1).size() * lines;  // every name has the same length
    return tarvello::Plan(std::move(candidates), {{"/media/ann/FRAME/DCIM/"}}, std::move(picks));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    constexpr std::size_t kLines = 1'000'000;

    tarvello::SummaryRows summary;
    tarvello::SummaryViewModel model(summary, QStringLiteral(" Summary:"));
    QTreeView view;
    view.setModel(&model);
    view.setItemDelegate(new tarvello::SummaryDelegate(&view));  // every line is wider than the column
    view.setRootIsDecorated(false);
    view.setUniformRowHeights(true);
    view.header()->setStretchLastSection(false);
    view.header()->resizeSection(0, 453);
    view.resize(497, 177);
    view.show();
    QApplication::processEvents();

    const double before = HeapInUse();
    QElapsedTimer clock;
    clock.start();
    std::size_t pathBytes = 0;
    tarvello::Plan plan = MakePlan(kLines, pathBytes);
    const qint64 buildMs = clock.elapsed();
    const double built = HeapInUse();

    clock.restart();
    model.change([&] { summary.show(std::move(plan)); });
    view.repaint();
    QApplication::processEvents();
    const qint64 appearMs = clock.elapsed();
    const double shown = HeapInUse();

    QScrollBar* bar = view.verticalScrollBar();
    qint64 worstStepUs = 0;
    qint64 allStepsUs = 0;
    constexpr int kSteps = 400;
    for (int step = 0; step <= kSteps; ++step) {
        QElapsedTimer stepClock;
        stepClock.start();
        bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * step / kSteps));
        view.viewport()->repaint();
        const qint64 stepUs = stepClock.nsecsElapsed() / 1000;
        worstStepUs = std::max(worstStepUs, stepUs);
        allStepsUs += stepUs;
    }

    const double beyondPaths = built - before - static_cast<double>(pathBytes);
    std::printf("summary lines:             %zu\n", kLines);
    std::printf("bytes of paths:            %.1f MiB\n", pathBytes / 1048576.0);
    std::printf("plan beyond the paths:     %.1f bytes a line (target <= 32)\n", beyondPaths / kLines);
    std::printf("the view's own rows:       %.1f bytes a line\n", (shown - built) / kLines);
    std::printf("plan built in:             %lld ms (the redraw's share, for scale)\n",
                static_cast<long long>(buildMs));
    std::printf("shown and painted in:      %lld ms (target < 1000 ms)\n", static_cast<long long>(appearMs));
    std::printf("slowest of %d scroll steps: %.2f ms (mean %.2f ms)\n", kSteps + 1, worstStepUs / 1000.0,
                allStepsUs / 1000.0 / (kSteps + 1));
    return 0;
}
