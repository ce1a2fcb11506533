#include "refresh/RefreshingDisk.h"

#include "refresh/NameOrderMove.h"
#include "refresh/RecordFile.h"

#include <algorithm>
#include <set>

namespace tarvello {
namespace {

// Room asked for beyond a file's size: its last allocation unit and the
// file system's own bookkeeping.
constexpr std::uint64_t kRoomSlack = 128 * 1024;
// Sources of earlier runs are remembered at least this long.
constexpr std::uint32_t kRunsRemembered = 16;

}  // namespace

std::optional<CopyRecord> RefreshingDisk::writeRecord(const FolderRefresh& folder, bool finished) {
    if (folder.refused())
        return std::nullopt;
    CopyRecord record = folder.record(finished, std::max(kRunsRemembered, state_.options.avoidRecent));
    if (const auto failure = WriteRecordFile(inner(), folder.folder(), record)) {
        ++state_.tally.failed;
        state_.say(folder.folder() + std::string(kCopyRecordName) + ": cannot be written: " + *failure);
        return std::nullopt;
    }
    return record;
}

void RefreshingDisk::begin() {
    for (const auto& folder : state_.folders) {
        if (!folder->refused())
            folder->removeLeftovers(inner());
        writeRecord(*folder, false);
    }
}

void RefreshingDisk::makeRoom(FolderRefresh& folder, const std::string& source) {
    if (!state_.mayRemoveIn(folder))
        return;
    const std::uint64_t needed = inner().fileSize(source).value_or(0) + kRoomSlack;
    std::uint64_t& known = knownFree_[&folder];
    while (known < needed) {
        const auto free = inner().freeSpace(folder.folder());
        known = free.value_or(0);
        if (known < needed && !folder.removeNext(inner(), state_.tally))
            return;
    }
    known -= needed;
}

CopyOutcome RefreshingDisk::replaceFile(const std::string& source, const std::string& target,
                                        const CopyProgress& progress) {
    const std::size_t nameStart = target.rfind(state_.separator) + 1;
    const std::string_view name = std::string_view(target).substr(nameStart);
    FolderRefresh* folder = state_.find(std::string_view(target).substr(0, nameStart));
    if (!folder)
        return inner().replaceFile(source, target, progress);
    if (folder->keeps(name, source)) {
        ++state_.tally.kept;
        return {CopyOutcome::Status::Copied, {}};
    }
    makeRoom(*folder, source);
    const CopyOutcome outcome = inner().replaceFile(source, target, progress);
    const auto stat = outcome.status == CopyOutcome::Status::Copied ? inner().fileStat(target) : std::nullopt;
    if (stat) {
        folder->copied(name, source, *stat);
        ++state_.tally.copied;
        return outcome;
    }
    ++state_.tally.failed;
    folder->notCopied(name);
    failedIn_.insert(folder);
    knownFree_[folder] = 0;  // the disk may have less room than thought
    if (outcome.reach != CopyOutcome::Reach::Copy)
        stoppedIn_.insert(folder);
    return outcome;
}

std::vector<FlushFailure> RefreshingDisk::flush(const std::vector<std::string>& folders,
                                                const std::function<void()>& whileWaiting) {
    std::set<std::string> flushed(folders.begin(), folders.end());
    for (const auto& folder : state_.folders) {
        // Nothing more is written where the copies stopped; the record
        // written before them still names every copy that may stand there.
        if (stoppedIn_.contains(folder.get()))
            continue;
        // After a failed copy the old copies left stay, and stay recorded,
        // for the next run to take off: a run whose copies fail never
        // costs the old selection.
        if (state_.mayRemoveIn(*folder) && failedIn_.contains(folder.get()) && !folder->removals().empty()) {
            state_.say(folder->folder() + ": a copy failed there, so the old copies left are kept for the next run");
        } else if (state_.mayRemoveIn(*folder)) {
            // A stop asked for meanwhile ends the run here, with the
            // record written before the copies still true.
            while (folder->removeNext(inner(), state_.tally))
                whileWaiting();
        }
        // Written first, so that a run ended while moving leaves every copy
        // recorded where it belongs, for the next run to put back.
        const auto record = writeRecord(*folder, true);
        if (record && state_.options.orderByName)
            PutInNameOrder(inner(), folder->folder(), *record, state_.say);
        flushed.insert(folder->folder());
    }
    return inner().flush({flushed.begin(), flushed.end()}, whileWaiting);
}

}  // namespace tarvello
