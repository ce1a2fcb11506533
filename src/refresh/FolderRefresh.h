#pragma once

#include "platform/FileSystem.h"
#include "refresh/RecordFile.h"
#include "refresh/RefreshTally.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvello {

// One destination folder through a refresh: its record as found, what
// becomes of each recorded copy, and the record left behind. A recorded
// copy is this program's only while its size and modification time are
// as copied; any other file in the folder is never touched.
class FolderRefresh {
public:
    // `folder` ends with the separator.
    FolderRefresh(std::string folder, FolderRecord found);

    const std::string& folder() const { return folder_; }
    // Whether the record could not be taken in: the folder then keeps it as
    // it is, and nothing there counts as a copy of this program's.
    bool refused() const { return status_ == FolderRecord::Status::Refused; }
    const std::string& problem() const { return problem_; }

    // Looks at each recorded copy on the disk. Unchanged ones are owned; a
    // copy a run meant to make is owned when it stands there finished (the
    // size of its source and its time, to the 2 s of FAT, or else its
    // bytes). The rest are the user's now and drop out of the record; their
    // number is added to `tally.leftAlone`.
    void survey(const FileSystem& fs, RefreshTally& tally);

    // Removes the hidden copies in the making that an ended run left for
    // the copies the record names as pending, and no other hidden file.
    void removeLeftovers(FileSystem& fs) const;

    // Each source the record names, with how many runs ago it was copied
    // (0: the last recorded run).
    void forEachSource(const std::function<void(std::string_view source, std::uint32_t age)>& visit) const;

    bool owns(std::string_view name) const { return byName_.contains(name); }
    // The room the owned copies take, all of which a refresh may free.
    std::uint64_t ownedBytes() const;

    // Notes an entry of the plan to this folder. An owned copy of the same
    // source is kept; one of another source is copied over, not removed.
    void settle(std::string_view name, std::string_view source);
    // Whether the plan's copy of `source` to `name` is already there.
    bool keeps(std::string_view name, std::string_view source) const;

    // The owned copies the plan does not keep, in record order.
    std::vector<std::string> removals() const;
    std::vector<std::string> kept() const;

    // Removes the next owned copy not kept, once more checked unchanged;
    // false when none is left.
    bool removeNext(FileSystem& fs, RefreshTally& tally);
    void copied(std::string_view name, std::string_view source, const FileStat& stat);
    // The copy to `name` failed: an owned copy there stands as it was.
    void notCopied(std::string_view name);

    // The record to write. Before the copies (`finished` false) it names
    // every copy the plan means to make as pending, so that a run ended at
    // any point leaves each of its copies recorded or recognisable; after
    // them, the copies as made. Sources of earlier runs are remembered for
    // `rememberedRuns` runs.
    CopyRecord record(bool finished, std::uint32_t rememberedRuns) const;

private:
    enum class Fate { Open, Kept, CopiedOver, Removed, LeftAlone, RemoveFailed };
    struct Owned {
        std::size_t entry;  // in the old record
        FileStat stat;      // as copied
        Fate fate = Fate::Open;
    };
    bool removable(const Owned& owned) const { return owned.fate == Fate::Open; }
    bool inFolder(std::string_view name) const;

    std::string folder_;
    FolderRecord::Status status_;
    std::string problem_;
    CopyRecord old_;
    std::vector<Owned> owned_;  // in record order
    std::unordered_map<std::string_view, std::size_t> byName_;  // into owned_
    std::vector<std::size_t> past_;  // entries of the old record remembered only by their source
    std::vector<std::pair<std::string, std::string>> planned_;  // name and source of each copy to make
    CopyRecord made_;
    std::size_t nextRemoval_ = 0;
};

}  // namespace tarvello
