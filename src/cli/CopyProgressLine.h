#pragma once

#include "copyrun/CopyRunObserver.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <set>
#include <string>

namespace tarvello {

// Follows a copy run from a terminal: names each failed entry (or, for a
// failure that reaches a whole destination, that folder once) and the
// copies a later one replaced on standard error and, when asked, redraws
// one progress line (entries done of total, bytes, rate, time left) several
// times a second, also inside a large file, cut to the terminal's width.
class CopyProgressLine final : public CopyRunObserver {
public:
    // `columns` tells the terminal's width at the moment, 0 when unknown.
    CopyProgressLine(const FileSystem& fs, const Clock& clock, bool showProgress, std::function<int()> columns);

    // What the run's sources hold in all, for the time left.
    void setPlannedBytes(std::uint64_t bytes) { plannedBytes_ = bytes; }

    void setProgress(double) override {}
    void setBusy(bool) override {}
    void entryProgress(std::size_t index, std::size_t total, std::uint64_t bytesDone) override;
    void entryDone(std::size_t index, std::size_t total, const PlanEntry& entry,
                   const CopyOutcome& outcome) override;
    void finished(const CopyReport& report) override;

private:
    void drawIfDue(std::size_t done, std::size_t total, bool last);
    void draw(std::size_t done, std::size_t total);
    void clearLine();

    const FileSystem& fs_;
    const Clock& clock_;
    bool showProgress_;
    std::function<int()> columns_;
    bool lineShown_ = false;
    double started_;
    double lastDraw_ = -1.0;
    std::uint64_t plannedBytes_ = 0;
    std::uint64_t bytes_ = 0;        // of the entries done
    std::uint64_t currentBytes_ = 0;  // of the entry under way
    std::set<std::string> stoppedFolders_;  // named already
};

}  // namespace tarvello
