#pragma once

#include "platform/EventLoop.h"

#include <chrono>

namespace tarvello {

// Yields to the event loop from a long loop no more often than every
// `interval`: often enough that the window repaints and takes input, rarely
// enough that the loop does not pay for a yield per step. The first call
// always yields.
class PacedYield {
public:
    static constexpr std::chrono::milliseconds kWindowInterval{20};

    explicit PacedYield(EventLoop& events, std::chrono::nanoseconds interval = kWindowInterval)
        : events_(events), interval_(interval) {}

    void operator()() {
        const auto now = std::chrono::steady_clock::now();
        if (!yielded_ || now - last_ >= interval_) {
            events_.yield();
            yielded_ = true;
            last_ = std::chrono::steady_clock::now();
        }
    }

private:
    EventLoop& events_;
    std::chrono::nanoseconds interval_;
    std::chrono::steady_clock::time_point last_;
    bool yielded_ = false;
};

}  // namespace tarvello
