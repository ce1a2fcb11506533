#include "plan/BuildPlan.h"

#include "lists/PathText.h"
#include "plan/CandidateList.h"
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
    auto listed = std::make_shared<CandidateList>(
        request.listings ? request.listings->candidates(fs, request.sourceEntries, separator)
                         : ListCandidates(fs, request.sourceEntries, separator));
    listed->shrinkToFit();
    std::shared_ptr<const CandidateList> candidates = std::move(listed);
    const std::size_t pickCount =
        PickCount(candidates->size(), request.requestedCount, request.allowRepeats);
    if (ExceedsPlanBound(pickCount, request.destinationEntries.size()))
        return std::nullopt;

    std::vector<Pick> picks =
        PickRandomFiles(random, candidates->size(), request.requestedCount, request.allowRepeats);
    std::vector<std::string> folders;
    folders.reserve(request.destinationEntries.size());
    for (const std::string& entry : request.destinationEntries)
        folders.push_back(WithFinalSeparator(entry, separator));
    return Plan(std::move(candidates), std::move(folders), std::move(picks), separator);
}

}  // namespace tarvello
