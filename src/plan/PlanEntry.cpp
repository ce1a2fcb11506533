#include "plan/PlanEntry.h"

#include "lists/PathText.h"
#include "plan/FoldedName.h"
#include "plan/NameOrder.h"
#include "plan/TargetName.h"

#include <algorithm>

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

void Plan::orderByName() {
    if (folders_.empty())
        return;
    const bool refuses = folders_.front().refusesCharacters;
    // Each name folded once, not at each comparison.
    std::vector<std::pair<std::string, Pick>> named;
    named.reserve(picks_.size());
    for (const Pick& pick : picks_) {
        const std::string_view name = FileNamePart(candidates_->path(pick.candidate), separator_);
        named.emplace_back(FoldedName(TargetName(name, pick.repeat, refuses)), pick);
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return FoldedNameOrderLess(a.first, b.first); });
    for (std::size_t i = 0; i < named.size(); ++i)
        picks_[i] = named[i].second;
}

}  // namespace tarvello
