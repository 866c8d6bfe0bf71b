#include "settings/SettingsStore.h"

#include <cmath>

#include "archive/BinaryArchive.h"
#include "util/Numbers.h"

namespace divelog {

void SettingsStore::registerDefaults(const std::map<std::string, SettingValue>& defaults) {
    for (const auto& [k, v] : defaults) registered_[k] = v;
}

std::optional<SettingValue> SettingsStore::value(const std::string& key) const {
    if (auto v = storedValue(key)) return v;
    auto it = registered_.find(key);
    if (it != registered_.end()) return it->second;
    return std::nullopt;
}

bool SettingsStore::boolForKey(const std::string& key) const {
    auto v = value(key);
    if (!v) return false;
    if (auto b = std::get_if<bool>(&*v)) return *b;
    if (auto d = std::get_if<double>(&*v)) return *d != 0;
    if (auto s = std::get_if<std::string>(&*v)) {
        if (*s == "true" || *s == "YES" || *s == "yes") return true;
        auto n = readDecimal(*s);
        return n && *n != 0;
    }
    return false;
}

double SettingsStore::numberForKey(const std::string& key) const {
    auto v = value(key);
    if (!v) return 0;
    if (auto d = std::get_if<double>(&*v)) return std::isfinite(*d) ? *d : 0;
    if (auto b = std::get_if<bool>(&*v)) return *b ? 1 : 0;
    if (auto s = std::get_if<std::string>(&*v)) return readDecimal(*s).value_or(0);
    return 0;
}

std::string SettingsStore::stringForKey(const std::string& key) const {
    auto v = value(key);
    if (!v) return {};
    if (auto s = std::get_if<std::string>(&*v)) return *s;
    if (auto d = std::get_if<double>(&*v)) return decimalText(*d);
    return {};
}

SettingList SettingsStore::listForKey(const std::string& key) const {
    auto v = value(key);
    if (v)
        if (auto l = std::get_if<SettingList>(&*v)) return *l;
    return {};
}

SettingDictionary SettingsStore::dictionaryForKey(const std::string& key) const {
    auto v = value(key);
    if (v)
        if (auto m = std::get_if<SettingDictionary>(&*v)) return *m;
    return {};
}

SettingData SettingsStore::dataForKey(const std::string& key) const {
    auto v = value(key);
    if (v)
        if (auto d = std::get_if<SettingData>(&*v)) return *d;
    return {};
}

std::optional<Colour> SettingsStore::colourForKey(const std::string& key) const {
    auto v = value(key);
    if (!v) return std::nullopt;
    auto d = std::get_if<SettingData>(&*v);
    if (!d) return std::nullopt;
    return decodeColourArchive(*d);
}

void SettingsStore::setColour(const std::string& key, const Colour& c) {
    store(key, encodeColourArchive(c));
}

std::optional<SettingValue> InMemorySettingsStore::storedValue(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

void InMemorySettingsStore::store(const std::string& key, const SettingValue& value) {
    values_[key] = value;
}

void InMemorySettingsStore::remove(const std::string& key) { values_.erase(key); }

}  // namespace divelog
