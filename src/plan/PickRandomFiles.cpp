#include "plan/PickRandomFiles.h"

#include "plan/PositionPool.h"

#include <algorithm>
#include <limits>

namespace tarvello {
namespace {

std::vector<Pick> DrawWithRepeats(RandomSource& random, std::size_t candidateCount,
                                  std::size_t draws) {
    std::vector<Pick> picks;
    picks.reserve(draws);
    std::vector<std::size_t> earlierDraws(candidateCount);
    for (std::size_t k = 0; k < draws; ++k) {
        const std::size_t i = DrawnIndex(random.next(), candidateCount);
        picks.push_back({i, earlierDraws[i]++});
    }
    return picks;
}

std::vector<Pick> DrawWithoutRepeats(RandomSource& random, std::size_t candidateCount,
                                     std::size_t draws) {
    std::vector<Pick> picks;
    picks.reserve(draws);
    PositionPool pool(candidateCount);
    for (std::size_t k = 0; k < draws; ++k)
        picks.push_back({pool.takeAt(DrawnIndex(random.next(), pool.remaining())), 0});
    return picks;
}

std::vector<Pick> AllInListOrder(std::size_t candidateCount) {
    std::vector<Pick> picks(candidateCount);
    for (std::size_t i = 0; i < candidateCount; ++i)
        picks[i].candidate = i;
    return picks;
}

bool WantsMoreThanThereAre(std::size_t candidateCount, double requestedCount) {
    return requestedCount > static_cast<double>(candidateCount);
}

}  // namespace

std::size_t DrawCount(double requestedCount) {
    constexpr std::size_t kMost = std::numeric_limits<std::size_t>::max();
    if (!(requestedCount >= 1.0))  // also NaN
        return 0;
    if (requestedCount >= static_cast<double>(kMost))
        return kMost;
    return static_cast<std::size_t>(requestedCount);
}

std::size_t PickCount(std::size_t candidateCount, double requestedCount, bool allowRepeats) {
    if (candidateCount == 0)
        return 0;
    if (!allowRepeats && WantsMoreThanThereAre(candidateCount, requestedCount))
        return candidateCount;
    return DrawCount(requestedCount);
}

std::size_t DrawnIndex(double r, std::size_t count) {
    const auto index = static_cast<std::size_t>(r * static_cast<double>(count));
    return std::min(index, count - 1);
}

std::vector<Pick> PickRandomFiles(RandomSource& random, std::size_t candidateCount,
                                  double requestedCount, bool allowRepeats) {
    if (candidateCount == 0)
        return {};
    if (allowRepeats)
        return DrawWithRepeats(random, candidateCount, DrawCount(requestedCount));
    if (WantsMoreThanThereAre(candidateCount, requestedCount))
        return AllInListOrder(candidateCount);
    return DrawWithoutRepeats(random, candidateCount, DrawCount(requestedCount));
}

}  // namespace tarvello
