#pragma once

#include <cstdint>
#include <vector>

namespace divelog {

class Plongee;

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

    friend bool operator==(const ProfileSeries&, const ProfileSeries&) = default;
};

}  // namespace divelog
