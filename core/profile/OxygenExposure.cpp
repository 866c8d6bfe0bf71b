#include "profile/OxygenExposure.h"

#include <algorithm>
#include <cmath>

#include "dive/DiveCodes.h"
#include "dive/Plongee.h"
#include "dive/Units.h"
#include "profile/ProfileSummary.h"

namespace divelog {

namespace {
double ambientBar(double metres) { return metres / 10.0 + 1.0; }
}  // namespace

OxygenInputs OxygenInputs::of(const Plongee& d, const ProfileSummary& summary, bool usUnits) {
    OxygenInputs in;
    in.bottomO2Percent = d.o2Mix();
    in.maxDepthMetres = summary.points >= 2 ? double{summary.maxDepth}
                                            : units::metresOfTypedDepth(d.profondeur(), usUnits);
    in.apparatus = d.rebreather();
    in.setPointCode = d.ppO2();
    for (std::size_t k = 0; k < 5; ++k) {
        in.stops[k].made = std::get<std::int32_t>(d.value(Plongee::kStopSwitch[k])) != 0;
        in.stops[k].o2Percent = std::get<std::int32_t>(d.value(Plongee::kStopO2[k]));
        in.stops[k].depthMetres =
            units::metresOfTypedDepth(std::get<float>(d.value(Plongee::kStopDepth[k])), usUnits);
    }
    return in;
}

std::optional<double> highestPpO2(const OxygenInputs& in) {
    const double depth = std::isfinite(in.maxDepthMetres) ? std::max(in.maxDepthMetres, 0.0) : 0;
    double ppO2 = 0;
    if (DiveCodes::isClosedCircuit(in.apparatus)) {
        auto setPoint = DiveCodes::setPointBar(in.setPointCode);
        if (!setPoint) return std::nullopt;
        ppO2 = std::min(*setPoint, ambientBar(depth));
    } else {
        ppO2 = in.bottomO2Percent / 100.0 * ambientBar(depth);
    }
    for (const auto& stop : in.stops) {
        if (!stop.made || !std::isfinite(stop.depthMetres)) continue;
        ppO2 = std::max(ppO2, stop.o2Percent / 100.0 * ambientBar(std::max(stop.depthMetres, 0.0)));
    }
    return std::isfinite(ppO2) ? std::optional<double>(ppO2) : std::nullopt;
}

}  // namespace divelog
