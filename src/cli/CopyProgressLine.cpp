#include "cli/CopyProgressLine.h"

#include "copyrun/CopyReport.h"

namespace tarvello {
namespace {

// Often enough to look alive, rarely enough to cost nothing.
constexpr double kRedrawInterval = 0.2;

std::string HoursMinutesSeconds(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

}  // namespace

CopyProgressLine::CopyProgressLine(const FileSystem& fs, const Clock& clock, bool showProgress,
                                   bool keepTargets)
    : fs_(fs), clock_(clock), showProgress_(showProgress), keepTargets_(keepTargets),
      started_(clock.steadySeconds()) {}

void CopyProgressLine::entryDone(std::size_t index, std::size_t total, const PlanEntry& entry,
                                 const CopyOutcome& outcome) {
    if (outcome.status == CopyOutcome::Status::Copied) {
        if (showProgress_)
            bytes_ += fs_.fileSize(entry.target).value_or(0);
        if (keepTargets_)
            copiedTargets_.push_back(entry.target);
    } else {
        clearLine();
        std::fprintf(stderr, "tarvello-cli: %s -> %s: %s\n", entry.source.c_str(), entry.target.c_str(),
                     outcome.reason.c_str());
    }
    const double now = clock_.steadySeconds();
    if (showProgress_ && (now - lastDraw_ >= kRedrawInterval || index + 1 == total)) {
        lastDraw_ = now;
        draw(index + 1, total);
    }
}

void CopyProgressLine::draw(std::size_t done, std::size_t total) {
    const double elapsed = clock_.steadySeconds() - started_;
    const double rate = elapsed > 0 ? static_cast<double>(bytes_) / elapsed : 0.0;
    const double left = done == 0 ? 0.0 : elapsed / static_cast<double>(done) * static_cast<double>(total - done);
    std::fprintf(stderr, "\r\033[K%zu of %zu files, %.1f MiB, %.1f MiB/s, %s left", done, total,
                 static_cast<double>(bytes_) / 1048576.0, rate / 1048576.0, HoursMinutesSeconds(left).c_str());
    std::fflush(stderr);
    lineShown_ = true;
}

void CopyProgressLine::clearLine() {
    if (lineShown_)
        std::fputs("\r\033[K", stderr);
    lineShown_ = false;
}

void CopyProgressLine::finished(const CopyReport& report) {
    if (lineShown_)
        std::fputc('\n', stderr);
    lineShown_ = false;
    for (const FlushFailure& failure : report.flushFailures())
        std::fprintf(stderr, "tarvello-cli: the copies in %s could not be written to the device: %s\n",
                     failure.folder.c_str(), failure.reason.c_str());
}

}  // namespace tarvello
