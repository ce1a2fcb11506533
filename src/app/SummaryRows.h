#pragma once

#include "lists/ListRows.h"
#include "plan/PlanEntry.h"

#include <utility>

namespace tarvello {

// The Summary list: the current plan, shown one line per entry. Lines are
// made when a row is painted, so a million-entry plan stores no text.
class SummaryRows final : public ListRows {
public:
    const SharedPlan& plan() const { return plan_; }
    void show(Plan plan) { plan_ = std::make_shared<const Plan>(std::move(plan)); }
    void clear() { plan_ = std::make_shared<const Plan>(); }

    std::size_t rowCount() const override { return plan_->size(); }
    std::string rowText(std::size_t row) const override { return SummaryLine(plan_->entry(row)); }

private:
    SharedPlan plan_ = std::make_shared<const Plan>();
};

}  // namespace tarvello
