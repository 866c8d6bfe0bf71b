#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "profile/ProfileSeries.h"

namespace divelog {

// One timed sample of a foreign file: UDDF waypoints, UDCF samples with
// their own times.
struct Waypoint {
    double seconds = NAN;  // NAN: the file gave no time
    double metres = 0;
    double bar = NAN;                      // cylinder pressure; NAN: none at this point
    std::array<std::uint8_t, 4> alarms{};  // ASC, SLOW, SURF, CEIL flags, 0 or 1
    std::int32_t gas = 0;                  // the gas-switch code from here on; 0: none
};

// The logbook keeps a profile as samples at one fixed interval, sample i at
// i intervals after the start. Waypoints become that: when their times rise
// they are resampled at the interval of the code nearest to their usual step
// (kept as they are when they already lie on it), with the surface at time 0
// before a first waypoint that comes later, and the last waypoint kept as the
// last sample even off the interval's grid; when times are missing or go
// backwards, they are kept one sample each in file order. A waypoint at the
// time of the one before it is the same instant and replaces it (a dive
// computer that writes its last sample twice). Pressures follow the
// samples; a sample without a reading holds 0, the logbook's "no reading".
struct WaypointProfile {
    ProfileSeries series;  // placeholders filled
    std::optional<std::int32_t> samplingCode;
    bool inFileOrder = false;  // times were not usable
    bool cut = false;          // too long a dive for its samples: the end was cut
    std::size_t repeated = 0;  // waypoints that replaced one at the same time
    std::size_t samples() const { return series.profilProfondeur.size(); }

    // None for no waypoint at all.
    static std::optional<WaypointProfile> of(std::vector<Waypoint> points);
};

}  // namespace divelog
