#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "document/Document.h"
#include "document/ListChange.h"

namespace divelog {

// What every list document shares, whatever its records: an ordered list
// (display, save and numbering order) of records with identities, observers
// told of each change as a ListChange, and the deletion of rows. The records
// themselves live in RecordListDocument<R>.
class ListDocument : public Document {
public:
    using Observer = std::function<void(const ListChange&)>;

    std::size_t recordCount() const override { return ids_.size(); }
    RecordId idAt(std::size_t row) const { return ids_.at(row); }
    std::optional<std::size_t> rowOf(RecordId id) const;
    // Rows of the listed records that are still here, ascending.
    std::vector<std::size_t> rowsOf(const std::vector<RecordId>& ids) const;
    // Neighbours of a row, none at either end.
    std::optional<std::size_t> previousRow(std::size_t row) const;
    std::optional<std::size_t> nextRow(std::size_t row) const;

    // Removes every listed row (any order, duplicates and rows out of range
    // ignored) as one step; returns how many.
    virtual std::size_t erase(std::vector<std::size_t> rows) = 0;

    const ListNames& names() const { return names_; }

    // Observers are told in the order they came; one may remove itself
    // while being told.
    void addObserver(const void* owner, Observer observer);
    void removeObserver(const void* owner);

protected:
    ListDocument(DocumentKind kind, const ListNames& names) : Document(kind), names_(names) {}
    RecordId newId() { return nextId_++; }
    void notify(const ListChange& change);
    // Told of each change before the observers.
    virtual void aboutToNotify(const ListChange&) {}

    std::vector<RecordId> ids_;  // one per record, in list order

private:
    const ListNames& names_;
    RecordId nextId_ = 1;
    std::vector<std::pair<const void*, Observer>> observers_;
};

}  // namespace divelog
