#include "refresh/Refresh.h"

#include "lists/PathText.h"
#include "plan/PickRandomFiles.h"

#include <algorithm>

namespace tarvello {
namespace {

std::vector<std::string> UniqueFolders(const std::vector<std::string>& entries, char separator) {
    std::vector<std::string> folders;
    for (const std::string& entry : entries) {
        std::string folder = WithFinalSeparator(entry, separator);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

}  // namespace

Refresh::Refresh(FileSystem& fs, const std::vector<std::string>& sourceEntries,
                 const std::vector<std::string>& destinationEntries, RefreshOptions options,
                 std::function<void(const std::string&)> say, char separator)
    : state_(options, separator, std::move(say)), drawView_(fs, state_), disk_(fs, state_) {
    for (std::string& folder : UniqueFolders(destinationEntries, separator)) {
        FolderRecord found = ReadRecordFile(fs, folder);
        auto& refresh = *state_.folders.emplace_back(
            std::make_unique<FolderRefresh>(std::move(folder), std::move(found)));
        state_.byFolder.emplace(refresh.folder(), &refresh);
        if (refresh.refused()) {
            recordsRefused_ = true;
            state_.say(refresh.folder() + std::string(kCopyRecordName) + " " + refresh.problem() +
                       ": it is left as it is, and nothing in that folder is removed");
            continue;
        }
        refresh.survey(fs, state_.tally);
        refresh.forEachSource([&](std::string_view source, std::uint32_t age) {
            const auto place = state_.ages.emplace(source, age).first;
            place->second = std::min(place->second, age);
        });
    }
    if (!options.refresh)
        return;
    for (const auto& refresh : state_.folders) {
        NameSet foreign;
        fs.forEachEntry(refresh->folder(), [&](std::string_view name, bool) {
            if (!refresh->owns(name))
                foreign.emplace(name);
        });
        if (!foreign.empty())  // asking costs a listing: only where it matters
            state_.notOurs.add(refresh->folder(), fs.foldsCase(refresh->folder()), foreign);
    }
    const std::vector<std::string_view> sources(sourceEntries.begin(), sourceEntries.end());
    const auto stamps = fs.folderStamps(sources);
    if (std::find(stamps.begin(), stamps.end(), std::nullopt) != stamps.end()) {
        state_.sourcesLookWrong = true;
        state_.say("nothing is removed: a source names no folder");
    }
}

void Refresh::prepareDraw(PlanRequest& request) {
    if (state_.options.refresh)
        request.heldNames = &state_.notOurs;
    const std::uint32_t runs = state_.options.avoidRecent;
    if (runs == 0 || state_.ages.empty())
        return;
    // Counted with every recent source in, then let back in run by run.
    state_.drawnFromAge = 0;
    std::vector<std::string> folders;
    for (const auto& refresh : state_.folders)
        folders.push_back(refresh->folder());
    const CandidateGroups groups =
        ListSelectable(drawView_, request.sourceEntries, folders, request.rules, state_.separator);
    const auto& budget = request.rules.budget;
    std::vector<std::size_t> countByAge(runs + 1);
    std::vector<std::uint64_t> bytesByAge(runs + 1);
    for (std::size_t i = 0; i < groups.candidates.size(); ++i) {
        const std::string_view path = groups.candidates.path(i);
        const std::size_t age = std::min(state_.ageOf(path), runs);
        ++countByAge[age];
        if (budget)
            bytesByAge[age] += drawView_.fileSize(std::string(path)).value_or(0);
    }
    std::size_t count = countByAge[runs];
    std::uint64_t bytes = bytesByAge[runs];
    const std::size_t wanted = request.allowRepeats ? 1 : DrawCount(request.requestedCount);
    std::uint32_t from = runs;
    while (from > 0 && count < wanted && !(budget && bytes >= *budget)) {
        --from;
        count += countByAge[from];
        bytes += bytesByAge[from];
    }
    state_.drawnFromAge = from;
}

void Refresh::settle(const Plan& plan, const std::vector<EntryFailure>& listingFailures) {
    refuseOnUnreadableSources(listingFailures);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PlanEntry entry = plan.entry(i);
        const std::size_t nameStart = entry.target.rfind(state_.separator) + 1;
        if (FolderRefresh* folder = state_.find(std::string_view(entry.target).substr(0, nameStart)))
            folder->settle(std::string_view(entry.target).substr(nameStart), entry.source);
    }
}

std::vector<std::string> Refresh::dryRunLines() const {
    std::vector<std::string> lines;
    for (const auto& folder : state_.folders) {
        if (state_.mayRemoveIn(*folder))
            for (const std::string& name : folder->removals())
                lines.push_back(folder->folder() + name + " will be removed");
        for (const std::string& name : folder->kept())
            lines.push_back(folder->folder() + name + " is kept");
    }
    return lines;
}

std::size_t Refresh::removalCount() const {
    std::size_t count = 0;
    for (const auto& folder : state_.folders)
        if (state_.mayRemoveIn(*folder))
            count += folder->removals().size();
    return count;
}

std::size_t Refresh::keptCount() const {
    std::size_t count = 0;
    for (const auto& folder : state_.folders)
        count += folder->kept().size();
    return count;
}

FileSystem& Refresh::disk() {
    disk_.begin();
    return disk_;
}

void Refresh::refuseOnUnreadableSources(const std::vector<EntryFailure>& listingFailures) {
    if (!state_.options.refresh || listingFailures.empty() || state_.sourcesLookWrong)
        return;
    state_.sourcesLookWrong = true;
    state_.say("nothing is removed: a source could not be listed");
}

void Refresh::nothingDrawn(const std::vector<EntryFailure>& listingFailures) {
    refuseOnUnreadableSources(listingFailures);
    const auto removable = [&](const auto& folder) {
        return state_.mayRemoveIn(*folder) && !folder->removals().empty();
    };
    if (std::any_of(state_.folders.begin(), state_.folders.end(), removable)) {
        state_.sourcesLookWrong = true;
        state_.say("nothing is removed: no files were drawn from the sources");
    }
}

bool Refresh::canMakeRoomIn(const std::string& folder) const {
    const FolderRefresh* refresh = state_.find(folder);
    return refresh && state_.mayRemoveIn(*refresh) && !refresh->removals().empty();
}

bool Refresh::troubled() const {
    return state_.sourcesLookWrong || recordsRefused_ || state_.tally.failed > 0;
}

}  // namespace tarvello
