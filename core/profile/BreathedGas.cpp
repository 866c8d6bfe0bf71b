#include "profile/BreathedGas.h"

#include <algorithm>
#include <cmath>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/Plongee.h"
#include "profile/Buhlmann.h"

namespace divelog {

namespace {
double percentWithin(double v, double most) {
    return std::isfinite(v) ? std::clamp(v, 0.0, most) : 0.0;
}
}  // namespace

GasMix GasMix::ofPercent(double o2Percent, double hePercent) {
    const double o2 = percentWithin(o2Percent, 100);
    const double he = percentWithin(hePercent, 100 - o2);
    return {o2 / 100, he / 100};
}

DiveGases DiveGases::of(const Typed& in) {
    DiveGases g;
    // Helium typed for a gas that breathes none (the field is then disabled) is not breathed.
    g.bottom = GasMix::ofPercent(in.o2, gas::breathesHelium(in.gas) ? in.he : 0);
    g.closedCircuit = DiveCodes::isClosedCircuit(in.apparatus);
    g.setPoint = DiveCodes::setPointBar(in.setPointCode);
    g.diluent =
        GasMix::ofPercent(in.o2Cylinder2, gas::breathesHelium(in.gas2) ? in.heCylinder2 : 0);
    for (std::size_t k = 0; k < 5; ++k)
        if (in.stopO2[k] >= kLeastStopO2Percent)
            g.stops[k] = GasMix::ofPercent(in.stopO2[k], in.stopHe[k]);
    return g;
}

DiveGases DiveGases::of(const Plongee& d) {
    Typed in;
    in.gas = d.gaz();
    in.gas2 = d.gaz_2();
    in.apparatus = d.rebreather();
    in.setPointCode = d.ppO2();
    in.o2 = d.o2Mix();
    in.he = d.heMix();
    in.o2Cylinder2 = d.o2Mix_2();
    in.heCylinder2 = d.heMix_2();
    for (std::size_t k = 0; k < 5; ++k) {
        in.stopO2[k] = std::get<std::int32_t>(d.value(Plongee::kStopO2[k]));
        in.stopHe[k] = std::get<std::int32_t>(d.value(Plongee::kStopHe[k]));
    }
    return of(in);
}

bool DiveGases::anyHelium() const {
    if (bottom.he > 0 || (closedCircuit && diluent.he > 0)) return true;
    return std::any_of(stops.begin(), stops.end(),
                       [](const std::optional<GasMix>& s) { return s && s->he > 0; });
}

void gasOfEachSample(const DiveGases& gases, std::span<const std::int32_t> flags,
                     std::size_t samples, GasSwitches& out) {
    out.gas.assign(samples, 0);
    out.unknownGasSwitches = 0;
    // A lone placeholder is a profile that recorded no switch.
    out.flagsIgnored = flags.size() != samples && flags.size() > 1;
    out.flagEntries = flags.size();
    if (flags.size() != samples) return;
    GasIndex breathed = 0;
    for (std::size_t i = 0; i < samples; ++i) {
        const std::int32_t code = flags[i];
        if (code == 1) {
            breathed = 0;
        } else if (code >= 2 && code <= 6) {
            const auto stop = static_cast<GasIndex>(code - 1);
            if (gases.stops[stop - 1u])
                breathed = stop;
            else
                ++out.unknownGasSwitches;
        }
        out.gas[i] = breathed;
    }
}

Inspired inspired(const DiveGases& gases, GasIndex gas, double ambient) {
    const double lungs = std::max(ambient - zhl16c::kWaterVapour, 0.0);
    Inspired in;
    if (gas == 0 && gases.closedCircuit) {
        // The loop holds its set point, or what the ambient pressure allows;
        // the diluent's inert gases make up the rest.
        in.o2 = std::min(gases.setPoint.value_or(0), ambient);
        const double inert = std::max(lungs - in.o2, 0.0);
        const double diluentInert = gases.diluent.n2() + gases.diluent.he;
        if (diluentInert > 1e-12) {
            in.n2 = inert * gases.diluent.n2() / diluentInert;
            in.he = inert * gases.diluent.he / diluentInert;
        }
        return in;
    }
    const GasMix mix =
        gas == 0 || gas > 5 ? gases.bottom : gases.stops[gas - 1u].value_or(gases.bottom);
    in.o2 = mix.o2 * ambient;
    in.n2 = mix.n2() * lungs;
    in.he = mix.he * lungs;
    return in;
}

double surfacePressureAt(double altitudeMetres) {
    const double h =
        std::isfinite(altitudeMetres) ? std::clamp(altitudeMetres, -1000.0, 9000.0) : 0;
    return std::pow(1 - 2.25577e-5 * h, 5.25588);
}

}  // namespace divelog
