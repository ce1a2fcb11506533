#pragma once

#include "platform/EventLoop.h"

namespace tarvello {

// Catches SIGINT, SIGTERM and SIGHUP for the length of its life and ignores
// SIGXFSZ, so that a write past the file-size limit fails like any other.
// A caught signal ends the process at the next yield, which a copy run
// makes between files and every few milliseconds inside one: the copy in
// the making is dropped, the old target stays, and the exit status is
// 128 plus the signal's number (130 for Ctrl-C). One instance per process.
class StopSignals final : public EventLoop {
public:
    StopSignals();
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    void yield() override;
};

}  // namespace tarvello
