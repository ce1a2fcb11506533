#pragma once

#include "plan/SelectionRules.h"
#include "run/RunRequest.h"

namespace tarvello {

// Copies into `request` the options that the window and tarvello-cli both
// offer and name alike: the file types as typed, the selection rules, the
// refresh, the playlist and the order. Each front end sets the budget
// itself, the window from its text and the command line as parsed.
template <typename Options>
void ApplyFrontEndOptions(const Options& options, RunRequest& request) {
    request.extensions = ParseExtensionList(options.extensions);
    request.perFolder = options.perFolder;
    request.skipExisting = options.skipExisting;
    request.distinctNames = options.distinctNames;
    request.refresh = options.refresh;
    request.avoidRecent = options.avoidRecent;
    request.playlist = options.playlist;
    request.orderByName = options.orderByName;
}

}  // namespace tarvello
