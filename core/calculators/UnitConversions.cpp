#include "calculators/UnitConversions.h"

#include "dive/Units.h"

namespace divelog::units {

namespace {

constexpr Unit kPressure[] = {{"bar", 1, 0, "barField"}, {"psi", 1 / kBarPerPsi, 0, "psiField"}};
constexpr Unit kVolume[] = {{"litres", 1, 0, "litresField"},
                            {"cubic feet", 1 / kLitresPerCubicFoot, 0, "cubicFeetUSField"},
                            {"cubic inches", kCubicInchesPerLitre, 0, "cubicInchesUSField"}};
constexpr Unit kLength[] = {{"metres", 1, 0, "metresField"},
                            {"feet", 1 / kMetresPerFoot, 0, "feetField"}};
constexpr Unit kMass[] = {{"kilograms", 1, 0, "kilogrammeField"},
                          {"pounds", 1 / kKilogramsPerPound, 0, "livreUSField"}};
constexpr Unit kTemperature[] = {
    {"celsius", 1, 0, "celsiusField"},
    {"fahrenheit", kFahrenheitPerCelsius, kZeroCelsiusInFahrenheit, "farenheitField"},
    {"kelvin", 1, kZeroCelsiusInKelvin, "kelvinField"}};

}  // namespace

std::string_view tabId(Quantity q) {
    switch (q) {
        case Quantity::Pressure: return "pression";
        case Quantity::Volume: return "volume";
        case Quantity::Length: return "longueur";
        case Quantity::Mass: return "masse";
        case Quantity::Temperature: return "temperature";
    }
    return {};
}

std::string_view sourceChoice(Quantity q) {
    switch (q) {
        case Quantity::Pressure: return "choixPressionMatrix";
        case Quantity::Volume: return "choixVolumeMatrix";
        case Quantity::Length: return "choixLongueurMatrix";
        case Quantity::Mass: return "choixMasseMatrix";
        case Quantity::Temperature: return "choixTemperatureMatrix";
    }
    return {};
}

std::span<const Unit> unitsOf(Quantity q) {
    switch (q) {
        case Quantity::Pressure: return kPressure;
        case Quantity::Volume: return kVolume;
        case Quantity::Length: return kLength;
        case Quantity::Mass: return kMass;
        case Quantity::Temperature: return kTemperature;
    }
    return {};
}

Answer convert(Quantity q, std::size_t from, double value) {
    const auto units = unitsOf(q);
    if (from >= units.size()) return refused(Why::OutOfRange);
    const double base = (value - units[from].offset) / units[from].perBase;
    // -459.67 °F lands a rounding below -273.15 °C; it is still absolute zero.
    if (q == Quantity::Temperature && base < -kZeroCelsiusInKelvin - 1e-9)
        return refused(Why::BelowAbsoluteZero);
    std::vector<double> out;
    for (std::size_t i = 0; i < units.size(); ++i)
        out.push_back(i == from ? value : base * units[i].perBase + units[i].offset);
    return answerOf(std::move(out));
}

std::string valueText(double value) { return formatText("%.8g", {value}); }

}  // namespace divelog::units
