#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveValues.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileSeries.h"

namespace divelog {

class Localisation;
class Plongee;
class SettingsStore;

// What the profile view draws: the series and the few figures of the dive
// shown in the form.
struct ProfileChartData {
    ProfileSeries series;
    std::int32_t fracO2 = 21;  // bottom gas, %
    std::int32_t setPointCode = 0;
    std::array<std::int32_t, 5> decoO2{};  // the gases of stops 1 to 5, %
    std::int32_t pressDepart = 0, pressFin = 0;
    std::int32_t samplingCode = 0;
    // The tissues and oxygen worked out over the series; without it no
    // ceiling or warning is drawn.
    std::shared_ptr<const ProfileModel> model;

    static ProfileChartData of(const Plongee& dive);
};

// The profile settings, read at each redraw.
struct ProfileChartLook {
    std::optional<Colour> background, fill, plot, gradientLines;
    double backgroundAlpha = 0.5, fillAlpha = 0.5;
    bool gradient = false, fillPlot = true, xMinorTicks = true, yMinorTicks = true;
    bool dashedLines = false, ppO2Line = false;

    static ProfileChartLook read(const SettingsStore& store);
};

struct ChartPoint {
    double x, y;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};
using ChartLine = std::vector<ChartPoint>;

struct ChartText {
    enum class Style {
        Plain,      // tick labels, marker labels
        TimeTitle,  // "Time min": 11 points, black or the grid colour
        Limit,      // the oxygen limit: 11 points, red
        Ceiling,    // the ceiling's legend: dark red
        Warning,    // a warning marker's label, in the marker's colour
    };
    std::string text;
    ChartPoint at;  // the start of the text's baseline
    Style style = Style::Plain;
};

struct ChartImage {
    std::string name;
    ChartPoint at;  // lower-left corner
};

// A warning of the model at the first sample of a run of them; runs of one
// kind closer than a label's width share the first one's marker.
struct ChartWarning {
    enum class Kind { AboveCeiling, HighOxygen, LowOxygen, FastAscent };
    Kind kind;
    ChartPoint at;  // the point of the depth curve it marks
    ChartText label;
};

// Every coordinate, tick and label of the profile view, in the view's own
// points with the origin at the lower left and y upwards. Computed for any
// size; at the default size it is the classic 700 x 620 chart.
struct ProfileChart {
    static constexpr double kDefaultWidth = 700;
    static constexpr double kDefaultHeight = 620;

    double width = kDefaultWidth, height = kDefaultHeight;
    double left = 30;        // the depth axis
    double right = 680;      // the end of the time axis
    double surfaceY = 583;   // depth 0
    double timeAxisY = 143;  // the time axis of the depth graph
    double pointsPerMetre = 1;

    std::vector<ChartLine> axis;       // black, 1 point
    std::vector<ChartLine> ticks;      // grid colour
    std::vector<ChartLine> grid;       // grid colour, dashed 5 on 3 off, 0.5 point
    std::vector<double> gradientRows;  // y of each line of the blue gradient, bottom first
    ChartLine depthCurve;              // closed along the surface, for the fill
    ChartLine surfaceLine;
    std::vector<ChartLine> surfacings;  // green
    ChartLine pressureCurve;            // blue, in the gas bar
    ChartLine oxygenLimit;              // red, dashed 3 on 3 off; empty when not drawn
    std::vector<ChartText> texts;
    std::vector<ChartImage> images;
    ChartLine ceilingArea;  // shaded, closed along the surface; empty without a ceiling
    std::vector<ChartLine> ceilingBreaks;  // the curve where the dive went above the ceiling
    std::vector<ChartWarning> warnings;

    // What the pointer read-out needs, kept so a pointer move scans nothing.
    std::size_t samples = 0;
    double depthScale = 1;  // M: the deepest sample plus 1 m
    double samplingSeconds = 10;

    // The read-out under the pointer at view point (x, y): "Depth time" with
    // the depth and time, or "Depth no value" with the time over the gas bar.
    std::string readout(double x, double y, const Localisation& texts) const;
    // The sample drawn nearest to view x; none without samples.
    std::optional<std::size_t> sampleAt(double x) const;
};

ProfileChart layoutProfileChart(const ProfileChartData& data, const ProfileChartLook& look,
                                double width, double height, const Localisation& texts);

}  // namespace divelog
