#pragma once

#include <cstdint>

// The units a diver types and files carry, stated once: the factors, the
// conversions and the value that says a temperature was not given. The
// logbook stores values as typed; "us units" says they are feet and degrees
// Fahrenheit, and whoever computes in metres and Celsius converts here.
namespace divelog::units {

inline constexpr double kMetresPerFoot = 0.3048;          // international foot, exact
inline constexpr double kKilogramsPerPound = 0.45359237;  // international pound, exact
inline constexpr double kBarPerPsi = 0.0689475729;        // 6894.757 Pa
inline constexpr double kPascalsPerBar = 1e5;
inline constexpr double kZeroCelsiusInKelvin = 273.15;
inline constexpr double kZeroCelsiusInFahrenheit = 32.0;
inline constexpr double kFahrenheitPerCelsius = 9.0 / 5.0;
// The international inch (25.4 mm) makes a litre 61.023744 cubic inches, to
// the digits divers print; a cubic foot is 1728 cubic inches.
inline constexpr double kCubicInchesPerLitre = 61.023744;
inline constexpr double kLitresPerCubicFoot = 1728.0 / kCubicInchesPerLitre;

// A dive's water or air temperature that nobody recorded, in either unit.
inline constexpr std::int32_t kNoTemperature = -50;

constexpr double metresOfFeet(double feet) { return feet * kMetresPerFoot; }
constexpr double feetOfMetres(double metres) { return metres / kMetresPerFoot; }
constexpr double celsiusOfFahrenheit(double f) {
    return (f - kZeroCelsiusInFahrenheit) * 5.0 / 9.0;
}
constexpr double fahrenheitOfCelsius(double c) { return c * 9.0 / 5.0 + kZeroCelsiusInFahrenheit; }
constexpr double celsiusOfKelvin(double k) { return k - kZeroCelsiusInKelvin; }
constexpr double kelvinOfCelsius(double c) { return c + kZeroCelsiusInKelvin; }
constexpr double barOfPsi(double psi) { return psi * kBarPerPsi; }
constexpr double psiOfBar(double bar) { return bar / kBarPerPsi; }

// Metres of a typed depth: feet under "us units".
constexpr double metresOfTypedDepth(double depth, bool usUnits) {
    return usUnits ? metresOfFeet(depth) : depth;
}
// Degrees Celsius of a typed temperature: Fahrenheit under "us units".
constexpr double celsiusOfTyped(double temperature, bool usUnits) {
    return usUnits ? celsiusOfFahrenheit(temperature) : temperature;
}

}  // namespace divelog::units
