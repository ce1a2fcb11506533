#pragma once

#include "plan/BuildPlan.h"
#include "refresh/DrawView.h"
#include "refresh/RefreshState.h"
#include "refresh/RefreshingDisk.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvello {

// A run that keeps a record of its copies in each destination folder: with
// `refresh` it takes the copies of the last selection off again as it puts
// the new one on, and with `avoidRecent` it leaves out the sources it
// copied lately. The caller draws the plan through drawView(), settles it,
// and copies it through disk().
class Refresh {
public:
    // Reads each destination's record and looks at its copies; with
    // `refresh`, also at the sources, so that a source that names no folder
    // keeps the old copies' room out of the budget. `say` names each problem
    // found, now or later.
    Refresh(FileSystem& fs, const std::vector<std::string>& sourceEntries,
            const std::vector<std::string>& destinationEntries, RefreshOptions options,
            std::function<void(const std::string&)> say, char separator = kNativeSeparator);

    // For the budget and the plan.
    const FileSystem& drawView() const { return drawView_; }
    // Readies `request` for the draw: with `refresh`, its copies may not
    // take the names of the user's files; and decides how many runs back
    // sources stay out of the draw, as many as asked while enough others
    // remain, fewer when not, the oldest let back in first.
    void prepareDraw(PlanRequest& request);

    // Decides, for the plan drawn, which copies are kept and which go; none
    // goes when a source entry could not be listed.
    void settle(const Plan& plan, const std::vector<EntryFailure>& listingFailures);
    // "T will be removed" and "T is kept", one per copy.
    std::vector<std::string> dryRunLines() const;
    // How many of those lines say each.
    std::size_t removalCount() const;
    std::size_t keptCount() const;
    // For the copy run; writes the records that name the copies to come.
    FileSystem& disk();

    // Nothing was drawn: nothing is removed, and says so when there was
    // something to remove.
    void nothingDrawn(const std::vector<EntryFailure>& listingFailures);

    // Whether old copies in `folder` (ending with the separator) may still
    // make way for new ones.
    bool canMakeRoomIn(const std::string& folder) const;

    const RefreshTally& tally() const { return state_.tally; }
    // Whether something kept the refresh from doing all it should.
    bool troubled() const;

private:
    void refuseOnUnreadableSources(const std::vector<EntryFailure>& listingFailures);

    RefreshState state_;
    DrawView drawView_;
    RefreshingDisk disk_;
    bool recordsRefused_ = false;
};

}  // namespace tarvello
