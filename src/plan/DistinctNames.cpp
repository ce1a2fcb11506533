#include "plan/DistinctNames.h"

#include "lists/PathText.h"
#include "plan/FoldedName.h"
#include "plan/TargetName.h"

#include <unordered_map>
#include <unordered_set>

namespace tarvello {

bool NamesFree(const Pick& pick, const CandidateList& candidates, const std::vector<DestinationFolder>& folders,
               const HeldNames& held, char separator) {
    const std::string_view name = FileNamePart(candidates.path(pick.candidate), separator);
    for (const DestinationFolder& folder : folders)
        if (held.holds(folder.path, TargetName(name, pick.repeat, folder.refusesCharacters)))
            return false;
    return true;
}

void NumberDistinctly(std::vector<Pick>& picks, const CandidateList& candidates,
                      const std::vector<DestinationFolder>& folders, const HeldNames* held, char separator) {
    std::vector<std::unordered_set<std::string>> taken(folders.size());
    // Where to go on trying for each name: the numbers below it are taken,
    // so a file drawn a million times costs no million tries each time.
    std::unordered_map<std::string_view, std::size_t> nextTry;
    std::vector<std::string> keys(folders.size());
    for (Pick& pick : picks) {
        const std::string_view name = FileNamePart(candidates.path(pick.candidate), separator);
        std::size_t& number = nextTry[name];
        for (;; ++number) {
            bool free = true;
            for (std::size_t i = 0; i < folders.size() && free; ++i) {
                const DestinationFolder& folder = folders[i];
                const std::string target = TargetName(name, number, folder.refusesCharacters);
                keys[i] = folder.foldsCase ? FoldedName(target) : target;
                free = !taken[i].contains(keys[i]) && !(held && held->holds(folder.path, target));
            }
            if (free)
                break;
        }
        pick.repeat = number++;
        for (std::size_t i = 0; i < folders.size(); ++i)
            taken[i].insert(std::move(keys[i]));
    }
}

}  // namespace tarvello
