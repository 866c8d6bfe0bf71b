#include "calculators/NitroxCalculator.h"

#include <algorithm>
#include <limits>

namespace divelog::nitrox {

namespace {

constexpr double kPpO2Table[kPpO2Choices] = {1.2, 1.3, 1.4, 1.5, 1.6};
// The partial pressure above which oxygen toxicity makes a mix unusable.
constexpr double kPpO2Ceiling = 1.6;

bool oxygenInRange(double percent) { return percent > 0 && percent <= 100; }

// Where a mix of oxygen fraction f reaches partial pressure p.
double depthAt(double p, double f) { return (p / f - 1.0) * 10.0; }

}  // namespace

double ppO2Choice(int index) {
    return index >= 0 && index < kPpO2Choices ? kPpO2Table[index] : 1.4;
}

Answer maxOperatingDepth(double oxygenPercent, double ppO2) {
    if (!oxygenInRange(oxygenPercent)) return refused(Why::OxygenRange);
    if (!(ppO2 > 0)) return refused(Why::PartialPressure);
    return answerOf({depthAt(ppO2, oxygenPercent / 100.0)});
}

Answer bestMix(double depth, double ppO2) {
    if (depth < 0) return refused(Why::DepthNegative);
    if (!(ppO2 > 0)) return refused(Why::PartialPressure);
    const double percent = ppO2 / ambientPressure(depth) * 100.0;
    Answer a = answerOf({std::min(percent, 100.0)});
    if (percent > 100.0) a.note = Why::PureOxygen;
    return a;
}

Answer equivalentAirDepth(double oxygenPercent, double depth) {
    if (!oxygenInRange(oxygenPercent)) return refused(Why::OxygenRange);
    if (depth < 0) return refused(Why::DepthNegative);
    const double f = oxygenPercent / 100.0;
    return answerOf({(depth + 10.0) * (1.0 - f) / kAirNitrogen - 10.0});
}

Answer oxygenWindow(double oxygenPercent, double minPpO2) {
    if (!oxygenInRange(oxygenPercent)) return refused(Why::OxygenRange);
    if (!(minPpO2 > 0)) return refused(Why::PartialPressure);
    const double f = oxygenPercent / 100.0;
    const double toxic = depthAt(kPpO2Ceiling, f);
    const double low = depthAt(minPpO2, f);
    // Pure oxygen holds no nitrogen: its nitrogen depth is unbounded.
    const double nitrogen =
        f < 1.0 ? depthAt(kAirNitrogen, 1.0 - f) : std::numeric_limits<double>::infinity();
    const double upper = toxic < nitrogen ? toxic : nitrogen;
    Answer a = answerOf({toxic, std::max(low, 0.0), std::max(upper, 0.0)});
    if (a.ok() && (low < 0 || upper < 0)) a.note = Why::WindowSurface;
    return a;
}

Answer blend(double initialBar, double finalBar, double initialPercent, double finalPercent) {
    if (initialBar < 0 || !(finalBar > initialBar)) return refused(Why::BlendPressures);
    // An empty cylinder's percentage is left blank, which reads as 0.
    if (initialPercent < 0 || initialPercent > 100 || !oxygenInRange(finalPercent))
        return refused(Why::OxygenRange);
    const double room = finalBar - initialBar;
    const double oxygen =
        room - ((100.0 - finalPercent) * finalBar - (100.0 - initialPercent) * initialBar) /
                   (kAirNitrogen * 100.0);
    const double added = (finalBar * finalPercent - initialBar * initialPercent) / room;
    // A sliver of rounding must not turn an air top-up into a refusal.
    const double slack = 1e-9 * finalBar;
    if (oxygen < -slack) return refused(Why::BlendTooRich);
    if (oxygen > room + slack) return refused(Why::BlendTooLean);
    return answerOf({std::clamp(oxygen, 0.0, room), added});
}

}  // namespace divelog::nitrox
