#pragma once

namespace tarvello {

// The process-wide generator that every random draw comes from.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    virtual void seed(double value) = 0;

    // A uniform number in [0, 1).
    virtual double next() = 0;
};

}  // namespace tarvello
