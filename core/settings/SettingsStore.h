#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "archive/ArchiveValues.h"

namespace divelog {

using SettingList = std::vector<std::string>;
using SettingDictionary = std::map<std::string, double>;
using SettingData = std::vector<std::uint8_t>;
using SettingValue =
    std::variant<bool, double, std::string, SettingList, SettingDictionary, SettingData>;

// The per-user key/value store. Implementations only keep stored values;
// registered defaults live here, in memory, and answer for absent keys only,
// so registering again at the next launch never hides a stored value.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<SettingValue> storedValue(const std::string& key) const = 0;
    virtual void store(const std::string& key, const SettingValue& value) = 0;
    virtual void remove(const std::string& key) = 0;

    void registerDefaults(const std::map<std::string, SettingValue>& defaults);
    // The stored value, else the registered default, else nothing.
    std::optional<SettingValue> value(const std::string& key) const;
    bool hasStoredValue(const std::string& key) const { return storedValue(key).has_value(); }

    // Typed reads: an absent boolean is false; an absent or non-numeric
    // number is 0 (a text holding a number counts as that number).
    bool boolForKey(const std::string& key) const;
    double numberForKey(const std::string& key) const;
    std::string stringForKey(const std::string& key) const;
    SettingList listForKey(const std::string& key) const;
    SettingDictionary dictionaryForKey(const std::string& key) const;
    SettingData dataForKey(const std::string& key) const;
    // Colours are kept as the archive of one colour value; bytes that do not
    // decode give no colour.
    std::optional<Colour> colourForKey(const std::string& key) const;

    void setBool(const std::string& key, bool v) { store(key, v); }
    void setNumber(const std::string& key, double v) { store(key, v); }
    void setString(const std::string& key, std::string v) { store(key, std::move(v)); }
    void setList(const std::string& key, SettingList v) { store(key, std::move(v)); }
    void setDictionary(const std::string& key, SettingDictionary v) { store(key, std::move(v)); }
    void setData(const std::string& key, SettingData v) { store(key, std::move(v)); }
    void setColour(const std::string& key, const Colour& c);

private:
    std::map<std::string, SettingValue> registered_;
};

// A store that lives in memory only: for tests and the command-line tool.
class InMemorySettingsStore : public SettingsStore {
public:
    std::optional<SettingValue> storedValue(const std::string& key) const override;
    void store(const std::string& key, const SettingValue& value) override;
    void remove(const std::string& key) override;

private:
    std::map<std::string, SettingValue> values_;
};

}  // namespace divelog
