#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvello {

// The positions 0 .. size-1 in order, from which the one at a given rank is
// taken out while the rest keep their order: what erasing from a vector of
// positions does, at O(log size) per take instead of O(size).
//
// One bit per position marks it present, 64 to a word, and a Fenwick tree
// counts the positions left in spans of words. A take searches the tree for
// the word, then the word for the bit. For a million positions the whole
// state is under 200 KB, so a draw stays in the processor's caches.
class PositionPool {
public:
    explicit PositionPool(std::size_t size);

    std::size_t remaining() const { return remaining_; }

    // Removes and returns the position at `rank` (0-based) among those left.
    // Requires rank < remaining().
    std::size_t takeAt(std::size_t rank);

private:
    std::vector<std::uint64_t> present_;  // bit b of word w: position 64w + b is left
    std::vector<std::size_t> counts_;     // Fenwick tree over present_, 1-based
    std::size_t topStep_ = 0;             // the largest power of two <= present_.size()
    std::size_t remaining_;
};

}  // namespace tarvello
