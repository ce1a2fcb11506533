#pragma once

#include "platform/RandomSource.h"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>

namespace tarvello::test {

// Hands out the given numbers in order; running dry fails the test.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<double> numbers) : numbers_(numbers) {}

    void push(double number) { numbers_.push_back(number); }
    void seed(double value) override {
        ++seedCount;
        lastSeed = value;
    }
    double next() override {
        ++taken;
        if (numbers_.empty()) {
            ADD_FAILURE() << "a random number was drawn that nobody scripted";
            return 0.0;
        }
        const double number = numbers_.front();
        numbers_.pop_front();
        return number;
    }
    std::size_t left() const { return numbers_.size(); }

    int taken = 0;
    int seedCount = 0;
    double lastSeed = 0.0;

private:
    std::deque<double> numbers_;
};

}  // namespace tarvello::test
