#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calculators/CalcAnswer.h"

namespace divelog::datum {

// Positions between the ED50 datum (International 1924 ellipsoid) and WGS84.
// Degrees with east and north positive; heights in metres on the ellipsoid.

struct Dms {
    double degrees = 0, minutes = 0, seconds = 0;
};
// The sign of the degrees, "-0" included, is the sign of the whole value:
// -4° 30' is -4.5°, as charts and receivers write west and south. Nullopt
// when the minutes or seconds are outside 0 to less than 60.
std::optional<double> decimalDegrees(const Dms& dms);

// One line of the step-by-step trace: a heading, or a label and its value.
struct TraceLine {
    std::string label;
    std::string value;
    bool heading = false;
    bool gapBefore = false;  // a blank line before it
};

// Seven-parameter Helmert conversion from ED50 to WGS84. The answer holds
// longitude, latitude and height; the trace is empty when it is refused.
struct SevenParameters {
    Answer answer;
    std::vector<TraceLine> trace;
};
SevenParameters ed50ToWgs84(const Dms& longitude, const Dms& latitude, double height);

// Three-parameter shift, either way, for decimal degrees (the pop-up's tags).
enum class Direction { Ed50ToWgs84 = 0, Wgs84ToEd50 = 1 };
Answer threeParameters(Direction direction, double longitude, double latitude, double height);

// Output fields, from an answer that is ok. Heights carry their unit; the
// field's label says what they are.
struct OutputTexts {
    std::string longitude, latitude, height;
};
// "WGS84 -4° 30' 0.000''": the sign, then the absolute degrees, minutes and
// seconds, rounded as a whole so the seconds never show 60.000.
OutputTexts sevenParameterTexts(const Answer& answer);
OutputTexts threeParameterTexts(const Answer& answer);

}  // namespace divelog::datum
