#include "plan/PositionPool.h"

#include <bit>

namespace tarvello {
namespace {

constexpr std::size_t kWordBits = 64;

// The position of the n-th (0-based) set bit of the word, found by halving.
// Requires n < popcount(word).
std::size_t NthSetBit(std::uint64_t word, std::size_t n) {
    std::size_t offset = 0;
    for (std::size_t width = kWordBits / 2; width != 0; width /= 2) {
        const std::uint64_t low = word & ((std::uint64_t{1} << width) - 1);
        const auto lowCount = static_cast<std::size_t>(std::popcount(low));
        if (n < lowCount) {
            word = low;
        } else {
            n -= lowCount;
            word >>= width;
            offset += width;
        }
    }
    return offset;
}

}  // namespace

PositionPool::PositionPool(std::size_t size)
    : present_((size + kWordBits - 1) / kWordBits, ~std::uint64_t{0}), remaining_(size) {
    if (size % kWordBits != 0)
        present_.back() = (std::uint64_t{1} << (size % kWordBits)) - 1;

    // Fenwick tree of the words' counts, built in linear time: each node
    // passes its total on to its parent.
    const std::size_t words = present_.size();
    counts_.assign(words + 1, 0);
    for (std::size_t node = 1; node <= words; ++node) {
        counts_[node] += static_cast<std::size_t>(std::popcount(present_[node - 1]));
        const std::size_t parent = node + (node & (~node + 1));
        if (parent <= words)
            counts_[parent] += counts_[node];
    }
    topStep_ = words == 0 ? 0 : std::bit_floor(words);
}

std::size_t PositionPool::takeAt(std::size_t rank) {
    // Descend from the widest span to the word holding the wanted position.
    // The spans that hold it are exactly the tree nodes covering that word,
    // so its removal is counted on the way down.
    const std::size_t words = present_.size();
    std::size_t before = 0;  // words wholly left of the wanted position
    std::size_t wanted = rank;
    for (std::size_t step = topStep_; step != 0; step >>= 1) {
        const std::size_t node = before + step;
        if (node > words)
            continue;
        if (counts_[node] <= wanted) {
            wanted -= counts_[node];
            before = node;
        } else {
            --counts_[node];
        }
    }
    const std::size_t bit = NthSetBit(present_[before], wanted);
    present_[before] &= ~(std::uint64_t{1} << bit);
    --remaining_;
    return before * kWordBits + bit;
}

}  // namespace tarvello
