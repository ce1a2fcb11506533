#include "plan/CandidateList.h"

#include "lists/PathText.h"

namespace tarvello {

void CandidateList::add(std::string_view folder, std::string_view name) {
    paths_.append(folder).append(name);
    ends_.push_back(paths_.size());
}

std::string_view CandidateList::path(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(paths_).substr(begin, ends_[index] - begin);
}

CandidateList ListCandidates(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                             char separator, std::vector<EntryFailure>* failures) {
    CandidateList candidates;
    for (const std::string& entry : sourceEntries) {
        const std::string folder = WithFinalSeparator(entry, separator);
        const auto failure = fs.forEachFile(folder, [&](std::string_view name) { candidates.add(folder, name); });
        if (failure && failures)
            failures->push_back({entry, *failure});
    }
    return candidates;
}

}  // namespace tarvello
