#include "cli/CopyProgressLine.h"

#include "copyrun/CopyReport.h"

#include "platform/PathSeparator.h"

#include <algorithm>

namespace tarvello {
namespace {

// Often enough to look alive, rarely enough to cost nothing.
constexpr double kRedrawInterval = 0.2;
constexpr double kMiB = 1048576.0;

std::string HoursMinutesSeconds(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

}  // namespace

CopyProgressLine::CopyProgressLine(const FileSystem& fs, const Clock& clock, bool showProgress,
                                   std::function<int()> columns)
    : fs_(fs), clock_(clock), showProgress_(showProgress), columns_(std::move(columns)),
      started_(clock.steadySeconds()) {}

void CopyProgressLine::entryProgress(std::size_t index, std::size_t total, std::uint64_t bytesDone) {
    currentBytes_ = bytesDone;
    drawIfDue(index, total, false);
}

void CopyProgressLine::entryDone(std::size_t index, std::size_t total, const PlanEntry& entry,
                                 const CopyOutcome& outcome) {
    currentBytes_ = 0;
    if (outcome.status == CopyOutcome::Status::Copied) {
        if (showProgress_)
            bytes_ += fs_.fileSize(entry.target).value_or(0);
    } else if (outcome.reach == CopyOutcome::Reach::Copy) {
        clearLine();
        std::fprintf(stderr, "tarvello-cli: %s -> %s: %s\n", entry.source.c_str(), entry.target.c_str(),
                     outcome.reason.c_str());
    } else if (const std::string folder = entry.target.substr(0, entry.target.rfind(kNativeSeparator) + 1);
               stoppedFolders_.insert(folder).second) {
        clearLine();
        std::fprintf(stderr, "tarvello-cli: %s: %s; nothing more is written there\n", folder.c_str(),
                     outcome.reason.c_str());
    }
    drawIfDue(index + 1, total, index + 1 == total);
}

void CopyProgressLine::drawIfDue(std::size_t done, std::size_t total, bool last) {
    const double now = clock_.steadySeconds();
    if (showProgress_ && (now - lastDraw_ >= kRedrawInterval || last)) {
        lastDraw_ = now;
        draw(done, total);
    }
}

// The time left is the pace so far over the bytes still to come, or over
// the entries when the bytes are not known.
void CopyProgressLine::draw(std::size_t done, std::size_t total) {
    const double elapsed = clock_.steadySeconds() - started_;
    const double bytes = static_cast<double>(bytes_ + currentBytes_);
    const double rate = elapsed > 0 ? bytes / elapsed : 0.0;
    double left = 0.0;
    if (plannedBytes_ > 0 && bytes > 0)
        left = elapsed / bytes * std::max(0.0, static_cast<double>(plannedBytes_) - bytes);
    else if (done > 0)
        left = elapsed / static_cast<double>(done) * static_cast<double>(total - done);
    char text[160];
    std::snprintf(text, sizeof text, "%zu of %zu files, %.1f MiB, %.1f MiB/s, %s left", done, total,
                  bytes / kMiB, rate / kMiB, HoursMinutesSeconds(left).c_str());
    std::string line(text);
    // One column short of the width, so the cursor never wraps to a new row.
    if (const int columns = columns_ ? columns_() : 0; columns > 1)
        line.resize(std::min(line.size(), static_cast<std::size_t>(columns - 1)));
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    lineShown_ = true;
}

void CopyProgressLine::clearLine() {
    if (lineShown_)
        std::fputs("\r\033[K", stderr);
    lineShown_ = false;
}

void CopyProgressLine::finished(const CopyReport& report) {
    clearLine();
    for (const FlushFailure& failure : report.flushFailures())
        std::fprintf(stderr, "tarvello-cli: the copies in %s could not be written to the device: %s\n",
                     failure.folder.c_str(), failure.reason.c_str());
    if (const std::string note = report.replacedNote("the plan"); !note.empty())
        std::fprintf(stderr, "tarvello-cli: %s\n", note.c_str());
}

}  // namespace tarvello
