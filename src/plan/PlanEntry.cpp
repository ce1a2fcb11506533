#include "plan/PlanEntry.h"

#include "lists/PathText.h"
#include "plan/TargetName.h"

namespace tarvello {

Plan::Plan(std::shared_ptr<const CandidateList> candidates, std::vector<DestinationFolder> folders,
           std::vector<Pick> picks, char separator)
    : candidates_(std::move(candidates)), folders_(std::move(folders)), picks_(std::move(picks)),
      separator_(separator) {}

PlanEntry Plan::entry(std::size_t line) const {
    const Pick& pick = picks_[line / folders_.size()];
    const DestinationFolder& folder = folders_[line % folders_.size()];
    const std::string_view source = candidates_->path(pick.candidate);
    return {std::string(source),
            folder.path + TargetName(FileNamePart(source, separator_), pick.repeat, folder.refusesCharacters)};
}

}  // namespace tarvello
