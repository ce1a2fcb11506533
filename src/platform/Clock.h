#pragma once

namespace tarvello {

class Clock {
public:
    virtual ~Clock() = default;

    // Local time of day in seconds since midnight, fraction included.
    virtual double secondsSinceMidnight() const = 0;

    // Seconds on a clock that never jumps, for measuring spans of time.
    virtual double steadySeconds() const = 0;
};

}  // namespace tarvello
