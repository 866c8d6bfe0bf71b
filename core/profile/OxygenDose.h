#pragma once

#include <optional>

namespace divelog {

// What oxygen did over a dive, minute by minute: the share of the NOAA
// single-exposure limits used (CNS %) and the pulmonary dose (OTU). Unlike
// the logbook's CNS clock, which takes the whole dive at its highest partial
// pressure, each interval counts at the pressure breathed then.
struct OxygenDose {
    double cnsPercent = 0;
    double otu = 0;

    // The NOAA limit in minutes at a partial pressure, interpolated between
    // the table's pressures; none at or below 0.5 bar, where the clock
    // stands still. Between 0.5 and 0.6 bar the 0.6 bar limit holds; above
    // 1.6 bar, where the table ends, its 45 minutes (the profile warns).
    static std::optional<double> limitMinutes(double ppO2);
    // ((ppO2 - 0.5) / 0.5)^0.83 above 0.5 bar, else 0.
    static double otuPerMinute(double ppO2);

    void add(double ppO2, double minutes);
};

}  // namespace divelog
