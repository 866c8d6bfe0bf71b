#include "registers/ClockDuration.h"

#include <cmath>
#include <cstdio>

namespace divelog {

namespace {
constexpr double kDay = 86400;
}

ClockDuration ClockDuration::of(Date date) {
    // A damaged file may hold any double; NaN and infinities read as no time.
    if (!std::isfinite(date.seconds)) return {};
    double inDay = std::fmod(date.seconds, kDay);
    if (inDay < 0) inDay += kDay;
    const int minutes = static_cast<int>(inDay / 60);
    return {minutes / 60 % 24, minutes % 60};
}

Date ClockDuration::date() const { return Date{hours * 3600.0 + minutes * 60.0}; }

std::string durationText(const std::optional<Date>& date) {
    if (!date) return std::string();
    const ClockDuration d = ClockDuration::of(*date);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", d.hours, d.minutes);
    return buf;
}

}  // namespace divelog
