#pragma once

#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Launcher.h"
#include "platform/ProgramEnd.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvello::test {

class FixedClock final : public Clock {
public:
    explicit FixedClock(double seconds = 0.0) : seconds(seconds) {}
    double secondsSinceMidnight() const override { return seconds; }
    double steadySeconds() const override { return steady; }
    double seconds;
    double steady = 0.0;
};

// Counts yields and runs a hook inside each, standing in for whatever the
// user does while the program yields.
class HookedEventLoop final : public EventLoop {
public:
    void yield() override {
        ++yields;
        if (onYield)
            onYield(yields);
    }
    int yields = 0;
    std::function<void(int yieldNumber)> onYield;
};

class RecordingLauncher final : public Launcher {
public:
    void openUrl(const std::string& address) override { opened.push_back(address); }
    std::vector<std::string> opened;
};

class RecordingProgramEnd final : public ProgramEnd {
public:
    void endProgram() override { ++requests; }
    int requests = 0;
};

}  // namespace tarvello::test
