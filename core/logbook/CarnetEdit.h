#pragma once

#include <cstdint>
#include <vector>

#include "logbook/Carnet.h"

namespace divelog {

// Dive numbers in list order as runs of consecutive numbers: a logbook
// numbered in order is one run, however many dives it holds.
struct NumberRun {
    std::int32_t first;
    std::uint32_t count;
};
using NumberRuns = std::vector<NumberRun>;

// The raw changes only the logbook's own commands make (the list's shared
// ones live with the list machinery). Each tells the observers what it did;
// none touches the history. Rows are trusted.
class CarnetEdit {
public:
    // Exchanges one field's value with `value`.
    static void swapField(Carnet& carnet, std::size_t row, Plongee::Field field,
                          Plongee::Value& value);
    // Exchanges every dive's number with `numbers` (list order).
    static void swapNumbers(Carnet& carnet, NumberRuns& numbers);
    // Numbers the dives from `first` on (stopping at the top of the range) and
    // returns the numbers they had.
    static NumberRuns renumber(Carnet& carnet, std::int32_t first);
};

}  // namespace divelog
