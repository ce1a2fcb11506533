#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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
    // How far a failure reaches beyond this one copy.
    enum class Reach {
        Copy,         // this copy alone
        Destination,  // every copy into the target's folder: a read-only file system, its device gone, an I/O
                      // error on the folder itself
        Room,         // the target's device is full
    };
    Status status = Status::Copied;
    std::string reason;  // the system's words, for SameFile and Failed
    Reach reach = Reach::Copy;
};

// A lock held on a file while this object lives. The system drops it when
// the process ends, however it ends, so no lock outlives its holder.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// What asking for a lock gave: the lock, or why not.
struct LockAttempt {
    std::unique_ptr<FileLock> lock;
    bool heldElsewhere = false;  // another process holds it
    std::string reason;          // the system's words otherwise
};

// What one stat of a folder says about its identity and its last changes.
// Two equal stamps mean the folder's own entries did not change between
// them, up to the resolution of the file system's clock.
struct FolderStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modifiedNs = 0;  // since the epoch, in the file system's time
    std::int64_t changedNs = 0;

    bool operator==(const FolderStamp&) const = default;
};

// Called on the copying thread after each piece of a file copy with the
// bytes of the file copied so far, so that a long copy can let the window
// breathe and show how far it has come.
using CopyProgress = std::function<void(std::uint64_t bytesDone)>;

// Why a file could not be read.
struct ReadFailure {
    bool notRegularFile = false;  // a folder, FIFO, device or socket, refused unread
    std::string reason;           // the system's words
};

// Takes the next piece of a file; false stops the reading there.
using ReadPiece = std::function<bool(std::string_view bytes)>;

// A destination file system whose cached writes could not be written out.
struct FlushFailure {
    std::string folder;
    std::string reason;  // the system's words
};

// Where a file system puts a folder's new entry.
enum class EntryOrder {
    None,                 // by name or hash, as most do: nothing to put in order
    Made,                 // in the first free place that holds its name, as FAT and exFAT do; listed so
    MadeListedOtherwise,  // so, but a listing does not show where (exfat-fuse)
};

// What one stat of a file says about it, links not followed.
struct FileStat {
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;       // since the epoch, in the file system's time
    std::uint64_t allocatedBytes = 0;  // the room it takes on its device
};

// Hands each piece of a file's new contents to the writer it is given.
using ContentsWriter = std::function<void(const std::function<void(std::string_view bytes)>& write)>;

