#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/ListChange.h"
#include "document/UndoStack.h"
#include "localisation/Localisation.h"

namespace divelog {

template <class R>
class RecordListDocument;

// A record with its identity and the row it goes to (or came from).
template <class R>
struct PlacedRecord {
    std::size_t row;
    RecordId id;
    std::unique_ptr<R> record;
};

// The commands every list document shares, one small type per kind of
// change. Each holds only what the other direction needs: the records taken
// out, the record not in the list, the order before. Names are keys of the
// "Main" table.

// Puts records in at their rows, or (removing) takes them out.
template <class R>
class PlaceRecords : public UndoCommand {
public:
    // Adding: the records to put in, with their rows (ascending, as they will be).
    PlaceRecords(RecordListDocument<R>& doc, std::vector<PlacedRecord<R>> records,
                 std::string_view nameKey)
        : doc_(doc), adding_(true), held_(std::move(records)), nameKey_(nameKey) {
        for (const auto& r : held_) rows_.push_back(r.row);
    }
    // Removing: the rows to take out (ascending, distinct).
    PlaceRecords(RecordListDocument<R>& doc, std::vector<std::size_t> rows,
                 std::string_view nameKey)
        : doc_(doc), adding_(false), rows_(std::move(rows)), nameKey_(nameKey) {}

    void redo() override { adding_ ? put() : take(); }
    void undo() override { adding_ ? take() : put(); }
    std::string name(const Localisation& texts) const override {
        return texts.format("Main", nameKey_, nameKey_, {static_cast<std::int64_t>(rows_.size())});
    }
    std::size_t heldBytes() const override {
        std::size_t n =
            rows_.capacity() * sizeof(std::size_t) + held_.capacity() * sizeof(PlacedRecord<R>);
        for (const auto& r : held_) n += sizeof(R) + r.record->heldBytes();
        return n;
    }

private:
    void put() { doc_.put(held_); }
    void take() { held_ = doc_.take(rows_); }

    RecordListDocument<R>& doc_;
    bool adding_;
    std::vector<std::size_t> rows_;
    std::vector<PlacedRecord<R>> held_;  // the records while they are out of the list
    std::string_view nameKey_;
};

// Replaces a record's content, keeping its identity.
template <class R>
class SwapRecord : public UndoCommand {
public:
    SwapRecord(RecordListDocument<R>& doc, RecordId id, std::unique_ptr<R> record,
               std::string_view nameKey)
        : doc_(doc), id_(id), other_(std::move(record)), nameKey_(nameKey) {}
    void redo() override { swap(); }
    void undo() override { swap(); }
    std::string name(const Localisation& texts) const override {
        return texts.text("Main", nameKey_, nameKey_);
    }
    std::size_t heldBytes() const override { return sizeof(R) + other_->heldBytes(); }

private:
    void swap() {
        if (auto row = doc_.rowOf(id_)) doc_.swapAt(*row, other_);
    }
    RecordListDocument<R>& doc_;
    RecordId id_;
    std::unique_ptr<R> other_;
    std::string_view nameKey_;
};

// Puts the list in another order. The order is no content: it leaves the
// changed mark alone.
template <class R>
class ReorderRecords : public UndoCommand {
public:
    ReorderRecords(RecordListDocument<R>& doc, std::vector<std::size_t> order,
                   std::string_view nameKey)
        : doc_(doc), order_(std::move(order)), nameKey_(nameKey) {}
    void redo() override { doc_.arrange(order_); }
    void undo() override {
        std::vector<std::size_t> back(order_.size());
        for (std::size_t i = 0; i < order_.size(); ++i) back[order_[i]] = i;
        doc_.arrange(back);
    }
    std::string name(const Localisation& texts) const override {
        return texts.text("Main", nameKey_, nameKey_);
    }
    bool marksChanged() const override { return false; }
    std::size_t heldBytes() const override { return order_.capacity() * sizeof(std::size_t); }

private:
    RecordListDocument<R>& doc_;
    std::vector<std::size_t> order_;  // order_[new row] = old row
    std::string_view nameKey_;
};

}  // namespace divelog
