#include "plan/BuildPlan.h"

#include "lists/PathText.h"
#include "plan/CandidateList.h"
#include "plan/NumberedName.h"
#include "plan/PickRandomFiles.h"

namespace tarvello {

const char* const kPlanTooLargeMessage =
    "The plan would hold more than 10,000,000 lines. The Summary was left as it was; "
    "please ask for fewer files.";

bool ExceedsPlanBound(std::size_t picks, std::size_t destinations) {
    // picks * destinations > bound, compared by division so no product is formed.
    return destinations != 0 && picks > kMaxPlanLines / destinations;
}

std::optional<Plan> BuildPlan(const FileSystem& fs, RandomSource& random,
                              const PlanRequest& request, char separator) {
    const CandidateList candidates = ListCandidates(fs, request.sourceEntries, separator);
    const std::size_t pickCount =
        PickCount(candidates.size(), request.requestedCount, request.allowRepeats);
    const std::size_t destinationCount = request.destinationEntries.size();
    if (ExceedsPlanBound(pickCount, destinationCount))
        return std::nullopt;

    const std::vector<Pick> picks =
        PickRandomFiles(random, candidates.size(), request.requestedCount, request.allowRepeats);

    std::vector<std::string> folders;
    folders.reserve(destinationCount);
    for (const std::string& entry : request.destinationEntries)
        folders.push_back(WithFinalSeparator(entry, separator));

    Plan plan;
    plan.reserve(picks.size() * destinationCount);  // within the bound, so no overflow
    for (const Pick& pick : picks) {
        const std::string_view source = candidates.path(pick.candidate);
        const std::string name = NumberedName(FileNamePart(source, separator), pick.repeat);
        for (const std::string& folder : folders) {
            std::string target;
            target.reserve(folder.size() + name.size());
            target.append(folder).append(name);
            plan.push_back({std::string(source), std::move(target)});
        }
    }
    return plan;
}

}  // namespace tarvello
