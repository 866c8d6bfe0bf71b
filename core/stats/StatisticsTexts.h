#pragma once

#include <array>
#include <string>

#include "stats/Statistics.h"

namespace divelog {

class Localisation;

// Every figure of the statistics as the window and the report show it
// (table "Carnet"). A figure nothing measured reads "-".
struct StatisticsTexts {
    static constexpr const char* kNone = "-";

    std::string state;  // "Total dives" with N
    std::array<std::string, kStatCategoryCount> counts;
    std::array<std::string, kStatCategoryCount> shares;  // "%.1f %%"
    std::string maxDepth, meanDepth, depthTotal;         // "%d m"
    std::string maxTime, meanTime;                       // "%d min."
    std::string timeTotal;                               // hours, minutes, then minutes again
    std::string minTemperature, maxTemperature, meanTemperature;  // "Celsius" or "Farenheit"
    std::string highestOtu, otuTotal;                             // "%.0f OTU"
    // The categories' names (depth bands in the diver's units).
    std::array<std::string, kStatCategoryCount> titles;
    bool usUnits = false;  // depths in feet, temperatures in °F

    const std::string& count(StatCategory c) const { return counts[static_cast<std::size_t>(c)]; }
    const std::string& share(StatCategory c) const { return shares[static_cast<std::size_t>(c)]; }

    // The figures are metres and °C; a logbook kept in feet shows feet and °F.
    static StatisticsTexts of(const Statistics& s, const Localisation& texts, bool usUnits = false);
};

}  // namespace divelog
