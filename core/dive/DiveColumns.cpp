#include "dive/DiveColumns.h"

#include <array>

namespace divelog {

namespace {

using F = Plongee::Field;

// The apparatus column starts hidden: most divers breathe open circuit.
constexpr std::array<DiveColumn, 15> kColumns = {{
    {F::noPlongee, "column numero", "Number", true, true},
    {F::date, "column date", "Date", true, true},
    {F::lieu, "column lieu", "Location", true, true},
    {F::site, "column site", "Site", true, true},
    {F::heure, "column heure", "Time", true, true},
    {F::profondeur, "column profondeur", "Depth", true, true},
    {F::temps, "column temps", "Duration", true, true},
    {F::tempEau, "column temp eau", "Water", true, true},
    {F::deco, "column deco", "Deco", true, true},
    {F::coeff, "column coeff", "Tide coef.", true, true},
    {F::visibilite, "column visibilite", "Visibility", true, true},
    {F::epaves, "column_epave", "Wreck", true, false},
    {F::inoubliable, "column inoubliable", "Mark", true, true},
    {F::gaz, "column gaz", "Gas", true, true},
    {F::rebreather, "column scaph", "Apparatus", false, true},
}};

}  // namespace

std::span<const DiveColumn> DiveColumns::all() { return kColumns; }

const DiveColumn* DiveColumns::of(Plongee::Field field) {
    for (const auto& c : kColumns)
        if (c.field == field) return &c;
    return nullptr;
}

const DiveColumn* DiveColumns::withKey(std::string_view key) {
    for (const auto& c : kColumns)
        if (c.visibilityKey == key) return &c;
    return nullptr;
}

const std::vector<std::string>& DiveColumns::visibilityKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (bool preferences : {true, false})
            for (const auto& c : kColumns)
                if (c.inPreferences == preferences) k.emplace_back(c.visibilityKey);
        return k;
    }();
    return keys;
}

}  // namespace divelog
