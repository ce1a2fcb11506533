#pragma once

#include "plan/CandidateList.h"
#include "plan/PickRandomFiles.h"
#include "platform/PathSeparator.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tarvello {

// One copy of the plan. The pair is what the copy run uses; the Summary
// line is only made from it for display.
struct PlanEntry {
    std::string source;
    std::string target;

    bool operator==(const PlanEntry&) const = default;
};

// One destination folder of a plan, and how its file system takes names.
struct DestinationFolder {
    std::string path;  // ends with the separator
    bool refusesCharacters = false;
    bool foldsCase = false;  // asked for distinct names only
};

// The copy plan, held as what it was drawn from: the candidates, the
// destination folders and the picks. Line i is pick i / G to folder i % G
// (G folders), so a million lines cost a pick each, and each entry's paths
// are made only when asked for. It shares the candidates, so later listings
// and list changes cannot alter it.
class Plan {
public:
    Plan() = default;
    Plan(std::shared_ptr<const CandidateList> candidates, std::vector<DestinationFolder> folders,
         std::vector<Pick> picks, char separator = kNativeSeparator);

    std::size_t size() const { return picks_.size() * folders_.size(); }
    bool empty() const { return size() == 0; }
    // How many files the draw could pick from.
    std::size_t candidateCount() const { return candidates_ ? candidates_->size() : 0; }

    // The source as listed, and the target: the folder, then the source's
    // name as the folder takes it (TargetName()), numbered as the pick is.
    PlanEntry entry(std::size_t line) const;

    // Puts the picks in the name order of their targets (NameOrderLess()),
    // so that each folder gets its copies in that order. Picks of one name
    // keep their order: the later still replaces the earlier.
    void orderByName();

private:
    std::shared_ptr<const CandidateList> candidates_;
    std::vector<DestinationFolder> folders_;
    std::vector<Pick> picks_;
    char separator_ = kNativeSeparator;
};

// The plan as shown: immutable once drawn, so a copy run can keep the one
// it started with while the Summary moves on.
using SharedPlan = std::shared_ptr<const Plan>;

inline std::string SummaryLine(const PlanEntry& entry) {
    return entry.source + " will be copied to " + entry.target;
}

}  // namespace tarvello
