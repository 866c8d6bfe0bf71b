#pragma once

#include <optional>
#include <string>

#include "util/Date.h"

namespace divelog {

// A duration kept in a date field as the time of day its hours and minutes
// read (the absorbent time, a compressor service's running time).
//
// Files carry no time zone, so the time of day is read in UTC: 2 h 30 is
// stored as 2001-01-01 02:30 UTC and reads back as 2 h 30 wherever the file
// is opened. Only the time of day counts, whatever day a file stored.
struct ClockDuration {
    int hours = 0;    // 0..23
    int minutes = 0;  // 0..59

    static ClockDuration of(Date date);
    Date date() const;  // on the reference day

    friend bool operator==(const ClockDuration&, const ClockDuration&) = default;
};

// "02:30" for a stored date; empty for an absent one.
std::string durationText(const std::optional<Date>& date);

}  // namespace divelog
