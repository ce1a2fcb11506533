#pragma once

#include "plan/PlanEntry.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tarvello {

// Tallies what became of each entry of a run and words the one message
// that closes it.
class CopyReport {
public:
    // Failures named one by one; the rest are only counted, so the box
    // stays readable whatever the size of the plan.
    static constexpr std::size_t kListed = 10;

    // Asked once per folder that receives a copy: whether names there that
    // differ only in case are one file, so that "A.jpg" and a later "a.jpg"
    // count as one target. Without it every folder tells case apart.
    using FoldsCase = std::function<bool(const std::string& folder)>;
    explicit CopyReport(FoldsCase foldsCase = {}) : foldsCase_(std::move(foldsCase)) {}

    void add(const PlanEntry& entry, const CopyOutcome& outcome);
    void addFlushFailure(const FlushFailure& failure);

    // The folders that received at least one copy, each once.
    std::vector<std::string> writtenFolders() const;

    // "Done." when every entry was copied and is on its device; otherwise
    // "Done." followed by the entries that could not be copied, the folders
    // whose device failed to take the copies, and how many copies a later
    // entry of the run replaced. "No files added." for a run of no entries.
    std::string message() const;

    // Every entry copied and on its device.
    bool allCopied() const { return failed_ == 0 && flushFailures_.empty(); }
    std::size_t copied() const { return total_ - failed_; }
    std::size_t failed() const { return failed_; }
    std::size_t replaced() const { return replaced_; }
    // How many copies a later one replaced, and that `list` names more files
    // than the destination holds; empty when none was.
    std::string replacedNote(const std::string& list) const;
    const std::vector<FlushFailure>& flushFailures() const { return flushFailures_; }

private:
    std::size_t total_ = 0;
    std::size_t failed_ = 0;
    std::size_t replaced_ = 0;
    std::string listed_;                  // one line per listed failure
    FoldsCase foldsCase_;
    std::set<std::string> copiedTargets_;       // as the folder compares them
    std::map<std::string, bool> writtenFolders_;  // whether each folds case
    std::vector<FlushFailure> flushFailures_;
};

}  // namespace tarvello
