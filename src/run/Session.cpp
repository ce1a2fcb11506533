#include "run/Session.h"

#include "lists/FolderTree.h"
#include "lists/ListFile.h"
#include "lists/PathText.h"
#include "plan/BuildPlan.h"
#include "plan/PickRandomFiles.h"
#include "platform/Pacer.h"
#include "platform/PathSeparator.h"
#include "refresh/RecordFile.h"
#include "refresh/NameOrderMove.h"
#include "refresh/RecordLocks.h"
#include "refresh/Refresh.h"
#include "run/DestinationGuard.h"
#include "run/Playlist.h"

#include <set>
#include <string_view>

namespace tarvello {
namespace {

// Passes a copy run on to whoever shows it, keeping the targets made for
// the playlist.
class KeepingTargets final : public CopyRunObserver {
public:
    explicit KeepingTargets(CopyRunObserver& shown) : shown_(shown) {}

    void setProgress(double percent) override { shown_.setProgress(percent); }
    void setBusy(bool busy) override { shown_.setBusy(busy); }
    void entryProgress(std::size_t index, std::size_t total, std::uint64_t bytesDone) override {
        shown_.entryProgress(index, total, bytesDone);
    }
    void entryDone(std::size_t index, std::size_t total, const PlanEntry& entry,
                   const CopyOutcome& outcome) override {
        if (outcome.status == CopyOutcome::Status::Copied)
            targets.push_back(entry.target);
        shown_.entryDone(index, total, entry, outcome);
    }
    void finished(const CopyReport& report) override { shown_.finished(report); }

