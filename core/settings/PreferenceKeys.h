#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveValues.h"
#include "settings/SettingsStore.h"
#include "util/NumberCheck.h"

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

// The values a typed preference may take, and the message (table "Main")
// given with the minimum, the maximum and the refused text.
struct PreferenceRange {
    double minimum, maximum;
    std::string_view messageKey;
    NumberRule typing;
};

// One settings key and the values it takes. `reset` is what the preferences
// window's reset command gives it (absent when reset leaves it alone). A
// number typed for a key with a range is refused outside it.
struct PreferenceKey {
    std::string key;
    PreferenceType type;
    std::optional<SettingValue> registered;
    std::optional<SettingValue> reset;
    std::optional<PreferenceRange> range{};
};

// Every preference key of the system (pick-list keys excepted).
const std::vector<PreferenceKey>& preferenceKeys();
const PreferenceKey* preferenceKey(const std::string& key);

// The fifteen dive-table column switches: the fourteen that the preferences
// save, in column order, then "column_epave" that only the logbook writes.
const std::vector<std::string>& columnKeys();

SettingValue colourValue(const Colour& c);

// The gradient factors of the tissue model, in percent: each from 10 to 100,
// the low one at or under the high one.
namespace gradientFactors {
inline constexpr const char* kLowKey = "gf low";
inline constexpr const char* kHighKey = "gf high";
inline constexpr double kDefaultLow = 30, kDefaultHigh = 85;
inline constexpr double kLeast = 10, kMost = 100;
bool usable(double lowPercent, double highPercent);
}  // namespace gradientFactors

}  // namespace divelog
