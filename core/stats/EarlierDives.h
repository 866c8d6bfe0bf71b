#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"
#include "util/NumberCheck.h"

namespace divelog {

// The totals of the dives a diver made before this logbook, kept once per
// user under the setting "statistics values" and shared by every logbook.
// Counts and totals that were never entered read as 0; the four extremes
// ("prof max", "temps max", "temperature min", "temperature max") are
// absent until entered, so an empty field never passes for a measurement.
class EarlierDives {
public:
    static constexpr const char* kSettingsKey = "statistics values";

    // The 36 keys in the order of the editor.
    static std::span<const std::string_view> keys();
    static bool isExtreme(std::string_view key);
    // What a key's field accepts: whole numbers a diver's past fits in (counts,
    // depths in metres, minutes, degrees Celsius).
    static NumberRule rule(std::string_view key);

    EarlierDives() = default;
    explicit EarlierDives(SettingDictionary values) : values_(std::move(values)) {}

    static EarlierDives read(const SettingsStore& store);
    void store(SettingsStore& store) const;

    // 0 for an absent key; the stored number truncated to a whole one.
    long long count(std::string_view key) const;
    // None for an absent key.
    std::optional<long long> extreme(std::string_view key) const;
    // Sets a key; none removes it (an extreme left blank).
    void set(std::string_view key, std::optional<double> value);

    // The diver said there were earlier dives: their extremes apply.
    bool entered() const { return count("total plongees") > 0; }
    const SettingDictionary& values() const { return values_; }

private:
    SettingDictionary values_;
};

}  // namespace divelog
