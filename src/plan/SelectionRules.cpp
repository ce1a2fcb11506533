#include "plan/SelectionRules.h"

#include "fsprobe/FileProbes.h"
#include "lists/PathText.h"
#include "plan/NumberedName.h"

#include <algorithm>
#include <limits>

namespace tarvello {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The name's extension in lower case: what follows its last ".", or
// nothing when it has none.
std::optional<std::string> LowerExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(), LowerAscii);
    return extension;
}

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
    return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

bool WantedExtension(std::string_view name, const std::vector<std::string>& extensions) {
    if (extensions.empty())
        return true;
    const auto extension = LowerExtension(name);
    return extension && std::find(extensions.begin(), extensions.end(), *extension) != extensions.end();
}

bool InEveryFolder(const FileSystem& fs, std::string_view name, const std::vector<std::string>& folders) {
    return !folders.empty() && std::all_of(folders.begin(), folders.end(), [&](const std::string& folder) {
        return FileExists(fs, folder + std::string(name));
    });
}

// The bytes a FAT or exFAT folder entry takes for a name of `length`
// bytes: one 32-byte record per 13 characters and two more, which also
// covers exFAT's 15 characters a record. Rounded into the folder's own
// clusters on a small stick, these make a difference.
std::uint64_t FolderEntryBytes(std::size_t length) { return 32 * (2 + (length + 12) / 13); }

// What a copy of `size` bytes under `name` takes from the budget: its
// size, or the space it takes on the destination.
std::uint64_t BudgetCost(std::uint64_t size, std::string_view name, const std::optional<std::uint64_t>& unit) {
    if (!unit)
        return size;
    const std::uint64_t units = size / *unit + (size % *unit != 0);
    return units * *unit + FolderEntryBytes(name.size());
}

std::string CopyName(std::string_view sourcePath, std::size_t repeat, char separator) {
    return NumberedName(FileNamePart(sourcePath, separator), repeat);
}

// The candidates still in the draw, by group. Taking one out swaps the
// last into its place: order within a group does not matter to a uniform
// draw, and the result stays the same for the same random numbers.
class LiveCandidates {
public:
    LiveCandidates(const std::vector<std::size_t>& ends, bool byGroup) {
        std::size_t begin = 0;
        for (const std::size_t end : ends) {
            if (byGroup || groups_.empty())
                groups_.emplace_back();
            for (std::size_t i = begin; i < end; ++i)
                groups_.back().push_back(i);
            begin = end;
        }
        std::erase_if(groups_, [](const auto& group) { return group.empty(); });
    }

    bool empty() const { return groups_.empty(); }

    struct Place {
        std::size_t group;
        std::size_t slot;
    };
    // One number picks the group, when there are several, and one the file.
    Place draw(RandomSource& random) const {
        const std::size_t group = groups_.size() == 1 ? 0 : DrawnIndex(random.next(), groups_.size());
        return {group, DrawnIndex(random.next(), groups_[group].size())};
    }
    std::size_t candidate(Place place) const { return groups_[place.group][place.slot]; }

    void remove(Place place) {
        auto& group = groups_[place.group];
        group[place.slot] = group.back();
        group.pop_back();
        if (group.empty()) {
            groups_[place.group] = std::move(groups_.back());
            groups_.pop_back();
        }
    }

private:
    std::vector<std::vector<std::size_t>> groups_;
};

}  // namespace

std::vector<std::string> ParseExtensionList(std::string_view list) {
    std::vector<std::string> extensions;
    while (!list.empty()) {
        const std::size_t comma = std::min(list.find(','), list.size());
        std::string_view item = list.substr(0, comma);
        list.remove_prefix(std::min(comma + 1, list.size()));
        // Blanks may stand between the dots too (". mp3").
        item.remove_prefix(std::min(item.find_first_not_of(" \t."), item.size()));
        item = Trimmed(item);
        std::string extension(item);
        std::transform(extension.begin(), extension.end(), extension.begin(), LowerAscii);
        if (!extension.empty())
            extensions.push_back(std::move(extension));
    }
    return extensions;
}

std::optional<std::uint64_t> FreeSpaceBudget(const FileSystem& fs, const std::vector<std::string>& folders) {
    std::optional<std::uint64_t> least;
    for (const std::string& folder : folders) {
        const auto free = fs.freeSpace(folder);
        if (!free)
            return std::nullopt;
        least = std::min(least.value_or(*free), *free);
    }
    if (!least)
        return std::nullopt;
    return *least - *least / 100;
}

std::optional<std::uint64_t> LargestAllocationUnit(const FileSystem& fs,
                                                   const std::vector<std::string>& folders) {
    std::optional<std::uint64_t> largest;
    for (const std::string& folder : folders) {
        if (const auto unit = fs.allocationUnit(folder))
            largest = std::max(largest.value_or(*unit), *unit);
    }
    return largest;
}

CandidateGroups ListSelectable(const FileSystem& fs, const std::vector<std::string>& sourceEntries,
                               const std::vector<std::string>& folders, const SelectionRules& rules,
                               char separator, std::vector<EntryFailure>* failures) {
    CandidateGroups groups;
    for (const std::string& entry : sourceEntries) {
        const std::string folder = WithFinalSeparator(entry, separator);
        const auto failure = fs.forEachFile(folder, [&](std::string_view name) {
            if (WantedExtension(name, rules.extensions) &&
                !(rules.skipExisting && InEveryFolder(fs, name, folders)))
                groups.candidates.add(folder, name);
        });
        if (failure && failures)
            failures->push_back({entry, *failure});
        groups.ends.push_back(groups.candidates.size());
    }
    return groups;
}

std::optional<std::vector<Pick>> DrawWithinRules(const FileSystem& fs, RandomSource& random,
                                                 const CandidateGroups& groups, double requestedCount,
                                                 bool allowRepeats, const SelectionRules& rules,
                                                 std::size_t maxPicks, char separator,
                                                 const PickAdmission& admits) {
    const std::size_t wanted = DrawCount(requestedCount);
    std::uint64_t left = rules.budget.value_or(std::numeric_limits<std::uint64_t>::max());
    std::vector<std::size_t> earlierDraws(groups.candidates.size());
    LiveCandidates live(groups.ends, rules.perFolder);
    // Each candidate is measured once, when first drawn: a repeat needs no
    // second stat, and one whose size cannot be read leaves at once.
    constexpr std::uint64_t kNotMeasured = std::numeric_limits<std::uint64_t>::max();
    std::vector<std::uint64_t> sizes(rules.budget ? groups.candidates.size() : 0, kNotMeasured);
    std::vector<Pick> picks;
    while (picks.size() < wanted && !live.empty()) {
        const auto place = live.draw(random);
        const std::size_t candidate = live.candidate(place);
        bool fits = !admits || admits({candidate, earlierDraws[candidate]});
        if (fits && rules.budget) {
            std::uint64_t& size = sizes[candidate];
            if (size == kNotMeasured)
                size = fs.fileSize(std::string(groups.candidates.path(candidate))).value_or(kNotMeasured);
            const std::uint64_t cost =
                size == kNotMeasured
                    ? kNotMeasured
                    : BudgetCost(size, CopyName(groups.candidates.path(candidate), earlierDraws[candidate], separator),
                                 rules.allocationUnit);
            fits = cost != kNotMeasured && cost <= left;
            if (fits)
                left -= cost;
        }
        if (fits) {
            if (picks.size() == maxPicks)
                return std::nullopt;
            picks.push_back({candidate, earlierDraws[candidate]++});
        }
        if (!fits || !allowRepeats)
            live.remove(place);
    }
    return picks;
}

}  // namespace tarvello
