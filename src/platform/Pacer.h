#pragma once

#include "platform/Clock.h"
#include "platform/EventLoop.h"

#include <functional>
#include <utility>

namespace tarvello {

// Lets the event loop run from inside a long piece of work: often enough
// that the window repaints and takes input (and a stop asked for in a
// terminal is seen), rarely enough that the work does not pay for a yield
// per step. `afterYield` runs after each yield, for whatever a handler run
// inside it may have undone, such as the busy pointer.
class Pacer {
public:
    static constexpr double kInterval = 0.02;  // seconds

    Pacer(EventLoop& events, const Clock& clock, std::function<void()> afterYield = {})
        : events_(events), clock_(clock), afterYield_(std::move(afterYield)) {}

    // Yields now.
    void yield() {
        events_.yield();
        if (afterYield_)
            afterYield_();
        last_ = clock_.steadySeconds();
        yielded_ = true;
    }

    // Yields when kInterval has passed since the last yield; the first call
    // always yields.
    void yieldIfDue() {
        if (!yielded_ || clock_.steadySeconds() - last_ >= kInterval)
            yield();
    }

private:
    EventLoop& events_;
    const Clock& clock_;
    std::function<void()> afterYield_;
    double last_ = 0.0;
    bool yielded_ = false;
};

}  // namespace tarvello
