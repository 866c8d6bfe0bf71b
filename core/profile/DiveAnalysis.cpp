#include "profile/DiveAnalysis.h"

#include "dive/Plongee.h"
#include "profile/CnsClock.h"
#include "profile/OxygenExposure.h"
#include "util/Numbers.h"

namespace divelog {

std::optional<double> diveCns(std::optional<double> highestPpO2, double minutes) {
    if (!highestPpO2) return std::nullopt;
    return cnsPercent(static_cast<double>(narrowToFloat(*highestPpO2)), minutes);
}

DiveAnalysis DiveAnalysis::of(const Plongee& dive, bool usUnits) {
    DiveAnalysis a;
    a.profile = ProfileSummary::of(ProfileSeries::of(dive));
    a.gasUse = DiveGasUse::of(dive);
    a.consumption = GasConsumption::of(dive, a.profile);
    a.highestPpO2 = divelog::highestPpO2(OxygenInputs::of(dive, a.profile, usUnits));
    a.cnsPercent = diveCns(a.highestPpO2, dive.temps());
    return a;
}

}  // namespace divelog
