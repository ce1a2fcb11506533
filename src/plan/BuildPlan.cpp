#include "plan/BuildPlan.h"

#include "lists/PathText.h"
#include "plan/CandidateList.h"
#include "plan/DistinctNames.h"
#include "plan/PickRandomFiles.h"

namespace tarvello {

std::string PlanBoundText() {
    std::string digits = std::to_string(kMaxPlanLines);
    for (std::size_t comma = digits.size(); comma > 3; comma -= 3)
        digits.insert(comma - 3, ",");
    return digits;
}

std::string PlanTooLargeMessage() {
    return "The plan would hold more than " + PlanBoundText() +
           " lines. The Summary was left as it was; please ask for fewer files.";
}

bool ExceedsPlanBound(std::size_t picks, std::size_t destinations) {
    // picks * destinations > bound, compared by division so no product is formed.
    return destinations != 0 && picks > kMaxPlanLines / destinations;
}

std::optional<Plan> BuildPlan(const FileSystem& fs, RandomSource& random,
                              const PlanRequest& request, char separator) {
    std::vector<std::string> folders;
    folders.reserve(request.destinationEntries.size());
    for (const std::string& entry : request.destinationEntries)
        if (!entry.empty())  // no folder: its copies would land wherever the program runs
            folders.push_back(WithFinalSeparator(entry, separator));
    if (folders.empty())
        return Plan();
    std::vector<DestinationFolder> destinations;
    for (const std::string& folder : folders)
        destinations.push_back({folder, fs.refusesCharacters(folder), request.distinctNames && fs.foldsCase(folder)});

    const SelectionRules& rules = request.rules;
    CandidateGroups groups;
    if (rules.any())
        groups = ListSelectable(fs, request.sourceEntries, folders, rules, separator, request.listingFailures);
    else if (request.listings && !request.listingFailures)
        groups.candidates = request.listings->candidates(fs, request.sourceEntries, separator);
    else
        groups.candidates = ListCandidates(fs, request.sourceEntries, separator, request.listingFailures);

    // Without distinct names a pick cannot move to another name, so one that
    // would write a held name is left out as it is drawn.
    PickAdmission admits;
    if (request.heldNames && !request.distinctNames)
        admits = [&](const Pick& pick) {
            return NamesFree(pick, groups.candidates, destinations, *request.heldNames, separator);
        };
    std::vector<Pick> picks;
    if (rules.shapesDraw() || admits) {
        if (groups.ends.empty())
            groups.ends.push_back(groups.candidates.size());
        auto drawn = DrawWithinRules(fs, random, groups, request.requestedCount, request.allowRepeats,
                                     rules, kMaxPlanLines / folders.size(), separator, admits);
        if (!drawn)
            return std::nullopt;
        picks = std::move(*drawn);
    } else {
        const std::size_t pickCount =
            PickCount(groups.candidates.size(), request.requestedCount, request.allowRepeats);
        if (ExceedsPlanBound(pickCount, folders.size()))
            return std::nullopt;
        picks = PickRandomFiles(random, groups.candidates.size(), request.requestedCount,
                                request.allowRepeats);
    }
    if (request.distinctNames)
        NumberDistinctly(picks, groups.candidates, destinations, request.heldNames, separator);
    groups.candidates.shrinkToFit();
    return Plan(std::make_shared<const CandidateList>(std::move(groups.candidates)), std::move(destinations),
                std::move(picks), separator);
}

}  // namespace tarvello
