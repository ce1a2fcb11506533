#pragma once

#include "lists/ListRows.h"
#include "plan/PlanEntry.h"

#include <string>
#include <utility>
#include <vector>

namespace tarvello {

// The Summary list: the current plan, shown one line per entry. Lines are
// made when a row is painted, so a million-entry plan stores no text.
class SummaryRows final : public ListRows {
public:
    const SharedPlan& plan() const { return plan_; }
    // The plan's lines, then `notes` (a refresh's removal and kept lines).
    void show(Plan plan, std::vector<std::string> notes = {}) {
        plan_ = std::make_shared<const Plan>(std::move(plan));
        notes_ = std::move(notes);
    }
    void clear() { show(Plan()); }

    std::size_t rowCount() const override { return plan_->size() + notes_.size(); }
    std::string rowText(std::size_t row) const override {
        return row < plan_->size() ? SummaryLine(plan_->entry(row)) : notes_[row - plan_->size()];
    }

private:
    SharedPlan plan_ = std::make_shared<const Plan>();
    std::vector<std::string> notes_;
};

}  // namespace tarvello
