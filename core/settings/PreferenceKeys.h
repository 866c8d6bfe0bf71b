#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveValues.h"
#include "settings/SettingsStore.h"

namespace divelog {

enum class PreferenceType {
    Boolean,
    Number,
    Text,
    TextOrNumber,  // registered as text, saved from the window as a number
    Colour,
    List,
    Dictionary,
};

// One settings key and the values it takes. `reset` is what the preferences
// window's reset command gives it (absent when reset leaves it alone).
struct PreferenceKey {
    std::string key;
    PreferenceType type;
    std::optional<SettingValue> registered;
    std::optional<SettingValue> reset;
};

// Every preference key of the system (pick-list keys excepted).
const std::vector<PreferenceKey>& preferenceKeys();
const PreferenceKey* preferenceKey(const std::string& key);

// The fifteen dive-table column switches: the fourteen that the preferences
// save, in column order, then "column_epave" that only the logbook writes.
const std::vector<std::string>& columnKeys();

SettingValue colourValue(const Colour& c);

}  // namespace divelog
