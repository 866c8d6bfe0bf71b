#include "profile/Buhlmann.h"

#include <cmath>

#include "settings/PreferenceKeys.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace zhl16c {

const std::array<Compartment, kCompartments>& compartments() {
    // Bühlmann's ZHL-16C: nitrogen half-time, a, b; helium half-time, a, b.
    static constexpr std::array<Compartment, kCompartments> kTable = {{
        {"1b", 5.0, 1.1696, 0.5578, 1.88, 1.6189, 0.4770},
        {"2", 8.0, 1.0000, 0.6514, 3.02, 1.3830, 0.5747},
        {"3", 12.5, 0.8618, 0.7222, 4.72, 1.1919, 0.6527},
        {"4", 18.5, 0.7562, 0.7825, 6.99, 1.0458, 0.7223},
        {"5", 27.0, 0.6200, 0.8126, 10.21, 0.9220, 0.7582},
        {"6", 38.3, 0.5043, 0.8434, 14.48, 0.8205, 0.7957},
        {"7", 54.3, 0.4410, 0.8693, 20.53, 0.7305, 0.8279},
        {"8", 77.0, 0.4000, 0.8910, 29.11, 0.6502, 0.8553},
        {"9", 109.0, 0.3750, 0.9092, 41.20, 0.5950, 0.8757},
        {"10", 146.0, 0.3500, 0.9222, 55.19, 0.5545, 0.8903},
        {"11", 187.0, 0.3295, 0.9319, 70.69, 0.5333, 0.8997},
        {"12", 239.0, 0.3065, 0.9403, 90.34, 0.5189, 0.9073},
        {"13", 305.0, 0.2835, 0.9477, 115.29, 0.5181, 0.9122},
        {"14", 390.0, 0.2610, 0.9544, 147.42, 0.5176, 0.9171},
        {"15", 498.0, 0.2480, 0.9602, 188.24, 0.5172, 0.9217},
        {"16", 635.0, 0.2327, 0.9653, 240.03, 0.5119, 0.9267},
    }};
    return kTable;
}

}  // namespace zhl16c

Tissues Tissues::saturated(double surfaceBar) {
    Tissues t;
    const double n2 = std::max(surfaceBar - zhl16c::kWaterVapour, 0.0) * zhl16c::kAirNitrogen;
    t.n2.fill(n2);
    return t;
}

MValueLine mValueLine(std::size_t i, double n2, double he) {
    const zhl16c::Compartment& c = zhl16c::compartments()[i];
    const double inert = n2 + he;
    if (!(inert > 1e-12)) return {c.n2A, c.n2B};
    return {(c.n2A * n2 + c.heA * he) / inert, (c.n2B * n2 + c.heB * he) / inert};
}

double toleratedAmbient(double tension, MValueLine line, double gf) {
    // tension = a gf + P (gf / b - gf + 1), solved for P.
    return (tension - line.a * gf) / (gf / line.b - gf + 1);
}

TissueStep::TissueStep(double minutes) : minutes_(minutes > 0 ? minutes : 0) {
    auto set = [this](Factors& f, std::size_t i, double halfTime) {
        const double kt = std::log(2.0) / halfTime * minutes_;
        f.decay[i] = std::exp(-kt);
        f.ramp[i] = kt > 1e-12 ? 1 - (1 - f.decay[i]) / kt : 0;
    };
    for (std::size_t i = 0; i < zhl16c::kCompartments; ++i) {
        set(n2_, i, zhl16c::compartments()[i].n2HalfTime);
        set(he_, i, zhl16c::compartments()[i].heHalfTime);
    }
}

void TissueStep::apply(Tissues& t, double n2From, double n2To, double heFrom, double heTo) const {
    // Schreiner: P = Pi0 + R (t - 1/k) - (Pi0 - P0 - R/k) e^-kt, with R t the
    // rise of the inspired pressure over the interval.
    const double n2Rise = n2To - n2From, heRise = heTo - heFrom;
    for (std::size_t i = 0; i < zhl16c::kCompartments; ++i)
        t.n2[i] = n2From + (t.n2[i] - n2From) * n2_.decay[i] + n2Rise * n2_.ramp[i];
    for (std::size_t i = 0; i < zhl16c::kCompartments; ++i)
        t.he[i] = heFrom + (t.he[i] - heFrom) * he_.decay[i] + heRise * he_.ramp[i];
}

GradientFactors GradientFactors::of(double lowPercent, double highPercent) {
    GradientFactors gf;
    gf.low = gradientFactors::kDefaultLow / 100;
    gf.high = gradientFactors::kDefaultHigh / 100;
    if (!gradientFactors::usable(lowPercent, highPercent)) {
        gf.fromPreferences = false;
        return gf;
    }
    gf.low = lowPercent / 100;
    gf.high = highPercent / 100;
    return gf;
}

GradientFactors GradientFactors::read(const SettingsStore& settings) {
    // A store without the keys registered keeps the usual pair, without a word.
    auto number = [&](const char* key, double otherwise) {
        return settings.value(key) ? settings.numberForKey(key) : otherwise;
    };
    return of(number(gradientFactors::kLowKey, gradientFactors::kDefaultLow),
              number(gradientFactors::kHighKey, gradientFactors::kDefaultHigh));
}

}  // namespace divelog
