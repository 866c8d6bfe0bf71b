#pragma once

#include <optional>

#include "profile/CylinderUse.h"
#include "profile/GasConsumption.h"
#include "profile/ProfileSummary.h"

namespace divelog {

class Plongee;

// Everything the logbook computes about a stored dive, for the windows,
// card, statistics and exports that show a dive without its form.
struct DiveAnalysis {
    ProfileSummary profile;
    DiveGasUse gasUse;
    GasConsumption consumption;
    std::optional<double> highestPpO2;  // bar; none for a closed circuit without set point
    std::optional<double> cnsPercent;

    static DiveAnalysis of(const Plongee& dive, bool usUnits);
};

// The CNS clock as the logbook runs it: the highest partial pressure, taken in
// single precision as the table's band edges expect, for the whole dive time.
std::optional<double> diveCns(std::optional<double> highestPpO2, double minutes);

}  // namespace divelog
