#include "calculators/TrimixCalculator.h"

#include <algorithm>

namespace divelog::trimix {

namespace {

// 0.16 bar of oxygen, the least a diver may breathe, as a percentage at 1 bar.
constexpr double kHypoxicPercent = 16.0;

}  // namespace

Answer eadEnd(double depth, double oxygenPercent, double heliumPercent) {
    if (depth < 0) return refused(Why::DepthNegative);
    if (!(oxygenPercent > 0 && oxygenPercent <= 100)) return refused(Why::OxygenRange);
    if (heliumPercent < 0 || oxygenPercent + heliumPercent > 100) return refused(Why::HeliumRange);
    const double nitrogen = (100.0 - oxygenPercent - heliumPercent) / 100.0;
    const double ead = (depth + 10.0) * nitrogen / kAirNitrogen - 10.0;
    const double end = (1.0 - heliumPercent / 100.0) * (depth + 10.0) - 10.0;
    return answerOf({std::max(ead, 0.0), end});
}

Answer minimumDepth(double oxygenPercent) {
    if (oxygenPercent < 1.0 || oxygenPercent > kHypoxicPercent) return refused(Why::NoValidData);
    return answerOf({(kHypoxicPercent / oxygenPercent - 1.0) * 10.0});
}

Answer bestTrimix(double depth, double end, double ppO2) {
    if (depth < 0 || end < 0) return refused(Why::DepthNegative);
    if (!(ppO2 > 0)) return refused(Why::PartialPressure);
    const double oxygen = ppO2 / ambientPressure(depth) * 100.0;
    // The nitrogen whose partial pressure at the depth is that of air at the END.
    const double nitrogen = kAirNitrogen * 100.0 * ambientPressure(end) / ambientPressure(depth);
    const double helium = 100.0 - oxygen - nitrogen;
    Answer a = answerOf({std::min(oxygen, 100.0), std::max(helium, 0.0)});
    if (!a.ok()) return a;
    if (oxygen > 100.0)
        a.note = Why::PureOxygen;
    else if (helium < 0)
        a.note = end >= depth ? Why::EndDeeper : Why::NoHelium;
    return a;
}

}  // namespace divelog::trimix
