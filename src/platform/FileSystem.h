#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// What became of one file copy.
struct CopyOutcome {
    enum class Status {
        Copied,    // the target now holds the source's bytes
        SameFile,  // source and target are one file; nothing was touched
        Failed,    // the old target, if any, is as it was
    };
    Status status = Status::Copied;
    std::string reason;  // the system's words, for SameFile and Failed
};

// Called on the copying thread after each piece of a file copy, so that a
// long copy can let the window breathe.
using CopyProgress = std::function<void()>;

// A destination file system whose cached writes could not be written out.
struct FlushFailure {
    std::string folder;
    std::string reason;  // the system's words
};

// Every disk operation the program needs. Paths are native byte strings,
// passed through unchanged.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Calls `visit` with the name of each regular, non-hidden file lying
    // directly in `folder`, in the order the system lists them. A path that
    // names no folder visits nothing.
    virtual void forEachFile(const std::string& folder,
                             const std::function<void(std::string_view name)>& visit) const = 0;

    // Seconds since the epoch, or nothing when the path cannot be queried.
    virtual std::optional<std::int64_t> modificationTime(const std::string& path) const = 0;

    // The path's mode bits, or nothing when the path cannot be queried.
    virtual std::optional<std::uint32_t> attributes(const std::string& path) const = 0;

    // Makes `target` a copy of `source`, replacing whatever file stands
    // there. Either the whole copy lands or the old target is left intact.
    // `progress` runs after every piece of at most 1 MiB.
    virtual CopyOutcome replaceFile(const std::string& source, const std::string& target,
                                    const CopyProgress& progress) = 0;

    // Writes out to their devices whatever the system still holds in memory
    // for the file systems of `folders`, each file system once, calling
    // `whileWaiting` every few milliseconds until done. Returns the folders
    // whose file system failed, one per file system.
    virtual std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                            const std::function<void()>& whileWaiting) = 0;

    // The folder of the running executable, without a final separator.
    virtual std::string programFolder() const = 0;
};

}  // namespace tarvello
