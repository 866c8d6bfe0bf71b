#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/UndoStack.h"
#include "logbook/CarnetEdit.h"

namespace divelog {

// The logbook's commands, one small type per kind of change. Each holds only
// what the other direction needs: the dives taken out, the record or value
// not in the list, the numbers or the order before.

// Adds dives at their rows, or (inverted) takes them out.
class PlaceDives : public UndoCommand {
public:
    // Adding: the dives to put in, with their rows.
    PlaceDives(Carnet& carnet, std::vector<PlacedDive> dives, std::string_view nameKey);
    // Removing: the rows to take out.
    PlaceDives(Carnet& carnet, std::vector<std::size_t> rows, std::string_view nameKey);
    void redo() override { adding_ ? put() : take(); }
    void undo() override { adding_ ? take() : put(); }
    std::string name(const Localisation& texts) const override;
    std::size_t heldBytes() const override;

private:
    void put();
    void take();

    Carnet& carnet_;
    bool adding_;
    std::vector<std::size_t> rows_;
    std::vector<PlacedDive> held_;  // the dives while they are out of the list
    std::string_view nameKey_;
};

// Replaces a dive's record, keeping its identity.
class SwapDive : public UndoCommand {
public:
    SwapDive(Carnet& carnet, DiveId id, std::unique_ptr<Plongee> record,
             std::string_view nameKey = "Update Dive");
    void redo() override { swap(); }
    void undo() override { swap(); }
    std::string name(const Localisation& texts) const override;
    std::size_t heldBytes() const override;

private:
    void swap();
    Carnet& carnet_;
    DiveId id_;
    std::unique_ptr<Plongee> other_;
    std::string_view nameKey_;
};

// Writes one field of one dive.
class SwapField : public UndoCommand {
public:
    SwapField(Carnet& carnet, DiveId id, Plongee::Field field, Plongee::Value value);
    void redo() override { swap(); }
    void undo() override { swap(); }
    std::string name(const Localisation& texts) const override;
    std::size_t heldBytes() const override;

private:
    void swap();
    Carnet& carnet_;
    DiveId id_;
    Plongee::Field field_;
    Plongee::Value other_;
};

// Numbers every dive from a first number on. The numbers the dives had are
// read as the first run writes the new ones, and kept as runs: a logbook
// numbered in order costs a few bytes of history, whatever its size.
class SwapNumbers : public UndoCommand {
public:
    SwapNumbers(Carnet& carnet, std::int32_t first);
    void redo() override;
    void undo() override { CarnetEdit::swapNumbers(carnet_, numbers_); }
    std::string name(const Localisation& texts) const override;
    std::size_t heldBytes() const override { return numbers_.capacity() * sizeof(NumberRun); }

private:
    Carnet& carnet_;
    std::int32_t first_;
    bool done_ = false;
    NumberRuns numbers_;  // those not in the list
};

// Puts the list in another order. The order is no content: it leaves the
// changed mark alone.
class ReorderDives : public UndoCommand {
public:
    ReorderDives(Carnet& carnet, std::vector<std::size_t> order);
    void redo() override;
    void undo() override;
    std::string name(const Localisation& texts) const override;
    bool marksChanged() const override { return false; }
    std::size_t heldBytes() const override { return order_.capacity() * sizeof(std::size_t); }

private:
    Carnet& carnet_;
    std::vector<std::size_t> order_;  // order_[new row] = old row
};

// What a dive record occupies, roughly: the object, its texts and its series.
std::size_t approximateBytes(const Plongee& dive);

}  // namespace divelog
