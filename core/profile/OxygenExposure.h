#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace divelog {

class Plongee;
struct ProfileSummary;

// What the highest oxygen partial pressure of a dive depends on, in metres
// and percent. Typed depths follow the "us units" setting; profile samples
// are metres whatever it says.
struct OxygenInputs {
    struct Stop {
        bool made = false;
        double o2Percent = 0;
        double depthMetres = 0;
    };

    double bottomO2Percent = 0;
    double maxDepthMetres = 0;  // the deepest sample, or the typed depth without a profile
    std::int32_t apparatus = 0;
    std::int32_t setPointCode = 0;
    std::array<Stop, 5> stops{};

    // From a stored dive and the summary of its profile.
    static OxygenInputs of(const Plongee& dive, const ProfileSummary& summary, bool usUnits);
};

// The highest partial pressure of oxygen breathed, in bar: the bottom gas at
// the deepest point (for a closed circuit its set point, never above the
// ambient pressure) or a stop gas that was switched on, 10 m of water per bar.
// None for a closed circuit whose set point was not given.
std::optional<double> highestPpO2(const OxygenInputs& in);

}  // namespace divelog
