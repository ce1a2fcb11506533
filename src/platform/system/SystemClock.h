#pragma once

#include "platform/Clock.h"

namespace tarvello {

class SystemClock final : public Clock {
public:
    double secondsSinceMidnight() const override;
    double steadySeconds() const override;
};

}  // namespace tarvello
