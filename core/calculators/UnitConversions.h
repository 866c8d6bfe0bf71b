#pragma once

#include <span>
#include <string_view>

#include "calculators/CalcAnswer.h"

namespace divelog::units {

enum class Quantity { Pressure, Volume, Length, Mass, Temperature };
inline constexpr Quantity kQuantities[] = {Quantity::Pressure, Quantity::Volume, Quantity::Length,
                                           Quantity::Mass, Quantity::Temperature};

// A unit as an affine map of its quantity's first unit, the base:
// value = base x perBase + offset.
struct Unit {
    std::string_view key;  // its label in the "Physique" table
    double perBase;
    double offset;
    std::string_view control;  // its field in the window
};

// The tab's identifier and its title key in "Physique".
std::string_view tabId(Quantity q);
// The name of the tab's radio buttons, which mark the unit converted from.
std::string_view sourceChoice(Quantity q);
std::span<const Unit> unitsOf(Quantity q);

// The value typed in unit `from` (an index into unitsOf) in every unit of
// its quantity, the source included, in unitsOf order. A temperature below
// absolute zero is refused.
Answer convert(Quantity q, std::size_t from, double value);

// A converted value as a field shows it: eight significant digits, no
// trailing zeros, a point as decimal separator.
std::string valueText(double value);

}  // namespace divelog::units
