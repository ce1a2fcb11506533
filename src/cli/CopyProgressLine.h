#pragma once

#include "copyrun/CopyRun.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tarvello {

// Follows a copy run from a terminal: names each failed entry on standard
// error, keeps the targets made for a playlist and, when asked, redraws one
// progress line (entries done of total, bytes, rate, time left).
class CopyProgressLine final : public CopyRunObserver {
public:
    CopyProgressLine(const FileSystem& fs, const Clock& clock, bool showProgress, bool keepTargets);

    void setProgress(double) override {}
    void setBusy(bool) override {}
    void entryDone(std::size_t index, std::size_t total, const PlanEntry& entry,
                   const CopyOutcome& outcome) override;
    void finished(const CopyReport& report) override;

    const std::vector<std::string>& copiedTargets() const { return copiedTargets_; }

private:
    void draw(std::size_t done, std::size_t total);
    void clearLine();

    const FileSystem& fs_;
    const Clock& clock_;
    bool showProgress_;
    bool keepTargets_;
    bool lineShown_ = false;
    double started_;
    double lastDraw_ = -1.0;
    std::uint64_t bytes_ = 0;
    std::vector<std::string> copiedTargets_;
};

}  // namespace tarvello
