#pragma once

#include <string>

#include "util/StyledText.h"

namespace divelog {

class Localisation;
struct Statistics;
struct StatisticsTexts;

// The statistics as a styled report: a green heading, the dive count in
// blue, then the dive types, gases, depth bands and extremes, each section
// title red and underlined, each line a black label with its blue figures;
// the file and the date it was made last, in green.
class StatisticsReport {
public:
    struct Source {
        std::string filePath;  // empty for a logbook never saved
        std::string madeOn;    // the date and time, as the user reads them
    };

    static StyledText build(const Statistics& s, const StatisticsTexts& figures,
                            const Localisation& texts, const Source& source);
};

}  // namespace divelog
