#pragma once

#include <optional>
#include <string>

#include "archive/ArchiveValues.h"
#include "settings/SettingsStore.h"

namespace divelog {

// The settings that decide how dive-table cells read and look, taken from
// the store in one go when the table is about to be drawn; a colour that does
// not decode is absent and its rule changes nothing.
struct TableAppearance {
    bool displayUnits = true;
    bool usUnits = false;
    bool depthTimeInColor = true;
    std::optional<Colour> depthColor, timeColor;
    bool colorItem = false;
    std::string colouredText;
    int colouredTheme = 0;
    bool lowTemperatureInColor = false;
    int lowTemperatureValue = 0;
    std::optional<Colour> lowTemperatureColor;
    bool mixInColor = false;
    bool foreignInColor = false;
    std::optional<Colour> foreignColor;
    bool nocturnesInColor = false;
    std::string countryCode;

    static TableAppearance read(const SettingsStore& store);
};

}  // namespace divelog
