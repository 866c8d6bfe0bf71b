#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace divelog {

class Localisation;
class Plongee;
struct ProfileSummary;

// What the main cylinder gave: the pressure and the gas used, and the
// consumption per minute brought back to the surface. Depths count 10 m of
// water per bar and pressures bar, whatever the units setting. A figure that
// cannot be known (no dive time, no cylinder volume, no profile to take the
// average depth from) is absent rather than infinite or taken at the surface.
struct GasConsumption {
    std::int64_t pressureUsed = 0;  // start - end, bar
    std::int64_t available = 0;     // volume x start, litres
    std::int64_t used = 0;          // volume x (start - end), litres
    double averageDepth = 0;        // metres, from the profile
    std::optional<double> barPerMinute;
    std::optional<double> surfaceLitresPerMinute;
    std::optional<double> surfaceBarPerMinute;
    // A start pressure of 1 bar at least and a dive of a minute at least.
    bool readable = false;

    static GasConsumption of(std::int64_t start, std::int64_t end, std::int64_t minutes,
                             std::int64_t volume, const ProfileSummary& profile);
    static GasConsumption of(const Plongee& dive, const ProfileSummary& profile);

    // "Gas status" ("Gas status US" under US units) or "Gas status error".
    std::string text(const Localisation& texts, bool usUnits) const;
};

}  // namespace divelog
