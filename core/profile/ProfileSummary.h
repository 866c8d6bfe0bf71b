#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "profile/ProfileSeries.h"

namespace divelog {

class Localisation;

// What a dive's series add up to. Depths are single precision, as the
// consumption and exposure figures expect; counts are over the depth samples.
struct ProfileSummary {
    float maxDepth = 0;
    float meanDepth = 0;          // the average depth that consumption uses
    std::size_t points = 0;       // 0 below two samples: a placeholder is no data
    std::int64_t slowCount = 0;   // ascent-rate warnings
    std::int64_t ceilCount = 0;   // ceiling alarms
    std::int64_t surfacings = 0;  // a flag on the last sample is no surfacing
    std::int64_t gasSwitches = 0;

    static ProfileSummary of(const ProfileSeries& series);
    friend bool operator==(const ProfileSummary&, const ProfileSummary&) = default;
};

// The summary as the side panels show it ("Max and average depth",
// "Sampling rate", "Recorded points"; table "Carnet").
struct ProfileSummaryText {
    std::string depth;
    std::string sampling;
    std::string points;

    static ProfileSummaryText of(const ProfileSummary& summary, std::int32_t samplingCode,
                                 const Localisation& texts);
};

}  // namespace divelog
