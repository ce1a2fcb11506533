#include "copyrun/CopyReport.h"

#include "plan/FoldedName.h"
#include "platform/PathSeparator.h"

namespace tarvello {

void CopyReport::add(const PlanEntry& entry, const CopyOutcome& outcome) {
    ++total_;
    if (outcome.status == CopyOutcome::Status::Copied) {
        const std::size_t nameStart = entry.target.rfind(kNativeSeparator) + 1;
        const std::string folder = entry.target.substr(0, nameStart);
        auto written = writtenFolders_.find(folder);
        if (written == writtenFolders_.end())
            written = writtenFolders_.emplace(folder, foldsCase_ && foldsCase_(folder)).first;
        const std::string key = written->second ? folder + FoldedName(entry.target.substr(nameStart)) : entry.target;
        if (!copiedTargets_.insert(key).second)
            ++replaced_;
        return;
    }
    if (++failed_ <= kListed)
        listed_ += entry.source + " -> " + entry.target + ": " + outcome.reason + "\n";
}

void CopyReport::addFlushFailure(const FlushFailure& failure) { flushFailures_.push_back(failure); }

std::vector<std::string> CopyReport::writtenFolders() const {
    std::vector<std::string> folders;
    for (const auto& [folder, folds] : writtenFolders_)
        folders.push_back(folder);
    return folders;
}

std::string CopyReport::replacedNote(const std::string& list) const {
    if (replaced_ == 0)
        return {};
    return std::to_string(replaced_) + (replaced_ == 1 ? " copy was" : " copies were") +
           " replaced by a later copy of this run to the same path, so the destination holds fewer files than " +
           list + " lists.";
}

std::string CopyReport::message() const {
    if (total_ == 0)
        return "No files added.";
    std::string text = "Done.\n\n";
    if (failed_ > 0) {
        text += std::to_string(failed_) + " of " + std::to_string(total_) +
                (total_ == 1 ? " entry" : " entries") + " could not be copied:\n" + listed_;
        if (failed_ > kListed)
            text += "and " + std::to_string(failed_ - kListed) + " more.\n";
        text += "\n";
    }
    for (const FlushFailure& failure : flushFailures_)
        text += "The copies in " + failure.folder + " could not be written to the device: " +
                failure.reason + "\n\n";
    if (replaced_ > 0)
        text += replacedNote("the Summary") + "\n\n";
    text.resize(text.size() - 2);  // the last paragraph's break
    return text;
}

}  // namespace tarvello
