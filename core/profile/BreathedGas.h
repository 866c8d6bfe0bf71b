#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace divelog {

class Plongee;

// A mix as fractions of oxygen and helium; nitrogen is the rest.
struct GasMix {
    double o2 = 0.21, he = 0;

    // From typed percentages, kept within 0 to 100 % and to a whole mix
    // (helium gives way when the two make more than the whole).
    static GasMix ofPercent(double o2Percent, double hePercent);
    double n2() const { return 1 - o2 - he; }
    friend bool operator==(const GasMix&, const GasMix&) = default;
};

// What the diver can breathe: the bottom gas (a closed circuit's loop at its
// set point, on the diluent of cylinder 2) and the five stop gases the
// profile's gas flags switch to, breathed in open circuit. A semi-closed
// circuit is taken as its supply gas breathed in open circuit.
struct DiveGases {
    // A stop gas whose oxygen is below this was never given (the form shows "-").
    static constexpr double kLeastStopO2Percent = 5;

    GasMix bottom;
    bool closedCircuit = false;
    std::optional<double> setPoint;  // bar; a closed circuit without one cannot be worked out
    GasMix diluent;
    std::array<std::optional<GasMix>, 5> stops{};

    // The fields they come from, as a record or the form holds them: gas
    // codes, percentages, the apparatus and set-point codes.
    struct Typed {
        std::int32_t gas = 0, gas2 = 0, apparatus = 0, setPointCode = 0;
        double o2 = 21, he = 0, o2Cylinder2 = 21, heCylinder2 = 0;
        std::array<double, 5> stopO2{}, stopHe{};
    };
    static DiveGases of(const Typed& typed);
    static DiveGases of(const Plongee& dive);
    bool usable() const { return !closedCircuit || setPoint.has_value(); }
    bool anyHelium() const;
    friend bool operator==(const DiveGases&, const DiveGases&) = default;
};

// Which gas is breathed: 0 the bottom gas, 1 to 5 the stop gases.
using GasIndex = std::uint8_t;

// The gas of each sample, from the gas flags: code 1 back to the bottom gas,
// 2 to 6 stop gas 1 to 5, any other code no switch. A flag series that does
// not hold one entry per sample switches nothing, as the view draws none of
// it; nor does a switch to a stop gas that was never given.
struct GasSwitches {
    std::vector<GasIndex> gas;  // one per sample
    bool flagsIgnored = false;  // the flag series' length is not the samples'
    std::size_t flagEntries = 0;
    std::size_t unknownGasSwitches = 0;  // to a stop gas without its oxygen
};
void gasOfEachSample(const DiveGases& gases, std::span<const std::int32_t> flags,
                     std::size_t samples, GasSwitches& out);

// Partial pressures breathed at an ambient pressure, bar.
struct Inspired {
    double o2 = 0;
    double n2 = 0, he = 0;  // in the lungs, after the water vapour
};
Inspired inspired(const DiveGases& gases, GasIndex gas, double ambient);

// The ambient pressure at the surface of a site, bar: the logbook's 1 bar at
// sea level, lowered with altitude as the standard atmosphere is.
double surfacePressureAt(double altitudeMetres);

}  // namespace divelog