// Every disk operation the program needs. Paths are native byte strings,
// passed through unchanged.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Calls `visit` with the name of each regular, non-hidden file lying
    // directly in `folder`, in the order the system lists them. Returns why
    // the folder could not be listed, whole or in part ("no such folder"
    // when the path names none), after visiting what it could.
    virtual std::optional<std::string> forEachFile(
        const std::string& folder, const std::function<void(std::string_view name)>& visit) const = 0;

    // The same listing, told apart for reuse: visits each regular file and
    // every non-hidden link (isLink), in listing order, and gives the stamp
    // of the folder as it was opened. A link counts as a file only when
    // leadsToFile() says so at the time of asking. Nothing, and no visits,
    // when the path names no folder. A file system that cannot stamp its
    // folders lists them as forEachFile does and gives no stamp, so no
    // listing of it is ever kept.
    virtual std::optional<FolderStamp> listFolder(
        const std::string& folder,
        const std::function<void(std::string_view name, bool isLink)>& visit) const {
        forEachFile(folder, [&](std::string_view name) { visit(name, false); });
        return std::nullopt;
    }

    // Each folder's stamp now, in the order given, or nothing for a path
    // that is not a folder. Asked for all at once, since a redraw checks
    // every folder it keeps.
    virtual std::vector<std::optional<FolderStamp>> folderStamps(const std::vector<std::string_view>& folders) const {
        return std::vector<std::optional<FolderStamp>>(folders.size());
    }

    // Whether the path, links followed, is a regular file.
    virtual bool leadsToFile(const std::string&) const { return false; }

    // The present moment on the clock that stamps files, in nanoseconds
    // since the epoch.
    virtual std::int64_t fileTimeNowNs() const { return 0; }

    // Calls `visit` with the name of each non-hidden entry lying directly in
    // `folder`, in the order the system lists them, and whether it is a
    // folder. A link is never taken for a folder, so a walk that descends
    // into folders does not follow links. A folder that cannot be listed
    // visits nothing.
    virtual void forEachEntry(const std::string& folder,
                              const std::function<void(std::string_view name, bool isFolder)>& visit) const = 0;

    // Hands the bytes of the regular file at `path` to `take` in pieces, from
    // the start to the end or until `take` says stop. Anything but a regular
    // file is refused without waiting on it (a FIFO with no writer, a
    // device that never ends).
    virtual std::optional<ReadFailure> readFile(const std::string& path, const ReadPiece& take) const = 0;

    // The same for the program's standard input, whatever it is. A wait for
    // input that a signal breaks calls `interrupted`, which may end the
    // program, and then waits on.
    virtual std::optional<ReadFailure> readStandardInput(const ReadPiece&,
                                                         const std::function<void()>& /*interrupted*/) const {
        return ReadFailure{false, "standard input cannot be read"};
    }

    // Seconds since the epoch, or nothing when the path cannot be queried.
    virtual std::optional<std::int64_t> modificationTime(const std::string& path) const = 0;

    // The path's mode bits, or nothing when the path cannot be queried.
    virtual std::optional<std::uint32_t> attributes(const std::string& path) const = 0;

    // The size in bytes of the file the path leads to, or nothing when it
    // cannot be queried.
    virtual std::optional<std::uint64_t> fileSize(const std::string&) const { return std::nullopt; }

    // The bytes an unprivileged writer may still fill on the file system
    // that holds `folder`, or nothing when it cannot be asked.
    virtual std::optional<std::uint64_t> freeSpace(const std::string&) const { return std::nullopt; }

    // The unit in which the file system that holds `folder` hands out space
    // (a FAT cluster, a page of tmpfs): a file takes its size rounded up to
    // it. Nothing when it cannot be asked.
    virtual std::optional<std::uint64_t> allocationUnit(const std::string&) const { return std::nullopt; }

    // Whether names in `folder` that differ only in letter case name one
    // file, as on FAT and exFAT. Best asked of a folder that holds at least
    // one entry, which it asks about; an empty one is answered by its file
    // system's kind.
    virtual bool foldsCase(const std::string&) const { return false; }

    // Whether the file system of `folder` refuses names holding one of
    // `: ? * " < > | \`, and drops or refuses trailing dots and blanks, as
    // FAT, exFAT and Windows do.
    virtual bool refusesCharacters(const std::string&) const { return false; }

    // How the file system of `folder` places a folder's entries. Players
    // that play a FAT or exFAT folder as it stands play it in that order.
    virtual EntryOrder entryOrder(const std::string&) const { return EntryOrder::None; }

    // Makes `target` a copy of `source`, replacing whatever file stands
    // there. Either the whole copy lands or the old target is left intact.
    // `progress` runs after every piece of at most 1 MiB.
    virtual CopyOutcome replaceFile(const std::string& source, const std::string& target,
                                    const CopyProgress& progress) = 0;

    // Removes what copies to `target` that ended without warning (a killed
    // run, a pulled stick) left beside it under hidden names, passing over
    // one that a copy under way still holds.
    virtual void removeLeftoversOf(const std::string&) {}

    // Whether the two regular files hold the same bytes; false when either
    // cannot be read.
    virtual bool sameBytes(const std::string&, const std::string&) const { return false; }

    // Takes an exclusive lock on the file at `path`, made empty where none
    // stands and never removed, without waiting for it.
    virtual LockAttempt lockFile(const std::string&) { return {nullptr, false, "cannot lock files here"}; }

    // Writes out to their devices whatever the system still holds in memory
    // for the file systems of `folders`, each file system once, calling
    // `whileWaiting` every few milliseconds until done. Returns the folders
    // whose file system failed, one per file system.
    virtual std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                            const std::function<void()>& whileWaiting) = 0;

    // The stat of the regular file at `path`, or nothing when no regular
    // file stands there (a link, even to a file, gives nothing).
    virtual std::optional<FileStat> fileStat(const std::string&) const { return std::nullopt; }

    // Removes the file at `path`. Returns the system's reason when it
    // cannot.
    virtual std::optional<std::string> removeFile(const std::string&) { return "cannot remove files here"; }

    // Makes the folder at `path`; a folder standing there already will do.
    virtual std::optional<std::string> makeFolder(const std::string&) { return "cannot make folders here"; }

    // Removes the folder at `path` if it is empty.
    virtual std::optional<std::string> removeFolder(const std::string&) { return "cannot remove folders here"; }

    // Gives the file at `from` the path `to` on the same file system,
    // without copying it and never over anything standing at `to`: then it
    // fails and the file stays where it was. The file keeps its
    // modification time, by which a record knows its copies.
    virtual std::optional<std::string> moveFile(const std::string&, const std::string&) {
        return "cannot move files here";
    }

    // Replaces the small file at `path` with what `contents` writes, in one
    // step: the bytes go to a file beside it, renamed over it once complete,
    // so a run killed meanwhile leaves the old file or the new one. Left to
    // the next flush of its folder. Returns the system's reason on failure;
    // the old file then stays as it was.
    virtual std::optional<std::string> replaceContents(const std::string&, const ContentsWriter&) {
        return "cannot write files here";
    }

    // The absolute path of `folder` with its links and its "." and ".."
    // resolved, without a final separator but at a root, or nothing when it
    // cannot be resolved.
    virtual std::optional<std::string> resolvedFolder(const std::string&) const { return std::nullopt; }

    // The folder of the running executable, without a final separator.
    virtual std::string programFolder() const = 0;
};

}  // namespace tarvello
