#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/UndoStack.h"
#include "registers/RegisterDocument.h"

namespace divelog {

// A record with its identity and the row it goes to (or came from).
struct PlacedRecord {
    std::size_t row;
    RecordId id;
    std::unique_ptr<Record> record;
};

// The raw changes a register's commands are made of; each tells the
// observers what it did and none touches the history.
class RegisterEdit {
public:
    static void insert(RegisterDocument& doc, std::vector<PlacedRecord>& records);
    static std::vector<PlacedRecord> remove(RegisterDocument& doc,
                                            const std::vector<std::size_t>& rows);
    static void swapRecord(RegisterDocument& doc, std::size_t row, std::unique_ptr<Record>& record);
    // Puts the record of old row order[i] at row i.
    static void reorder(RegisterDocument& doc, const std::vector<std::size_t>& order);
};

// Puts records in at their rows, or (removing) takes them out.
class PlaceRecords : public UndoCommand {
public:
    PlaceRecords(RegisterDocument& doc, std::vector<PlacedRecord> records,
                 std::string_view nameKey);
    PlaceRecords(RegisterDocument& doc, std::vector<std::size_t> rows, std::string_view nameKey);
    void redo() override { adding_ ? put() : take(); }
    void undo() override { adding_ ? take() : put(); }
    std::string name(const Localisation& texts) const override;
    std::size_t heldBytes() const override;

private:
    void put();
    void take();

    RegisterDocument& doc_;
    bool adding_;
    std::vector<std::size_t> rows_;
    std::vector<PlacedRecord> held_;
    std::string_view nameKey_;
};

// Replaces a record's content, keeping its identity.
class SwapRecord : public UndoCommand {
public:
    SwapRecord(RegisterDocument& doc, RecordId id, std::unique_ptr<Record> record);
    void redo() override { swap(); }
    void undo() override { swap(); }
    std::string name(const Localisation& texts) const override;
    std::size_t heldBytes() const override { return sizeof(Record) + other_->heldBytes(); }

private:
    void swap();
    RegisterDocument& doc_;
    RecordId id_;
    std::unique_ptr<Record> other_;
};

// A new order of the same records; sorting, which the user need not save.
class ReorderRecords : public UndoCommand {
public:
    ReorderRecords(RegisterDocument& doc, std::vector<std::size_t> order);
    void redo() override;
    void undo() override;
    std::string name(const Localisation& texts) const override;
    bool marksChanged() const override { return false; }

private:
    RegisterDocument& doc_;
    std::vector<std::size_t> order_;  // order_[new row] = old row
};

}  // namespace divelog
