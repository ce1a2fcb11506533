#pragma once

#include "copyrun/CopyReport.h"
#include "copyrun/CopyRun.h"
#include "copyrun/CopyRunObserver.h"
#include "plan/ListingCache.h"
#include "plan/PlanEntry.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/RandomSource.h"
#include "refresh/RefreshTally.h"
#include "run/RunRequest.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvello {

class DestinationGuard;
class RecordLocks;
class Refresh;

// Hears what a session finds, one line each: the terminal prints them, the
// window has no use for them yet.
class SessionObserver {
public:
    virtual ~SessionObserver() = default;
    // Something that keeps the run from doing all it should
    // ("ENTRY: no such folder").
    virtual void problem(const std::string& /*line*/) {}
    // Worth telling, though the run still does all it should.
    virtual void notice(const std::string& /*line*/) {}
};

struct DrawnPlan {
    enum class Status {
        Drawn,     // `plan` holds the plan, which may be empty
        Stopped,   // nothing was drawn; the problem was named
        TooLarge,  // the plan would pass kMaxPlanLines; named too
    };
    Status status = Status::Stopped;
    Plan plan;
    // With a refresh: "T will be removed" and "T is kept", one per recorded
    // copy, and how many say each.
    std::vector<std::string> refreshLines;
    std::size_t removals = 0;
    std::size_t kept = 0;
};

struct CopiedPlan {
    CopyReport report;
    std::optional<RefreshTally> tally;  // when the run keeps a record
};

// The run both front ends make: reads the entries, opens the destinations'
// records, works out the budget, draws the plan and settles the refresh;
// then copies the plan through the refresh and writes the playlist. One
// session serves any number of draws and copies; the last draw's refresh
// and playlist go with the next copy.
class Session {
public:
    Session(FileSystem& fs, EventLoop& events, const Clock& clock, SessionObserver& observer);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Draws from `random`, which stays the caller's to seed. `listings`
    // keeps the source folders' listings between draws of a run that keeps
    // no record.
    DrawnPlan draw(const RunRequest& request, RandomSource& random, ListingCache* listings = nullptr);

    // Copies `plan`, showing it through `progress`. Nothing while a copy is
    // under way, as when a handler run inside one of its yields asks again.
    std::optional<CopiedPlan> copy(SharedPlan plan, CopyRunObserver& progress);

    // What the plan's sources hold, for the time left.
    std::uint64_t plannedBytes(const Plan& plan) const;

    // Locks the last draw's record folders for its copy, when the draw left
    // that to now, and puts back what an ended run left while ordering;
    // false, each folder named, when another run holds one.
    bool lockForCopy();

    // Whether a destination's record is no longer as the last draw read it,
    // or copies were put back since: another run has been at the folder, and
    // the plan is stale.
    bool recordsChanged() const;

    // Whether everything since the last draw went as it should: no problem
    // named, every copy made and on its device, the refresh untroubled.
    bool allDone() const;

private:
    std::optional<std::vector<std::string>> readEntries(const std::vector<EntrySource>& sources);
    std::vector<std::string> existingDestinations(const std::vector<std::string>& entries);
    void guardWrites(const std::vector<std::string>& destinations);
    void problem(const std::string& line);
    void writePlaylist(FileSystem& disk, const std::vector<std::string>& targets);
    std::size_t putBackOrderedCopies(const std::vector<std::string>& destinations);

    FileSystem& fs_;
    EventLoop& events_;
    const Clock& clock_;
    SessionObserver& observer_;
    CopyRun copyRun_;
    // Of the last draw: what its copies and playlist write through, the
    // locks of its records and its refresh, when it keeps a record.
    std::unique_ptr<DestinationGuard> guard_;
    std::unique_ptr<RecordLocks> locks_;
    std::unique_ptr<Refresh> refresh_;
    std::string playlist_;              // of the last draw
    // Each record's path and bytes as the last draw found them (nothing:
    // none there).
    std::vector<std::pair<std::string, std::optional<std::string>>> records_;
    bool failed_ = false;
    bool putBackSinceDraw_ = false;
};

// "N copied, N failed, N replaced by a later copy", with the refresh's
// kept, removed and left alone when it kept a record.
std::string CountsLine(const CopiedPlan& copied);

}  // namespace tarvello
