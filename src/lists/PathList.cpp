#include "lists/PathList.h"

namespace tarvello {

void PathList::removeAt(std::size_t index) {
    if (index < entries_.size())
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace tarvello
