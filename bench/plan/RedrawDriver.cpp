// One whole redraw, as Form1 runs it, for timing from outside: list the
// source folder, draw N files without repeats, build the plan to one
// destination and make every Summary line. Prints the line count.
#include "plan/BuildPlan.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/system/MersenneRandomSource.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE_FOLDER COUNT\n", argv[0]);
        return 2;
    }
    using namespace tarvello;
    const std::vector<std::string> sources{argv[1]};
    const std::vector<std::string> destinations{"/tmp/tarvello-redraw-target"};
    const PosixFileSystem fs;
    MersenneRandomSource random;
    random.seed(1.0);

    const auto plan = BuildPlan(fs, random, {sources, destinations, std::atof(argv[2]), false});
    if (!plan) {
        std::fputs(PlanTooLargeMessage().c_str(), stderr);
        return 1;
    }
    std::vector<std::string> lines;
    lines.reserve(plan->size());
    for (std::size_t i = 0; i < plan->size(); ++i)
        lines.push_back(SummaryLine(plan->entry(i)));
    std::printf("%zu\n", lines.size());
    return 0;
}
