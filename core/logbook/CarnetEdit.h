#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "logbook/Carnet.h"

namespace divelog {

// A dive with its identity and the row it goes to (or came from).
struct PlacedDive {
    std::size_t row;
    DiveId id;
    std::unique_ptr<Plongee> dive;
};

// Dive numbers in list order as runs of consecutive numbers: a logbook
// numbered in order is one run, however many dives it holds.
struct NumberRun {
    std::int32_t first;
    std::uint32_t count;
};
using NumberRuns = std::vector<NumberRun>;

// The raw changes the logbook's commands are made of. Each tells the
// observers what it did; none touches the history. Rows are trusted: the
// commands compute them from the list they change.
class CarnetEdit {
public:
    // Puts the dives at their rows (ascending, as they will be after the
    // insert) in one pass; `dives` is emptied.
    static void insert(Carnet& carnet, std::vector<PlacedDive>& dives);
    // Takes out the dives at `rows` (ascending, distinct) in one pass.
    static std::vector<PlacedDive> remove(Carnet& carnet, const std::vector<std::size_t>& rows);
    // Exchanges the record at `row` with `record`.
    static void swapRecord(Carnet& carnet, std::size_t row, std::unique_ptr<Plongee>& record);
    // Exchanges one field's value with `value`.
    static void swapField(Carnet& carnet, std::size_t row, Plongee::Field field,
                          Plongee::Value& value);
    // Exchanges every dive's number with `numbers` (list order).
    static void swapNumbers(Carnet& carnet, NumberRuns& numbers);
    // Numbers the dives from `first` on (stopping at the top of the range) and
    // returns the numbers they had.
    static NumberRuns renumber(Carnet& carnet, std::int32_t first);
    // Puts the dive of old row order[i] at row i.
    static void reorder(Carnet& carnet, const std::vector<std::size_t>& order);
};

}  // namespace divelog
