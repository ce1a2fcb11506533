#pragma once

#include "platform/RandomSource.h"

#include <cstddef>
#include <vector>

namespace tarvello {

// One drawn file: its index in the candidate list and the number its
// copies are named with: how many times the same candidate was drawn before
// it in this selection, or with distinct names the first number free. Picks
// stay records, so no file name is ever mistaken for a repeat mark.
struct Pick {
    std::size_t candidate = 0;
    std::size_t repeat = 0;

    bool operator==(const Pick&) const = default;
};

// The number of draws for a requested count: floor(N) when N >= 1, else 0.
// Counts beyond the size type saturate instead of overflowing.
std::size_t DrawCount(double requestedCount);

// How many picks PickRandomFiles will give, known before any number is drawn.
std::size_t PickCount(std::size_t candidateCount, double requestedCount, bool allowRepeats);

// The index that the random number r in [0, 1) selects among `count` items:
// floor(r * count), kept below count should the product reach it (a
// single-precision generator can round up to 1.0).
std::size_t DrawnIndex(double r, std::size_t count);

// Draws the selection from `candidateCount` candidates, one random number
// per draw. With repeats every draw is over all candidates. Without, each
// drawn candidate leaves the pool; and when more are asked for than there
// are, the selection is every candidate once in list order, drawing nothing.
// It holds PickCount() picks; callers bound that count before calling.
std::vector<Pick> PickRandomFiles(RandomSource& random, std::size_t candidateCount,
                                  double requestedCount, bool allowRepeats);

}  // namespace tarvello
