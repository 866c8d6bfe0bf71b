#pragma once

#include <vector>

#include "calculators/CalcAnswer.h"

namespace divelog::rebreather {

// Percentages 0..100, flows and consumptions in litres per minute.

// Absorbent endurance from its mass, the carbon dioxide one unit of mass
// retains and the diver's production: whole hours and minutes (integers).
// Refused, never converted, when the minutes are not finite or the hours do
// not fit 32 bits.
Answer sodaTime(double weight, double capacity, double production);
inline constexpr ResultFormat kSodaTimeText{"Rebreather", "Soda endurance"};

// Oxygen percent breathed from a constant-flow semi-closed loop. Refused as
// not reachable when the flow does not exceed the consumption or the result
// falls below 0.
Answer breathedFraction(double supplyPercent, double flow, double consumption);
inline constexpr ResultFormat kBreathedText{"Rebreather", "Breathed frac"};

// Supply flow giving the wanted loop percentage; not reachable when the
// supply is no richer than the loop.
Answer idealFlow(double supplyPercent, double loopPercent, double consumption);
inline constexpr ResultFormat kIdealFlowText{"Rebreather", "Ideal flow"};

// The tables run over these consumptions, 0.8 to 1.8 l/min, whatever was typed.
inline constexpr int kTableRows = 11;
double tableConsumption(int row);

// One answer per row: (consumption, percent), warned below 20.9 %; none
// when the inputs are out of range.
std::vector<Answer> breathedTable(double supplyPercent, double flow);
inline constexpr ResultFormat kBreathedRowText{"Rebreather", "Table breathed frac"};
// One answer per row: (consumption, flow), warned outside 3 to 20 l/min.
std::vector<Answer> flowTable(double supplyPercent, double loopPercent);
inline constexpr ResultFormat kFlowRowText{"Rebreather", "Table flow"};

}  // namespace divelog::rebreather
