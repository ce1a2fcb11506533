// Speed of the selection and the plan builder at the sizes users reach.
#include "plan/BuildPlan.h"
#include "plan/CandidateList.h"
#include "plan/PickRandomFiles.h"
#include "platform/system/MersenneRandomSource.h"
#include "support/EmptyFileSystem.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>

namespace tarvello {
namespace {

// One folder of made-up files, named once up front and then listed without
// touching the disk, so the figures are the selection's own.
class GeneratedFolder final : public test::EmptyFileSystem {
public:
    explicit GeneratedFolder(std::size_t count) {
        names_.reserve(count);
        char name[32];
        for (std::size_t i = 0; i < count; ++i) {
            const int length = std::snprintf(name, sizeof name, "IMG_%07zu.jpg", i);
            names_.emplace_back(name, static_cast<std::size_t>(length));
        }
    }

    std::optional<std::string> forEachFile(const std::string&,
                                           const std::function<void(std::string_view name)>& visit) const override {
        for (const std::string& name : names_)
            visit(name);
        return std::nullopt;
    }

private:
    std::vector<std::string> names_;
};

const std::vector<std::string> kSource{"/home/user/Pictures/Holidays"};
const std::vector<std::string> kDestination{"/media/user/Stick/Random"};

// Listing plus draws. Without repeats one file fewer is asked for than there
// are, so the draws run rather than the every-file shortcut.
void Selection(benchmark::State& state) {
    const auto files = static_cast<std::size_t>(state.range(0));
    const bool repeats = state.range(1) != 0;
    const auto requested = static_cast<double>(repeats ? files : files - 1);
    const GeneratedFolder fs(files);
    MersenneRandomSource random;
    random.seed(1.0);
    for (auto _ : state) {
        const CandidateList candidates = ListCandidates(fs, kSource, '/');
        auto picks = PickRandomFiles(random, candidates.size(), requested, repeats);
        benchmark::DoNotOptimize(picks.data());
    }
}
BENCHMARK(Selection)
    ->ArgNames({"files", "repeats"})
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 1})
    ->Unit(benchmark::kMillisecond);

// Bytes handed out by malloc, the large blocks it maps directly included.
std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A folder of made-up files and a plan of all of them but one, drawn from
// seed 1.
struct AllButOne {
    explicit AllButOne(std::size_t files)
        : fs(files), request{kSource, kDestination, static_cast<double>(files - 1), false} {
        random.seed(1.0);
    }
    std::optional<Plan> draw() { return BuildPlan(fs, random, request, '/'); }

    GeneratedFolder fs;
    MersenneRandomSource random;
    PlanRequest request;
};

// The whole plan of a million lines, with the heap it holds beyond the bytes
// of its paths: what a Summary of that size costs.
void BuildPlanOfAMillionLines(benchmark::State& state) {
    const auto files = static_cast<std::size_t>(state.range(0));
    AllButOne plans(files);
    double overheadPerLine = 0.0;
    for (auto _ : state) {
        const std::size_t heapBefore = HeapInUse();
        auto plan = plans.draw();
        state.PauseTiming();
        std::size_t pathBytes = 0;
        for (std::size_t i = 0; i < plan->size(); ++i) {
            const PlanEntry entry = plan->entry(i);
            pathBytes += entry.source.size();  // the candidates' paths: targets are made on demand
        }
        overheadPerLine = static_cast<double>(HeapInUse() - heapBefore - pathBytes) /
                          static_cast<double>(plan->size());
        plan.reset();  // freeing is no part of drawing
        state.ResumeTiming();
    }
    state.counters["heap_bytes_per_line_beyond_paths"] = overheadPerLine;
    state.counters["heap_MB_beyond_paths"] = overheadPerLine * static_cast<double>(files - 1) / 1e6;
}
BENCHMARK(BuildPlanOfAMillionLines)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A plan put in name order, as each redraw with "Copy in name order" does.
void OrderPlanByName(benchmark::State& state) {
    AllButOne plans(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto plan = plans.draw();
        state.ResumeTiming();
        plan->orderByName();
        benchmark::DoNotOptimize(plan->size());
    }
}
BENCHMARK(OrderPlanByName)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvello
