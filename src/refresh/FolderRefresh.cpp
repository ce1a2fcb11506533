#include "refresh/FolderRefresh.h"

#include <cstdlib>

namespace tarvello {
namespace {

// FAT keeps modification times to 2 s, so a finished copy there may differ
// from its source by that much.
constexpr std::int64_t kTimeSlackNs = 2'000'000'000;

bool AsCopied(const FileStat& now, const RecordEntry& entry) {
    return now.size == entry.size && now.modifiedNs == entry.modifiedNs;
}

bool FinishedCopyOf(const FileStat& copy, const FileStat& source) {
    return copy.size == source.size && std::llabs(copy.modifiedNs - source.modifiedNs) <= kTimeSlackNs;
}

}  // namespace

FolderRefresh::FolderRefresh(std::string folder, FolderRecord found)
    : folder_(std::move(folder)), status_(found.status), problem_(std::move(found.problem)),
      old_(std::move(found.record)) {
    made_.lastRun = old_.lastRun + 1;
}

// A name that would lead out of the folder is no copy of this program's,
// whatever the record says.
bool FolderRefresh::inFolder(std::string_view name) const {
    return name != "." && name != ".." && name.find(folder_.back()) == std::string_view::npos;
}

void FolderRefresh::survey(const FileSystem& fs, RefreshTally& tally) {
    std::string path = folder_;
    const auto statOf = [&](std::string_view name) {
        path.resize(folder_.size());
        path += name;
        return fs.fileStat(path);
    };
    // A record read names no file outside the folder (it would have been
    // refused), so each name is safe to look at.
    for (std::size_t i = 0; i < old_.size(); ++i) {
        const RecordEntry& entry = old_[i];
        const bool named = entry.kind != RecordEntry::Kind::Past;
        const std::optional<FileStat> now = named ? statOf(old_.name(entry)) : std::nullopt;
        bool ours = false;
        if (now && entry.kind == RecordEntry::Kind::Copy) {
            ours = AsCopied(*now, entry);
        } else if (now && entry.kind == RecordEntry::Kind::Pending) {
            // Where the copy's times could not be set, its bytes tell.
            const std::string source(old_.source(entry));
            const auto sourceStat = fs.fileStat(source);
            ours = sourceStat && (FinishedCopyOf(*now, *sourceStat) ||
                                  (now->size == sourceStat->size && fs.sameBytes(path, source)));
        }
        // A name claimed twice (a copy and the pending copy over it) goes
        // to whichever matches the file standing there; the other is past.
        if (ours && byName_.emplace(old_.name(entry), owned_.size()).second)
            owned_.push_back({i, *now});
        else
            past_.push_back(i);
    }
    // A changed copy is the user's, unless a pending copy of a later run
    // stands finished in its place.
    for (const std::size_t i : past_)
        if (old_[i].kind == RecordEntry::Kind::Copy && !owns(old_.name(old_[i])))
            ++tally.leftAlone;
}

void FolderRefresh::removeLeftovers(FileSystem& fs) const {
    for (std::size_t i = 0; i < old_.size(); ++i)
        if (old_[i].kind == RecordEntry::Kind::Pending && inFolder(old_.name(old_[i])))
            fs.removeLeftoversOf(folder_ + std::string(old_.name(old_[i])));
}

void FolderRefresh::forEachSource(const std::function<void(std::string_view, std::uint32_t)>& visit) const {
    for (std::size_t i = 0; i < old_.size(); ++i)
        if (old_[i].run <= old_.lastRun)
            visit(old_.source(old_[i]), old_.lastRun - old_[i].run);
}

std::uint64_t FolderRefresh::ownedBytes() const {
    std::uint64_t bytes = 0;
    for (const Owned& owned : owned_)
        bytes += owned.stat.allocatedBytes;
    return bytes;
}

void FolderRefresh::settle(std::string_view name, std::string_view source) {
    if (const auto found = byName_.find(name); found != byName_.end()) {
        Owned& owned = owned_[found->second];
        const bool sameSource = old_.source(old_[owned.entry]) == source;
        if (sameSource && (owned.fate == Fate::Open || owned.fate == Fate::Kept)) {
            owned.fate = Fate::Kept;
            return;
        }
        owned.fate = Fate::CopiedOver;
    }
    planned_.emplace_back(name, source);
}

bool FolderRefresh::keeps(std::string_view name, std::string_view source) const {
    const auto found = byName_.find(name);
    return found != byName_.end() && owned_[found->second].fate == Fate::Kept &&
           old_.source(old_[owned_[found->second].entry]) == source;
}

std::vector<std::string> FolderRefresh::removals() const {
    std::vector<std::string> names;
    for (const Owned& owned : owned_)
        if (removable(owned))
            names.emplace_back(old_.name(old_[owned.entry]));
    return names;
}

std::vector<std::string> FolderRefresh::kept() const {
    std::vector<std::string> names;
    for (const Owned& owned : owned_)
        if (owned.fate == Fate::Kept)
            names.emplace_back(old_.name(old_[owned.entry]));
    return names;
}

bool FolderRefresh::removeNext(FileSystem& fs, RefreshTally& tally) {
    while (nextRemoval_ < owned_.size() && !removable(owned_[nextRemoval_]))
        ++nextRemoval_;
    if (nextRemoval_ == owned_.size())
        return false;
    Owned& owned = owned_[nextRemoval_++];
    const RecordEntry& entry = old_[owned.entry];
    const std::string path = folder_ + std::string(old_.name(entry));
    // Looked at again just before: the user may have changed it meanwhile.
    const auto now = fs.fileStat(path);
    if (!now || now->size != owned.stat.size || now->modifiedNs != owned.stat.modifiedNs) {
        owned.fate = Fate::LeftAlone;
        ++tally.leftAlone;
    } else if (fs.removeFile(path)) {
        owned.fate = Fate::RemoveFailed;
        ++tally.failed;
    } else {
        owned.fate = Fate::Removed;
        ++tally.removed;
    }
    return true;
}

void FolderRefresh::copied(std::string_view name, std::string_view source, const FileStat& stat) {
    made_.add(RecordEntry::Kind::Copy, made_.lastRun, name, source, stat.size, stat.modifiedNs);
}

void FolderRefresh::notCopied(std::string_view name) {
    if (const auto found = byName_.find(name); found != byName_.end() && owned_[found->second].fate == Fate::CopiedOver)
        owned_[found->second].fate = Fate::Open;
}

CopyRecord FolderRefresh::record(bool finished, std::uint32_t rememberedRuns) const {
    CopyRecord next;
    next.lastRun = made_.lastRun;
    const auto remember = [&](const RecordEntry& entry) {
        if (next.lastRun - entry.run < rememberedRuns)
            next.add(RecordEntry::Kind::Past, entry.run, {}, old_.source(entry));
    };
    for (const Owned& owned : owned_) {
        const RecordEntry& entry = old_[owned.entry];
        const Fate fate = owned.fate;
        const bool stands = fate == Fate::Open || fate == Fate::Kept || fate == Fate::RemoveFailed ||
                            (fate == Fate::CopiedOver && !finished);
        if (stands)
            next.add(RecordEntry::Kind::Copy, fate == Fate::Kept ? next.lastRun : entry.run, old_.name(entry),
                     old_.source(entry), owned.stat.size, owned.stat.modifiedNs);
        else
            remember(entry);
    }
    for (const std::size_t i : past_)
        remember(old_[i]);
    // A copy whose name no record may hold (a "\" in a Linux name) is
    // left out, so that the record stays readable; the copy is the user's.
    if (finished) {
        for (std::size_t i = 0; i < made_.size(); ++i)
            if (IsRecordableName(made_.name(made_[i])))
                next.add(made_, made_[i], made_.lastRun);
    } else {
        for (const auto& [name, source] : planned_)
            if (IsRecordableName(name))
                next.add(RecordEntry::Kind::Pending, next.lastRun, name, source);
    }
    return next;
}

}  // namespace tarvello
