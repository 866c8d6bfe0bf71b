#pragma once

#include <map>
#include <optional>

namespace divelog {

// The direction memory of a sortable table's header: the first click on a
// column sorts descending, a second click on the same column turns the
// direction, and a column clicked again after another resumes the direction
// it had last.
template <class Column>
class SortMemory {
public:
    // A header click: the direction to sort in (true = ascending).
    bool click(const Column& column) {
        auto it = ascending_.find(column);
        const bool stored = it != ascending_.end() && it->second;
        if (last_ && *last_ == column) {
            ascending_[column] = !stored;
            return !stored;
        }
        last_ = column;
        return stored;
    }

    std::optional<Column> lastColumn() const { return last_; }

private:
    std::map<Column, bool> ascending_;
    std::optional<Column> last_;
};

}  // namespace divelog