    std::vector<std::string> targets;

private:
    CopyRunObserver& shown_;
};

// The bytes of the file at `path`, or nothing when it cannot be read.
std::optional<std::string> FileBytes(const FileSystem& fs, const std::string& path) {
    std::string bytes;
    const bool read = !fs.readFile(path, [&](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    return read ? std::optional(bytes) : std::nullopt;
}

}  // namespace

Session::Session(FileSystem& fs, EventLoop& events, const Clock& clock, SessionObserver& observer)
    : fs_(fs), events_(events), clock_(clock), observer_(observer), copyRun_(events, clock) {}

Session::~Session() = default;

void Session::problem(const std::string& line) {
    failed_ = true;
    observer_.problem(line);
}

// The entries the sources name, in their order. Nothing, after naming it,
// when a list file fails.
std::optional<std::vector<std::string>> Session::readEntries(const std::vector<EntrySource>& sources) {
    std::vector<std::string> entries;
    for (const EntrySource& source : sources) {
        switch (source.kind) {
        case EntrySource::Kind::Entry:
            entries.push_back(source.path);
            break;
        case EntrySource::Kind::Folder:
            entries.push_back(FolderEntryFromPicked(source.path, kNativeSeparator));
            break;
        case EntrySource::Kind::Tree: {
            Pacer pace(events_, clock_);
            entries.push_back(TreeOwnEntry(source.path, TreeList::Source, kNativeSeparator));
            for (std::string& entry : TreeSubfolderEntries(fs_, pace, source.path, kNativeSeparator))
                entries.push_back(std::move(entry));
            break;
        }
        case EntrySource::Kind::ListFile: {
            const bool standardInput = source.path == "-";
            ListFileRead read = standardInput ? ReadListInput(fs_, [this] { events_.yield(); })
                                              : ReadListFile(fs_, source.path);
            if (read.status != ListFileRead::Status::Read) {
                problem((standardInput ? "standard input" : source.path) + ": " + ListFileProblem(read));
                return std::nullopt;
            }
            for (std::string& entry : read.entries)
                entries.push_back(std::move(entry));
            break;
        }
        }
    }
    return entries;
}

// Names each destination that is not a folder, once, and keeps the others.
std::vector<std::string> Session::existingDestinations(const std::vector<std::string>& entries) {
    const std::vector<std::string_view> folders(entries.begin(), entries.end());
    const auto stamps = fs_.folderStamps(folders);
    std::vector<std::string> existing;
    std::set<std::string_view> missing;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (stamps[i])
            existing.push_back(entries[i]);
        else if (missing.insert(entries[i]).second)
            problem(entries[i] + ": no such folder");
    }
    return existing;
}

// Notes the device of each destination folder and of the playlist's as the
// run starts, so that nothing is written where one has gone since.
void Session::guardWrites(const std::vector<std::string>& destinations) {
    std::vector<std::string> folders;
    for (const std::string& entry : destinations)
        folders.push_back(WithFinalSeparator(entry, kNativeSeparator));
    if (const std::size_t slash = playlist_.rfind(kNativeSeparator); slash != std::string::npos)
        folders.push_back(playlist_.substr(0, slash + 1));
    guard_ = std::make_unique<DestinationGuard>(fs_, folders);
}

DrawnPlan Session::draw(const RunRequest& request, RandomSource& random, ListingCache* listings) {
    failed_ = false;
    refresh_.reset();
    records_.clear();
    locks_.reset();
    putBackSinceDraw_ = false;
    playlist_ = request.playlist;
    DrawnPlan drawn;

    const auto sources = readEntries(request.sources);
    const auto listed = sources ? readEntries(request.destinations) : std::nullopt;
    if (!listed)
        return drawn;
    std::vector<std::string> destinations = request.keepMissingDestinations ? *listed : existingDestinations(*listed);
    // A run that keeps a record holds each destination's lock from before
    // it reads the record until its last write; a folder another run holds
    // is left out.
    const bool keepsRecord = request.keepsRecord();
    if (keepsRecord && !request.dryRun && !request.lockAtCopy) {
        locks_ = std::make_unique<RecordLocks>();
        destinations = locks_->lock(fs_, destinations, [this](const std::string& line) { problem(line); });
        putBackOrderedCopies(destinations);
    }
    if (destinations.empty()) {
        failed_ = true;  // each one left out is named already
        return drawn;
    }
    guardWrites(destinations);

    // A run that keeps a record draws and copies through the refresh's views.
    if (keepsRecord) {
        refresh_ = std::make_unique<Refresh>(*guard_, *sources, destinations,
                                             RefreshOptions{request.refresh, request.avoidRecent, request.orderByName},
                                             [this](const std::string& line) { problem(line); });
        guard_->setRoomMaker([refresh = refresh_.get()](const std::string& folder) {
            return refresh->canMakeRoomIn(folder);
        });
    }
    const FileSystem& drawFs = refresh_ ? refresh_->drawView() : fs_;
    if (refresh_) {
        for (const std::string& entry : destinations) {
            std::string path = WithFinalSeparator(entry, kNativeSeparator) + std::string(kCopyRecordName);
            std::optional<std::string> bytes = FileBytes(fs_, path);
            records_.emplace_back(std::move(path), std::move(bytes));
        }
    }

    // Failures are gathered, and the listings then made afresh, unless the
    // caller keeps listings for a run that keeps no record.
    std::vector<EntryFailure> listingFailures;
    PlanRequest plan{*sources, destinations, request.count, request.allowRepeats, listings};
    if (!listings || refresh_)
        plan.listingFailures = &listingFailures;
    plan.rules.extensions = request.extensions;
    plan.rules.perFolder = request.perFolder;
    plan.rules.skipExisting = request.skipExisting;
    plan.distinctNames = request.distinctNames;
    if (request.budget) {
        plan.rules.budget = request.budget->bytes;
        if (request.budget->free) {
            std::vector<std::string> folders;
            for (const std::string& entry : destinations)
                folders.push_back(WithFinalSeparator(entry, kNativeSeparator));
            plan.rules.budget = FreeSpaceBudget(drawFs, folders);
            plan.rules.allocationUnit = LargestAllocationUnit(fs_, folders);
            if (!plan.rules.budget) {
                problem("cannot tell how much space the destinations have free");
                return drawn;
            }
        }
    }

    if (refresh_)
        refresh_->prepareDraw(plan);
    std::optional<Plan> built = BuildPlan(drawFs, random, plan);
    std::set<std::string_view> named;
    for (const EntryFailure& failure : listingFailures)
        if (named.insert(failure.entry).second)
            problem(failure.entry + ": " + failure.reason);
    if (!built) {
        problem("the plan would hold more than " + PlanBoundText() + " copies; ask for fewer files");
        drawn.status = DrawnPlan::Status::TooLarge;
        return drawn;
    }
    drawn.status = DrawnPlan::Status::Drawn;
    if (request.orderByName)
        built->orderByName();
    // "No files added." alone would read as success on a full stick.
    if (built->empty() && request.budget && request.budget->free && built->candidateCount() > 0 &&
        DrawCount(request.count) > 0)
        problem("the destinations have no room for even one file");
    if (refresh_ && built->empty()) {
        refresh_->nothingDrawn(listingFailures);
    } else if (refresh_) {
        refresh_->settle(*built, listingFailures);
        drawn.refreshLines = refresh_->dryRunLines();
        drawn.removals = refresh_->removalCount();
        drawn.kept = refresh_->keptCount();
    }
    drawn.plan = std::move(*built);
    return drawn;
}

std::optional<CopiedPlan> Session::copy(SharedPlan plan, CopyRunObserver& progress) {
    if (copyRun_.running())
        return std::nullopt;
    // Held here, so that a draw made inside the copy's yields cannot take
    // it away mid-run.
    const std::unique_ptr<RecordLocks> locks = std::move(locks_);
    const std::unique_ptr<Refresh> refresh = std::move(refresh_);
    const std::unique_ptr<DestinationGuard> guard = std::move(guard_);
    KeepingTargets observer(progress);
    FileSystem& disk = refresh ? refresh->disk() : guard ? static_cast<FileSystem&>(*guard) : fs_;
    std::optional<CopyReport> report = copyRun_.start(disk, std::move(plan), observer);
    if (!report)
        return std::nullopt;
    CopiedPlan copied{std::move(*report), std::nullopt};
    if (refresh)
        copied.tally = refresh->tally();
    // A removal that failed is counted, not named.
    failed_ = failed_ || !copied.report.allCopied() || (refresh && refresh->troubled());
    if (!playlist_.empty())
        writePlaylist(guard ? *guard : fs_, observer.targets);
    return copied;
}

// Replaced in one step, so a run ended meanwhile leaves the old playlist.
void Session::writePlaylist(FileSystem& disk, const std::vector<std::string>& targets) {
    const Playlist playlist = MakeResolvedPlaylist(fs_, playlist_, targets);
    for (const LeftOutOfPlaylist& left : playlist.leftOut)
        observer_.notice(left.target + ": left out of the playlist: " + left.reason);
    if (const auto failure = disk.replaceContents(playlist_, [&](const auto& write) { write(playlist.text); }))
        problem(playlist_ + ": cannot write the playlist: " + *failure);
}

std::uint64_t Session::plannedBytes(const Plan& plan) const {
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < plan.size(); ++i)
        bytes += fs_.fileSize(plan.entry(i).source).value_or(0);
    return bytes;
}

bool Session::lockForCopy() {
    if (!refresh_ || locks_)
        return true;
    std::vector<std::string> destinations;
    for (const auto& [path, bytes] : records_)
        destinations.push_back(path.substr(0, path.size() - kCopyRecordName.size()));
    locks_ = std::make_unique<RecordLocks>();
    const std::vector<std::string> locked =
        locks_->lock(fs_, destinations, [this](const std::string& line) { problem(line); });
    putBackSinceDraw_ = putBackOrderedCopies(locked) > 0;
    return locked.size() == destinations.size();
}

// Only under the folders' locks: a run ordering them holds those.
std::size_t Session::putBackOrderedCopies(const std::vector<std::string>& destinations) {
    std::size_t putBack = 0;
    for (const std::string& entry : destinations)
        putBack += PutBackOrderedCopies(fs_, WithFinalSeparator(entry, kNativeSeparator),
                                        [this](const std::string& line) { problem(line); });
    return putBack;
}

bool Session::recordsChanged() const {
    if (putBackSinceDraw_)
        return true;
    for (const auto& [path, bytes] : records_)
        if (FileBytes(fs_, path) != bytes)
            return true;
    return false;
}

bool Session::allDone() const { return !failed_; }

std::string CountsLine(const CopiedPlan& copied) {
    const auto count = [](std::size_t n, const char* what) { return std::to_string(n) + " " + what; };
    const std::string replaced = count(copied.report.replaced(), "replaced by a later copy");
    if (const auto& t = copied.tally)
        return count(t->copied, "copied, ") + count(t->kept, "kept, ") + count(t->removed, "removed, ") +
               count(t->leftAlone, "left alone, ") + count(t->failed, "failed, ") + replaced;
    return count(copied.report.copied(), "copied, ") + count(copied.report.failed(), "failed, ") + replaced;
}

}  // namespace tarvello
