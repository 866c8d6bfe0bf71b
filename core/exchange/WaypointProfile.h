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
    std::array<std::int32_t, 4> alarms{};  // ASC, SLOW, SURF, CEIL flags
};

// The logbook keeps a profile as samples at one fixed interval, sample i at
// i intervals after the start. Waypoints become that: when their times rise
// they are resampled at the interval of the code nearest to their usual step
// (kept as they are when they already lie on it), with the surface at time 0
// before a first waypoint that comes later; when times are missing, go
// backwards or repeat, they are kept one sample each in file order.
// Pressures follow the samples; a sample without a reading holds 0, the
// logbook's "no reading".
struct WaypointProfile {
    ProfileSeries series;  // placeholders filled
    std::optional<std::int32_t> samplingCode;
    bool inFileOrder = false;  // times were not usable
    bool cut = false;          // too long a dive for its samples: the end was cut
    std::size_t samples() const { return series.profilProfondeur.size(); }

    // None for no waypoint at all.
    static std::optional<WaypointProfile> of(const std::vector<Waypoint>& points);
};

}  // namespace divelog
