#pragma once

#include "platform/PathSeparator.h"
#include "platform/ForwardingFileSystem.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvello {

// The disk as a run writes to it, watching the folders it writes into. The
// device of each is noted when the run starts; once a folder is gone or lies
// on another device (the stick pulled, its mount folder bare), or a copy
// there fails in a way that speaks for the whole folder (a read-only file
// system, the device gone, an I/O error on the folder, no room left), the
// folder is stopped: every later copy, removal, move and small file there is
// refused with that reason, unattempted. A copy refused so, and the copy
// that stopped the folder, reach the whole destination, so that whoever
// names failures names the folder once.
class DestinationGuard final : public ForwardingFileSystem {
public:
    // `folders` end with the separator; a path in any other folder passes
    // unwatched.
    DestinationGuard(FileSystem& inner, const std::vector<std::string>& folders, char separator = kNativeSeparator);

    // Says whether room can still be made in a folder (a refresh with old
    // copies left to remove): a full device there does not stop it then.
    void setRoomMaker(std::function<bool(const std::string& folder)> canMakeRoom) {
        canMakeRoom_ = std::move(canMakeRoom);
    }

    CopyOutcome replaceFile(const std::string& source, const std::string& target,
                            const CopyProgress& progress) override;
    std::optional<std::string> removeFile(const std::string& path) override;
    std::optional<std::string> replaceContents(const std::string& path, const ContentsWriter& contents) override;
    std::optional<std::string> makeFolder(const std::string& path) override;
    std::optional<std::string> removeFolder(const std::string& path) override;
    // Refused when either end lies in a stopped folder.
    std::optional<std::string> moveFile(const std::string& from, const std::string& to) override;
    // Folders already stopped are left out; one found gone now fails.
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override;

private:
    // Why writes into the folder of `path` are refused, if they are; looks
    // at its device first.
    std::optional<std::string> refusal(const std::string& folder);
    std::string folderOf(const std::string& path) const;

    char separator_;
    std::map<std::string, std::uint64_t> devices_;  // as noted at the start
    std::map<std::string, std::string> stopped_;    // and why
    std::function<bool(const std::string&)> canMakeRoom_;
};

}  // namespace tarvello
