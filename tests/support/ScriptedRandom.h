#pragma once

#include "platform/RandomSource.h"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>

namespace tarvello::test {

// Hands out the given numbers in order; running dry fails the test.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<double> script = {}) : numbers(script) {}

    void seed(double value) override {
        ++seedCount;
        lastSeed = value;
    }
    double next() override {
        ++taken;
        if (numbers.empty()) {
            ADD_FAILURE() << "a random number was drawn that nobody scripted";
            return 0.0;
        }
        const double number = numbers.front();
        numbers.pop_front();
        return number;
    }

    std::deque<double> numbers;
    int taken = 0;
    int seedCount = 0;
    double lastSeed = 0.0;
};

}  // namespace tarvello::test
