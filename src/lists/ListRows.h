#pragma once

#include <cstddef>
#include <string>

namespace tarvello {

// The rows a list view shows: a count and the text of each row, made on
// demand so that a long list stores no display text.
class ListRows {
public:
    virtual ~ListRows() = default;
    virtual std::size_t rowCount() const = 0;
    virtual std::string rowText(std::size_t row) const = 0;
};

}  // namespace tarvello
