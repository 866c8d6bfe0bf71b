#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace divelog {

class SettingsStore;

// The Bühlmann ZHL-16C model of inert gas in 16 tissue compartments: the
// published half-times and a, b coefficients for nitrogen and helium, in the
// usual variant whose first compartment is 1b (5 min nitrogen), not 1 (4 min).
// Pressures are bar, times minutes.
namespace zhl16c {

inline constexpr std::size_t kCompartments = 16;

struct Compartment {
    std::string_view name;  // "1b", "2" ... "16"
    double n2HalfTime, n2A, n2B;
    double heHalfTime, heA, heB;
};

const std::array<Compartment, kCompartments>& compartments();

// Water vapour in the lungs at 37 °C, which the inspired inert gas gives way to.
inline constexpr double kWaterVapour = 0.0627;
// The nitrogen of air, as the logbook's air is 21 % oxygen.
inline constexpr double kAirNitrogen = 0.79;

}  // namespace zhl16c

// The inert-gas tension of each compartment, bar.
struct Tissues {
    std::array<double, zhl16c::kCompartments> n2{}, he{};

    // After a long while breathing air at the surface.
    static Tissues saturated(double surfaceBar);
    friend bool operator==(const Tissues&, const Tissues&) = default;
};

// The a and b of a compartment, weighted by its nitrogen and helium.
struct MValueLine {
    double a = 0, b = 1;
    // The tension allowed at an ambient pressure: the M-value.
    double at(double ambient) const { return a + ambient / b; }
};
MValueLine mValueLine(std::size_t compartment, double n2, double he);

// The lowest ambient pressure a tension tolerates at gradient factor `gf`
// (1 is the M-value itself).
double toleratedAmbient(double tension, MValueLine line, double gf);

// Tensions after one interval breathing inspired inert pressures that go
// linearly from `from` to `to` (the Schreiner equation; constant pressures
// make it the Haldane one). The exponentials of an interval length are worked
// out once, so a profile sampled at one rate steps with multiplications only.
class TissueStep {
public:
    explicit TissueStep(double minutes);
    double minutes() const { return minutes_; }
    void apply(Tissues& t, double n2From, double n2To, double heFrom, double heTo) const;

private:
    // Per compartment, one array each so a step does two at a time.
    struct Factors {
        std::array<double, zhl16c::kCompartments> decay{};  // e^-kt
        // 1 - (1 - e^-kt) / kt: the share of a ramp's rise reached
        std::array<double, zhl16c::kCompartments> ramp{};
    };
    double minutes_;
    Factors n2_, he_;
};

// The diver's gradient factors, as fractions. Out of range, or a low above
// the high, the model keeps the usual 30/85 and says the preference was not
// usable.
struct GradientFactors {
    double low = 0.30, high = 0.85;
    bool fromPreferences = true;  // false: the stored pair was refused

    static GradientFactors of(double lowPercent, double highPercent);
    static GradientFactors read(const SettingsStore& settings);
    friend bool operator==(const GradientFactors&, const GradientFactors&) = default;
};

}  // namespace divelog
