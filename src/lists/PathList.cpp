#include "lists/PathList.h"

#include <iterator>

namespace tarvello {

void PathList::appendAll(std::vector<std::string>&& more) {
    if (entries_.empty()) {
        entries_ = std::move(more);
        return;
    }
    entries_.insert(entries_.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

void PathList::removeAt(std::size_t index) {
    if (index < entries_.size())
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace tarvello
