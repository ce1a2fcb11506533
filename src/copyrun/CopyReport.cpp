#include "copyrun/CopyReport.h"

namespace tarvello {

void CopyReport::add(const PlanEntry& entry, const CopyOutcome& outcome) {
    ++total_;
    if (outcome.status == CopyOutcome::Status::Copied)
        return;
    if (++failed_ <= kListed)
        listed_ += entry.source + " -> " + entry.target + ": " + outcome.reason + "\n";
}

std::string CopyReport::message() const {
    std::string text = "Done.";
    if (failed_ == 0)
        return text;
    text += "\n\n" + std::to_string(failed_) + " of " + std::to_string(total_) +
            (total_ == 1 ? " entry" : " entries") + " could not be copied:\n" + listed_;
    if (failed_ > kListed)
        text += "and " + std::to_string(failed_ - kListed) + " more.\n";
    text.pop_back();  // the last line's break
    return text;
}

}  // namespace tarvello
