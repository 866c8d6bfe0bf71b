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
    std::string minTemperature, maxTemperature, meanTemperature;  // "Celsius"

    const std::string& count(StatCategory c) const { return counts[static_cast<std::size_t>(c)]; }
    const std::string& share(StatCategory c) const { return shares[static_cast<std::size_t>(c)]; }

    static StatisticsTexts of(const Statistics& s, const Localisation& texts);
};

}  // namespace divelog
