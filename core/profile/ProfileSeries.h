#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace divelog {

class Plongee;

// The seven series, by name; code that goes over them uses these, never a
// loop position, since the windows list them in their own orders.
enum class SeriesId { Depth, Ascent, Slow, Surface, Ceiling, Gas, Pressure };

struct SeriesInfo {
    SeriesId id;
    std::string_view field;  // the dive record's field
    bool decimal;            // depths and pressures; the others are whole numbers
};

// The seven per-sample series of a dive: depths in metres, four event flags,
// the gas-switch code and the cylinder pressure in bar. A series of fewer
// than two entries holds no data; stored series are never empty.
struct ProfileSeries {
    std::vector<double> profilProfondeur;
    std::vector<std::int32_t> ASC_Flag, SLOW_Flag, SURF_Flag, CEIL_Flag, GAZ_Flag;
    std::vector<double> PRESS_Data;

    // The series of a dive record. A record from before gas switches were
    // recorded gets one 0 per depth sample; empty series get placeholders.
    static ProfileSeries of(const Plongee& dive);
    // Gives each empty series its one-entry placeholder (0.0 or 0).
    void fillPlaceholders();
    // Copies the series into the record, placeholders first.
    void storeInto(Plongee& dive) const;

    // The series in the order the profile-data window lists them: depth, the
    // stop, ascent, surfacing and ceiling flags, gas switches, pressure.
    static std::span<const SeriesInfo> series();
    static const SeriesInfo& info(SeriesId id);

    // Entries of a series, as decimals (flags widened); and the count.
    std::size_t size(SeriesId id) const;
    std::vector<double> values(SeriesId id) const;
    // Replaces a series; flags take the whole part of each value.
    void setValues(SeriesId id, const std::vector<double>& values);
    std::vector<std::int32_t>& flags(SeriesId id);
    const std::vector<std::int32_t>& flags(SeriesId id) const;

    friend bool operator==(const ProfileSeries&, const ProfileSeries&) = default;
};

}  // namespace divelog
