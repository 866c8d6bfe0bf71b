#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "document/ListCommands.h"
#include "document/ListDocument.h"

namespace divelog {

// A list document of records of type R: the logbook's dives, a register's
// cards. Every change a user makes is one command on the history (undone and
// redone as such) and is told to the observers; only sorting leaves the
// document unmarked. Rows out of range, unknown identities and records the
// list does not accept change nothing and return false or none.
//
// R is a value type with operator== and heldBytes() (what it holds beyond
// itself, for the history's footprint). Records are kept behind pointers so
// that inserting into a large list moves pointers, not records.
template <class R>
class RecordListDocument : public ListDocument {
public:
    using List = std::vector<std::unique_ptr<R>>;

    const List& records() const { return records_; }
    const R& recordAt(std::size_t row) const { return *records_.at(row); }

    std::optional<RecordId> add(R record) { return place(records_.size(), std::move(record)); }
    // Before `row`, which must hold a record.
    std::optional<RecordId> insert(std::size_t row, R record) {
        if (row >= records_.size()) return std::nullopt;
        return place(row, std::move(record));
    }
    // `nameKey` names the step in the Edit menu; the list's update name by default.
    bool update(RecordId id, R record, std::string_view nameKey = {}) {
        auto row = rowOf(id);
        if (!row || !accepts(record)) return false;
        if (*records_[*row] == record) return true;  // nothing to take back
        history().push(std::make_unique<SwapRecord<R>>(*this, id,
                                                       std::make_unique<R>(std::move(record)),
                                                       nameKey.empty() ? names().update : nameKey));
        return true;
    }
    std::size_t erase(std::vector<std::size_t> rows) override {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        while (!rows.empty() && rows.back() >= records_.size()) rows.pop_back();
        const std::size_t count = rows.size();
        if (count == 0) return 0;
        history().push(std::make_unique<PlaceRecords<R>>(
            *this, std::move(rows), count == 1 ? names().deleteOne : names().deleteMany));
        return count;
    }
    // Records read from elsewhere join the end as one step.
    std::vector<RecordId> append(List records) {
        std::erase_if(records, [this](const auto& r) { return !r || !accepts(*r); });
        std::vector<RecordId> ids;
        if (records.empty()) return ids;
        std::vector<PlacedRecord<R>> placed;
        placed.reserve(records.size());
        for (auto& r : records) {
            ids.push_back(newId());
            placed.push_back({records_.size() + placed.size(), ids.back(), std::move(r)});
        }
        history().push(std::make_unique<PlaceRecords<R>>(*this, std::move(placed), names().import));
        return ids;
    }
    // Replaces the whole list as reading a file does: new identities, the
    // history forgotten, the observers told of a reset.
    void loadList(List records) {
        std::erase_if(records, [this](const auto& r) { return !r || !accepts(*r); });
        records_ = std::move(records);
        ids_.resize(records_.size());
        for (auto& id : ids_) id = newId();
        history().clear();
        notify({ListChange::Kind::Reset, {}, {}, {}, {}});
    }

protected:
    using ListDocument::ListDocument;

    // Whether the list may hold the record (a register holds one record class).
    virtual bool accepts(const R&) const { return true; }

    // Puts the list in `order` (order[new row] = old row) as one step, when
    // that moves anything.
    void reorder(std::vector<std::size_t> order) {
        bool moved = false;
        for (std::size_t i = 0; i < order.size(); ++i) moved = moved || order[i] != i;
        if (moved)
            history().push(
                std::make_unique<ReorderRecords<R>>(*this, std::move(order), names().sort));
    }

    R& recordAtRow(std::size_t row) { return *records_[row]; }

    List records_;

private:
    template <class>
    friend class PlaceRecords;
    template <class>
    friend class SwapRecord;
    template <class>
    friend class ReorderRecords;

    std::optional<RecordId> place(std::size_t row, R record) {
        if (!accepts(record)) return std::nullopt;
        const RecordId id = newId();
        std::vector<PlacedRecord<R>> placed;
        placed.push_back({row, id, std::make_unique<R>(std::move(record))});
        const bool appending = row == records_.size();
        history().push(std::make_unique<PlaceRecords<R>>(*this, std::move(placed),
                                                         appending ? names().add : names().insert));
        return id;
    }

    // The raw changes the commands are made of. Each tells the observers what
    // it did; none touches the history. Rows are trusted: the commands
    // compute them from the list they change.

    // Puts the records at their rows (ascending, as they will be after the
    // insert) in one pass; `placed` is emptied.
    void put(std::vector<PlacedRecord<R>>& placed) {
        if (placed.empty()) return;
        ListChange change{ListChange::Kind::Inserted, {}, {}, {}, {}};
        const std::size_t total = records_.size() + placed.size();
        List list;
        std::vector<RecordId> ids;
        list.reserve(total);
        ids.reserve(total);
        std::size_t from = 0, next = 0;
        for (std::size_t row = 0; row < total; ++row) {
            if (next < placed.size() && placed[next].row == row) {
                change.rows.push_back(row);
                change.ids.push_back(placed[next].id);
                ids.push_back(placed[next].id);
                list.push_back(std::move(placed[next].record));
                ++next;
            } else {
                ids.push_back(ids_[from]);
                list.push_back(std::move(records_[from]));
                ++from;
            }
        }
        records_ = std::move(list);
        ids_ = std::move(ids);
        placed.clear();
        notify(change);
    }

    // Takes out the records at `rows` (ascending, distinct) in one pass.
    std::vector<PlacedRecord<R>> take(const std::vector<std::size_t>& rows) {
        std::vector<PlacedRecord<R>> out;
        if (rows.empty()) return out;
        out.reserve(rows.size());
        ListChange change{ListChange::Kind::Removed, rows, {}, {}, {}};
        change.ids.reserve(rows.size());
        // One compaction pass keeps a large multi-row delete linear.
        std::size_t kept = rows.front(), next = 0;
        for (std::size_t i = rows.front(); i < records_.size(); ++i) {
            if (next < rows.size() && rows[next] == i) {
                change.ids.push_back(ids_[i]);
                out.push_back({i, ids_[i], std::move(records_[i])});
                ++next;
                continue;
            }
            records_[kept] = std::move(records_[i]);
            ids_[kept] = ids_[i];
            ++kept;
        }
        records_.resize(kept);
        ids_.resize(kept);
        notify(change);
        return out;
    }

    // Exchanges the record at `row` with `record`.
    void swapAt(std::size_t row, std::unique_ptr<R>& record) {
        std::swap(records_[row], record);
        notify({ListChange::Kind::Changed, {row}, {ids_[row]}, {}, {}});
    }

    // Puts the record of old row order[i] at row i.
    void arrange(const std::vector<std::size_t>& order) {
        ListChange change{ListChange::Kind::Moved, {}, {}, {}, {}};
        change.newRowOf.resize(order.size());
        List list;
        std::vector<RecordId> ids;
        list.reserve(order.size());
        ids.reserve(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            list.push_back(std::move(records_[order[i]]));
            ids.push_back(ids_[order[i]]);
            change.newRowOf[order[i]] = i;
        }
        records_ = std::move(list);
        ids_ = std::move(ids);
        notify(change);
    }
};

}  // namespace divelog
