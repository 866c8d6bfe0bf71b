#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveValues.h"
#include "profile/ProfileChart.h"

namespace divelog {

class Localisation;
class SettingsStore;
struct Statistics;

// The graph data: the share of dives in each depth band and gas family, in
// percent, as the statistics count them (earlier dives included when they
// are counted there).
struct StatisticsShares {
    std::array<float, 7> depth{};
    std::array<float, 4> gas{};  // air, nitrox, trimix, heliox

    static StatisticsShares of(const Statistics& s);
    friend bool operator==(const StatisticsShares&, const StatisticsShares&) = default;
};

// The graph settings, read at each redraw.
struct StatisticsChartLook {
    std::optional<Colour> background;
    double backgroundAlpha = 0.5;
    bool grid = true;      // "gradient yes" and "dashed lines" both on
    bool usUnits = false;  // the depth bands named in feet

    static StatisticsChartLook read(const SettingsStore& store);
};

struct StatisticsBar {
    enum class Fill {
        Depth,   // blue
        Air,     // white
        Nitrox,  // green
        Helium,  // brown: trimix and heliox
    };
    double x0 = 0, x1 = 0;  // left and right
    double top = 0;         // the base is the time axis, `StatisticsChart::baseY`
    Fill fill = Fill::Depth;
    float share = 0;
};

struct StatisticsChartText {
    enum class Align { Left, Centre, Right };
    std::string text;
    ChartPoint at;  // the baseline's anchor
    Align align = Align::Left;
};

// Both bar charts on one pair of axes, in the view's own points, origin at
// the lower left and y upwards, laid out for any size. At the default size
// it is the classic chart: axes from (50, 50), 400 points for 100 %, bars 60
// wide from x = 80 for the depth bands and x = 600 for the gases.
struct StatisticsChart {
    static constexpr double kDefaultWidth = 900;
    static constexpr double kDefaultHeight = 480;

    double width = kDefaultWidth, height = kDefaultHeight;
    double baseY = 50;                       // the horizontal axis
    double fullY = 450;                      // where 100 % reaches
    std::vector<ChartLine> axes;             // black, 1 point
    std::vector<ChartLine> ticks;            // black, 1 point
    std::vector<ChartLine> grid;             // dashed 5 on 3 off; empty when switched off
    std::vector<StatisticsBar> bars;         // seven depth bands, then air, nitrox, trimix, heliox
    std::vector<StatisticsChartText> texts;  // axis labels, categories, bar values
};

StatisticsChart layoutStatisticsChart(const StatisticsShares& shares,
                                      const StatisticsChartLook& look, double width, double height,
                                      const Localisation& texts);

}  // namespace divelog
