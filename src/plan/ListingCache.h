#pragma once

#include "plan/CandidateList.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvello {

// The source folders' listings, kept from one redraw to the next so that
// typing a count does not list a whole music library again per keystroke.
// A folder is listed again when one stat of it differs from the stamp taken
// when it was listed, and when that listing was taken too soon after the
// folder's last change to tell a later change apart by its times. Links are
// followed again at every redraw, since they change without their folder.
class ListingCache {
public:
    // Exactly what ListCandidates() would give now.
    CandidateList candidates(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                             char separator);

    // Lets go of every folder that none of the entries names.
    void keepOnly(const std::vector<std::string>& sourceEntries, char separator);

    std::size_t folderCount() const { return folders_.size(); }

private:
    // The names back to back, with where each ends; the top bit of an end
    // marks a link.
    struct Listing {
        std::optional<FolderStamp> stamp;  // nothing: not kept past this redraw
        bool settled = false;              // listed well after the folder's last change
        std::uint64_t redraw = 0;          // the last redraw that checked it
        std::string names;
        std::vector<std::uint32_t> ends;
    };
    Listing List(const FileSystem& fs, const std::string& folder);
    static void AddFiles(const FileSystem& fs, std::string_view folder, const Listing& listing,
                         CandidateList& candidates);
    using Folders = std::unordered_map<std::string, Listing>;

    Folders folders_;
    std::uint64_t redraws_ = 0;
    CandidateList::Footprint lastSize_;  // room to reserve for the next redraw's candidates
    std::string scratchNames_;
    std::vector<std::uint32_t> scratchEnds_;
};

}  // namespace tarvello
