#include "stats/EarlierDives.h"

#include <array>
#include <cmath>

namespace divelog {

namespace {

constexpr std::array<std::string_view, 36> kKeys = {"bio",
                                                    "carriere",
                                                    "derivante",
                                                    "epaves",
                                                    "explo",
                                                    "formation",
                                                    "nocturne",
                                                    "photo",
                                                    "recuperation",
                                                    "glace",
                                                    "speleo",
                                                    "tek",
                                                    "travail",
                                                    "video",
                                                    "autre",
                                                    "co",
                                                    "scr",
                                                    "ccr",
                                                    "air",
                                                    "nitrox",
                                                    "trimix",
                                                    "heliox",
                                                    "prof_1",
                                                    "prof_2",
                                                    "prof_3",
                                                    "prof_4",
                                                    "prof_5",
                                                    "prof_6",
                                                    "prof_7",
                                                    "prof max",
                                                    "temps max",
                                                    "temperature min",
                                                    "temperature max",
                                                    "total profondeur",
                                                    "total temps",
                                                    "total plongees"};

// A stored number as a whole one; a value no count can be (nan, huge) is 0.
long long whole(double v) {
    if (!std::isfinite(v) || std::fabs(v) > 1e15) return 0;
    return static_cast<long long>(std::trunc(v));
}

}  // namespace

std::span<const std::string_view> EarlierDives::keys() { return kKeys; }

bool EarlierDives::isExtreme(std::string_view key) {
    return key == "prof max" || key == "temps max" || key == "temperature min" ||
           key == "temperature max";
}

NumberRule EarlierDives::rule(std::string_view key) {
    if (key == "prof max") return {false, false, false, 3, 0, 400};
    if (key == "temps max") return {false, false, false, 4, 0, 1440};
    if (key == "temperature min" || key == "temperature max")
        return {false, true, false, 2, -5, 40};
    if (key == "total profondeur" || key == "total temps")
        return {false, false, false, 8, 0, 99999999};
    return {false, false, false, 6, 0, 100000};  // dives
}

EarlierDives EarlierDives::read(const SettingsStore& store) {
    return EarlierDives(store.dictionaryForKey(kSettingsKey));
}

void EarlierDives::store(SettingsStore& store) const { store.setDictionary(kSettingsKey, values_); }

long long EarlierDives::count(std::string_view key) const {
    auto it = values_.find(std::string(key));
    return it == values_.end() ? 0 : whole(it->second);
}

std::optional<long long> EarlierDives::extreme(std::string_view key) const {
    auto it = values_.find(std::string(key));
    if (it == values_.end()) return std::nullopt;
    return whole(it->second);
}

void EarlierDives::set(std::string_view key, std::optional<double> value) {
    if (value)
        values_[std::string(key)] = *value;
    else
        values_.erase(std::string(key));
}

}  // namespace divelog
