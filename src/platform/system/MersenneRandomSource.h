#pragma once

#include "platform/RandomSource.h"

#include <random>

namespace tarvello {

// 64-bit Mersenne Twister with 53-bit results, so floor(r * F) reaches
// every index of any list the program can hold.
class MersenneRandomSource final : public RandomSource {
public:
    void seed(double value) override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace tarvello
