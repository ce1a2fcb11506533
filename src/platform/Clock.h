#pragma once

namespace tarvello {

class Clock {
public:
    virtual ~Clock() = default;

    // Local time of day in seconds since midnight, fraction included.
    virtual double secondsSinceMidnight() const = 0;
};

}  // namespace tarvello
