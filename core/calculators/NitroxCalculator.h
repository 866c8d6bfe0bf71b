#pragma once

#include "calculators/CalcAnswer.h"

namespace divelog::nitrox {

// Gas percentages are typed 0..100, depths in metres of sea water, pressures
// in bar; every function is pure and answers in those units.

// The maximum oxygen partial pressure of the pop-up's item: 1.2 to 1.6 bar;
// no item or any other index is 1.4 bar.
double ppO2Choice(int index);
inline constexpr int kPpO2Choices = 5;

// Maximum operating depth, metres.
Answer maxOperatingDepth(double oxygenPercent, double ppO2);
inline constexpr ResultFormat kMaxDepthText{"", "MOD : %.1f m"};

// Richest mix for a depth, oxygen percent; at most 100 (with a note) when the
// depth is too shallow for the partial pressure.
Answer bestMix(double depth, double ppO2);
inline constexpr ResultFormat kBestMixText{"Nitrox", "Best Mix"};

// Equivalent air depth, metres. Not limited: a rich mix near the surface
// gives a negative depth, which says it is less narcotic than air there.
Answer equivalentAirDepth(double oxygenPercent, double depth);
inline constexpr ResultFormat kEquivalentDepthText{"", "EAD : %.1f m"};

// Depths, metres: where the mix reaches 1.6 bar of oxygen, where it reaches
// the minimum partial pressure, and the lesser of the first and the depth
// where its nitrogen is at the surface air's 0.79 bar. Depths above the
// surface show as 0 m with a note.
Answer oxygenWindow(double oxygenPercent, double minPpO2);
inline constexpr ResultFormat kOxygenWindowText{"Nitrox", "Oxygen window"};

// Partial-pressure blending, topping up with pure oxygen and then air: the
// oxygen to add (bar) and the oxygen percent of a single gas doing the same.
// Refused when the mix cannot be made that way.
Answer blend(double initialBar, double finalBar, double initialPercent, double finalPercent);
inline constexpr ResultFormat kBlendText{"Nitrox", "Oxygen to transfer"};

}  // namespace divelog::nitrox
