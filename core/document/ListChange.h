#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace divelog {

// A record's identity in its list document: kept through updates, inserts,
// deletes, sorts and their undoing, never reused while the document is open.
using RecordId = std::uint64_t;

// What one change did to a list document, told to its observers after it was
// made. Rows are ascending.
struct ListChange {
    enum class Kind {
        Inserted,  // `rows`: where the new records now are
        Removed,   // `rows`: where the removed records were
        Changed,   // `rows`: records whose content changed (only `field` when given);
                   // every record when `allRows`, with `rows` and `ids` left empty
        Moved,     // the same records in another order: `newRowOf[old row]`
        Reset,     // a whole new list
    };
    Kind kind;
    std::vector<std::size_t> rows;
    std::vector<RecordId> ids;  // the records of `rows`, in the same order
    std::vector<std::size_t> newRowOf;
    std::optional<std::size_t> field;  // the record class's field index
    bool allRows = false;

    // Whether the change is about this record (removed, or changed).
    bool concerns(RecordId id) const;
};

// Ascending rows as runs of consecutive rows, each as its first and last
// row: a large selection or delete then costs a few calls, not one per row.
std::vector<std::pair<std::size_t, std::size_t>> rowRuns(const std::vector<std::size_t>& rows);

// The names of a list document's steps in the Edit menu: keys of the "Main"
// table, "%d" standing for the number of records.
struct ListNames {
    std::string_view add;
    std::string_view insert;
    std::string_view update;
    std::string_view deleteOne;
    std::string_view deleteMany;
    std::string_view sort;
    std::string_view import;
};

}  // namespace divelog
