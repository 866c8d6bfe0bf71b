#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/UndoStack.h"
#include "logbook/CarnetEdit.h"

namespace divelog {

// The commands only the logbook has, beside the list's shared ones. Each
// holds only what the other direction needs: the value, or the numbers before.

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

}  // namespace divelog
