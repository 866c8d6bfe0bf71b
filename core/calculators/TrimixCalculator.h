#pragma once

#include "calculators/CalcAnswer.h"

namespace divelog::trimix {

// Percentages 0..100, depths in metres of sea water, pressures in bar.

// Equivalent air depth (oxygen and nitrogen narcotic, never below 0 m) and
// equivalent narcotic depth (not limited), metres.
Answer eadEnd(double depth, double oxygenPercent, double heliumPercent);
inline constexpr ResultFormat kEadEndText{"Trimix", "EAD END"};

// Shallowest depth where a hypoxic mix gives 0.16 bar of oxygen; refused
// ("No valid datas") outside 1..16 % oxygen.
Answer minimumDepth(double oxygenPercent);
inline constexpr ResultFormat kMinimumDepthText{"Trimix", "Prof min"};

// Oxygen and helium percentages for a depth, a wanted END (nitrogen alone
// narcotic) and a maximum oxygen partial pressure. Never above 100 % oxygen
// nor below 0 % helium: the limited share comes with a note saying why.
Answer bestTrimix(double depth, double end, double ppO2);
inline constexpr ResultFormat kBestTrimixText{"Trimix", "Best Tx"};

}  // namespace divelog::trimix
