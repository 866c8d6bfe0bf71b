#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "profile/Buhlmann.h"
#include "util/Date.h"

namespace divelog {

class Plongee;

// When a dive began, as its record or the form holds it: the day, the time
// of day and the surface interval typed before it.
struct DiveStart {
    Date day;
    Date time;            // only its hours and minutes count
    std::string surface;  // "hh:mm"; "--:--" when not given
    // Where it stands in the logbook (its end for a dive not yet stored):
    // of two dives begun the same minute, the one listed first came first.
    std::size_t row = 0;

    static DiveStart of(const Plongee& dive, std::size_t row);
    // Seconds of the local day and time of day together.
    double startSeconds() const;
};

// The minutes of a typed surface interval ("1:05", "01:05"); none for
// "--:--" or anything else.
std::optional<double> surfaceIntervalMinutes(std::string_view text);

// The tissues a dive starts with. They carry over from the previous dive of
// the same day when the surface interval is known (typed before the dive, or
// between the end of that dive, its start plus its time, and the start of
// this one); otherwise they are saturated at the surface.
struct TissueStart {
    enum class Source {
        Surface,       // no earlier dive that day
        Unknown,       // an earlier dive, but no interval to count from it
        PreviousDive,  // its tissues, after the interval at the surface
    };

    Tissues tissues;
    Source source = Source::Surface;
    std::int32_t previousNumber = 0;
    double intervalMinutes = 0;
    bool intervalTyped = false;   // from the surface field, else from the times
    bool previousSquare = false;  // it had no profile: its depth for its time

    static TissueStart of(const DiveStart& dive, double surfaceBar,
                          std::span<const std::unique_ptr<Plongee>> logbook,
                          std::optional<std::size_t> itself, bool usUnits);
};

}  // namespace divelog
