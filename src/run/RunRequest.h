#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvello {

// Where an entry comes from, in the order given.
struct EntrySource {
    enum class Kind {
        Entry,     // taken as it stands, as the window's lists hold it
        Folder,    // a folder as picked: its entry ends with the separator
        Tree,      // a folder and every folder below it
        ListFile,  // one entry per line; "-" is standard input
    };
    Kind kind;
    std::string path;

    bool operator==(const EntrySource&) const = default;
};

// A budget of bytes per destination, or "free".
struct BudgetOption {
    bool free = false;
    std::uint64_t bytes = 0;

    bool operator==(const BudgetOption&) const = default;
};

// Everything a run needs to draw its plan and copy it.
struct RunRequest {
    std::vector<EntrySource> sources;
    std::vector<EntrySource> destinations;
    double count = 100;  // the numeric reading of the count
    bool allowRepeats = false;
    std::vector<std::string> extensions;  // as ParseExtensionList gives them; empty: every file
    std::optional<BudgetOption> budget;   // with it, `count` is the most files to take
    bool perFolder = false;               // each source entry has the same chance per draw
    bool skipExisting = false;            // leave out files already in every destination
    bool distinctNames = false;           // same-named copies get numbered names (PlanRequest)
    bool refresh = false;                 // take the copies of the last run off again
    std::uint32_t avoidRecent = 0;        // leave out sources of the last N runs; 0: off
    // Copy in name order, and on FAT and exFAT put each destination's
    // copies in name order among its entries, where players look.
    bool orderByName = false;
    std::string playlist;                 // the M3U playlist to write; empty: none
    bool dryRun = false;                  // the plan alone: no folder is locked, nothing written
    // The plan waits on the user (the window): the record folders are
    // locked only by lockForCopy(), and a record another run changed
    // meanwhile shows through recordsChanged().
    bool lockAtCopy = false;
    // A destination that is not a folder is named and left out, since its
    // copies could only fail; the window lists them all the same, and
    // each fails on its own when copied.
    bool keepMissingDestinations = false;

    // A run that records its copies in each destination: to take them off
    // later, to leave their sources out, or to tell them from the user's
    // files when it orders them.
    bool keepsRecord() const { return refresh || avoidRecent > 0 || orderByName; }
};

}  // namespace tarvello
