#pragma once

#include "lists/ListRows.h"

#include <string>
#include <utility>
#include <vector>

namespace tarvello {

// The entries of the source or the destination list: path texts in the
// order they were added, never sorted, duplicates allowed.
class PathList final : public ListRows {
public:
    void append(std::string entry) { entries_.push_back(std::move(entry)); }
    void appendAll(std::vector<std::string>&& more);
    void exchange(std::size_t a, std::size_t b) { std::swap(entries_.at(a), entries_.at(b)); }
    void removeAt(std::size_t index);
    void clear() { entries_.clear(); }

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const std::string& at(std::size_t index) const { return entries_.at(index); }
    const std::vector<std::string>& entries() const { return entries_; }

    std::size_t rowCount() const override { return entries_.size(); }
    std::string rowText(std::size_t row) const override { return entries_[row]; }

private:
    std::vector<std::string> entries_;
};

}  // namespace tarvello
