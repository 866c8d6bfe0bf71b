#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "profile/CylinderUse.h"
#include "profile/GasConsumption.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileModelText.h"
#include "profile/ProfileSummary.h"
#include "profile/RepetitiveDives.h"

namespace divelog {

// A stage or bail-out cylinder beside the form: its title (stages only),
// its volumes as text (empty with no volume) and its gauge.
struct CylinderReadout {
    std::string title;
    std::string text;
    CylinderUse use;
};

// The highest oxygen partial pressure breathed; the CNS clock fills the rest.
struct OxygenExposure {
    std::optional<double> highestPpO2;  // bar; none for a closed circuit without set point
    double diveTime = 0;                // minutes, as typed
    std::optional<double> cnsPercent;
    std::string text;  // "CNS", or its "N/A" form without a set point
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
    bool setPointEnabled = false;  // only a closed circuit breathes at a set point

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
    ProfileSummaryText profileText;
    OxygenExposure oxygen;
    // The profile worked out sample by sample (none before the first refresh),
    // the tissues it started with and what the side panel and sheet say of it.
    std::shared_ptr<const ProfileModel> model;
    TissueStart tissueStart;
    ProfileModelText modelText;
    GasConsumption gas;
    std::string consumption;  // "Gas status" or "Gas status error"

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
