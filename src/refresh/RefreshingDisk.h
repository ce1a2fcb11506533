#pragma once

#include "platform/ForwardingFileSystem.h"
#include "refresh/RefreshState.h"

namespace tarvello {

// The disk as a refresh's copy run uses it. A copy the plan keeps is not
// made again. Old copies make way only when the next copy needs their
// room, so a device pulled out midway still holds a full selection; the
// rest go, and the records are written, just before the closing flush,
// unless a copy failed in their folder. Then, if asked, each folder's
// copies are put in name order.
class RefreshingDisk final : public ForwardingFileSystem {
public:
    RefreshingDisk(FileSystem& inner, RefreshState& state) : ForwardingFileSystem(inner), state_(state) {}

    // Removes what the copies an ended run meant to make left in the
    // making, then writes each folder's record with the copies about to be
    // made as pending, before the first of them.
    void begin();

    CopyOutcome replaceFile(const std::string& source, const std::string& target,
                            const CopyProgress& progress) override;
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override;

private:
    void makeRoom(FolderRefresh& folder, const std::string& source);
    // The record written, or nothing when it was not.
    std::optional<CopyRecord> writeRecord(const FolderRefresh& folder, bool finished);

    RefreshState& state_;
    // What each folder had free when last asked, less the room asked for
    // since: the disk is asked again only when that runs short.
    std::unordered_map<const FolderRefresh*, std::uint64_t> knownFree_;
    std::unordered_set<const FolderRefresh*> failedIn_;   // folders where a copy failed
    std::unordered_set<const FolderRefresh*> stoppedIn_;  // and those that take no more writes
};

}  // namespace tarvello
