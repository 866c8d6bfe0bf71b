#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace divelog {

// A pressure gauge beside a stage or bail-out cylinder.
struct GaugeReadout {
    bool visible = false;
    std::int32_t maximum = 0;  // start pressure
    std::int32_t value = 0;    // end pressure
    std::int32_t ticks = 0;    // start pressure / 10
};

struct CylinderReadout {
    std::string title;  // stage cylinders only
    std::string text;   // available and used volume; empty with no volume
    GaugeReadout gauge;
};

// Derived from the working profile; the counts are over the depth samples.
struct ProfileSummary {
    float maxDepth = 0;
    float meanDepth = 0;          // the document's average depth, for consumption
    std::size_t points = 0;       // 0 below two samples: a placeholder is no data
    std::int64_t slowCount = 0;   // ascent-rate warnings
    std::int64_t ceilCount = 0;   // ceiling alarms
    std::int64_t surfacings = 0;  // a flag on the last sample is no surfacing
    std::int64_t gasSwitches = 0;
    std::string depthText;     // "Max and average depth"
    std::string samplingText;  // "Sampling rate"
    std::string pointsText;    // "Recorded points"
};

// What the CNS computation takes; it fills `cnsPercent` and `text` ("CNS").
struct OxygenExposure {
    float highestPpO2 = 0;  // bar
    double diveTime = 0;    // minutes, as typed
    std::optional<double> cnsPercent;
    std::string text;
};

// Everything a refresh of the dive form shows besides the controls. Titles
// that a refresh may leave alone keep their previous text, as labels do.
struct FormReadouts {
    std::string diveCount;
    bool previousEnabled = false;
    bool nextEnabled = false;

    std::string cylinder1Title = "Bloc principal :";
    std::string cylinder2Title = "Bloc secondaire :";
    std::string setPointTitle = "PpO2";

    bool flowEnabled = false;
    bool oxygenEnabled = false;  // cylinder 1, by its gas
    bool heliumEnabled = false;
    bool oxygen2Enabled = false;  // cylinder 2, by its own gas
    bool helium2Enabled = false;

    bool planningDetailsEnabled = false;
    bool stageButtonEnabled = false;
    bool bailoutButtonEnabled = false;

    std::array<CylinderReadout, 3> stages{
        {{"Pony 1", {}, {}}, {"Pony 2", {}, {}}, {"Pony 3", {}, {}}}};
    std::array<CylinderReadout, 2> bailouts{};

    // Start minus end of the two main cylinders ("Delta pressure").
    std::array<std::int64_t, 2> usedPressure{};
    std::array<std::string, 2> usedPressureText;

    ProfileSummary profile;
    OxygenExposure oxygen;
    // Filled by the consumption computation once it exists; empty until then.
    std::string consumption;

    std::string gasSummary;
    std::string windowTitle;
    std::string temperatureUnit;
    std::string depthUnit;
    std::string difficulty;
    // The profile window's title and location line.
    std::string profileTitle;
    std::string profileLocation;
};

}  // namespace divelog
