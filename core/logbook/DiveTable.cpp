#include "logbook/DiveTable.h"

#include <algorithm>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/Units.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

const Colour kBlack{0, 0, 0, 1};
const Colour kWhite{1, 1, 1, 1};
const Colour kYellow{1, 1, 0, 1};
const Colour kGreen{0, 0.7f, 0, 1};
const Colour kBrown{0.6f, 0.4f, 0.2f, 1};
const Colour kGrey{0.5f, 0.5f, 0.5f, 1};
const Colour kRed{1, 0, 0, 1};
const Colour kNightBlue{0, 0, 0.3f, 1};
const Colour kNumberText{0.4f, 0.2f, 0, 1};

bool closedCircuit(const Plongee& d) { return DiveCodes::isClosedCircuit(d.rebreather()); }

void paint(CellStyle& s, bool bold, std::optional<Colour> background, Colour text) {
    s.bold = bold;
    s.background = background;
    s.text = text;
}

}  // namespace

std::vector<Plongee::Field> DiveTable::visibleColumns(const SettingsStore& store) {
    std::vector<Field> v;
    for (const auto& c : DiveColumns::all())
        if (store.boolForKey(std::string(c.visibilityKey))) v.push_back(c.field);
    return v;
}

void DiveTable::writeDefaultColumnSwitches(SettingsStore& store) {
    for (const auto& c : DiveColumns::all()) {
        const std::string key(c.visibilityKey);
        if (!store.hasStoredValue(key)) store.setBool(key, c.shownAtFirst);
    }
}

std::string DiveTable::gasText(const Plongee& d) const {
    const int o1 = d.decoO2_Level_1(), o2 = d.decoO2_Level_2();
    const std::int64_t o2Mix = d.o2Mix(), heMix = d.heMix();
    switch (d.gaz()) {
        case gas::kAir:
            if (o1 < 22 && o2 <= 21 && !closedCircuit(d))
                return DiveCodes::gasShortForm(gas::kAir, 0, 0, texts_);
            if (o1 < 98 && o2 <= 97 && !closedCircuit(d)) return carnet("TableView air Nx");
            if (o1 >= 98 && o2 >= 23) return carnet("TableView air Nx O2");
            if (!closedCircuit(d)) return carnet("TableView air O2");
            // Closed circuit on air diluent: the set point says more than the gas.
            if (DiveCodes::setPointBar(d.ppO2()))
                return DiveCodes::title(Field::ppO2, d.ppO2(), texts_);
            return DiveCodes::title(Field::ppO2, 0, texts_);
        case gas::kNitrox:
            if (d.deco_Level_1_sw() != 0 && o1 >= 98) return "O2";
            return DiveCodes::gasShortForm(gas::kNitrox, o2Mix, heMix, texts_);
        default: {
            std::string text = DiveCodes::gasShortForm(d.gaz(), o2Mix, heMix, texts_);
            return text.empty() ? std::to_string(d.gaz()) : text;
        }
    }
}

CellValue DiveTable::cellValue(const Plongee& d, Field col, const TableAppearance& look) const {
    switch (col) {
        case Field::coeff: {
            const auto c = std::int64_t{d.coeff()};
            if (d.pmBm() == 1)
                return {c == 0 ? carnet("TableView high tide only")
                               : texts_.format("Carnet", "TableView high tide", "error !", {c})};
            if (d.pmBm() == 2)
                return {c == 0 ? carnet("TableView low tide only")
                               : texts_.format("Carnet", "TableView low tide", "error !", {c})};
            return {c == 0 ? "-" : std::to_string(c)};
        }
        case Field::profondeur: {
            std::string depth = decimalText(d.profondeur());
            if (!look.displayUnits) return {depth};
            std::string_view unit = look.usUnits ? "%@ ft" : "%@ m";
            return {texts_.format("Carnet", unit, unit, {depth})};
        }
        case Field::temps: {
            std::string minutes = std::to_string(d.temps());
            if (!look.displayUnits) return {minutes};
            return {texts_.format("Carnet", "%@ '", "%@ '", {minutes})};
        }
        case Field::tempEau:
            if (d.tempEau() == units::kNoTemperature) return {"-"};
            return {texts_.format("Carnet", look.usUnits ? "Farenheit" : "Celsius", "error !",
                                  {std::int64_t{d.tempEau()}})};
        case Field::deco:
        case Field::rebreather: {
            std::int32_t code = col == Field::deco ? d.deco() : d.rebreather();
            std::string text = DiveCodes::shortForm(col, code, texts_);
            return {text.empty() ? std::to_string(code) : text};
        }
        case Field::visibilite: return {DiveCodes::shortForm(col, d.visibilite(), texts_)};
        case Field::inoubliable: {
            const CodeMeaning* m = DiveCodes::meaning(col, d.inoubliable());
            return {"", m ? std::string(m->image) : std::string()};
        }
        case Field::epaves: return {"", d.epaves() && !d.epaves()->empty() ? "epave" : ""};
        case Field::gaz: return {gasText(d)};
        case Field::date: return {d.date() ? formatDay(*d.date()) : ""};
        case Field::heure: return {d.heure() ? formatTime(*d.heure()) : ""};
        default: return {d.text(col)};
    }
}

CellStyle DiveTable::cellStyle(const Plongee& d, Field col, const TableAppearance& look) const {
    using enum Plongee::Field;
    CellStyle s;
    const int o1 = d.decoO2_Level_1();
    const int gasCode = d.gaz();
    const bool mixed = gas::breathesHelium(gasCode);

    // 1. Dives made abroad.
    if (look.foreignInColor && col != epaves && col != inoubliable) {
        bool abroad = d.countryCode().value_or("") != look.countryCode;
        if (abroad && look.foreignColor) s.background = look.foreignColor;
        if (!abroad) s.background.reset();
    }
    // 2. Dive number by gas and apparatus.
    if (look.mixInColor && col == noPlongee) {
        if (gasCode == gas::kNitrox && d.rebreather() == 0)
            paint(s, true, kGreen, kYellow);
        else if (mixed && d.rebreather() == 0)
            paint(s, true, kBrown, kWhite);
        else if (o1 >= 98)
            paint(s, true, kBlack, kWhite);
        else if (d.rebreather() == 1)
            paint(s, true, kGrey, kYellow);
        else if (closedCircuit(d))
            paint(s, true, kBlack, kYellow);
        else
            paint(s, true, std::nullopt, kNumberText);
    }
    // 3. Gas cell.
    if (look.mixInColor && col == gaz) {
        if (gasCode == gas::kNitrox)
            paint(s, true, kGreen, kYellow);
        else if (mixed)
            paint(s, true, kBrown, kWhite);
        else if (gasCode == gas::kAir && closedCircuit(d))
            paint(s, false, kBlack, kYellow);
        else if (gasCode == gas::kAir && o1 < 98)
            paint(s, false, std::nullopt, kBlack);
        else if (gasCode == gas::kAir)
            paint(s, true, kBlack, kWhite);
    }
    // 4. Night dives.
    if (look.nocturnesInColor && col == visibilite) {
        if (d.nocturne() == 1)
            paint(s, false, kNightBlue, kWhite);
        else
            paint(s, false, std::nullopt, kBlack);
    }
    if (!look.nocturnesInColor && !look.mixInColor && (col == noPlongee || col == gaz))
        paint(s, false, std::nullopt, kBlack);
    // 5. The highlighted text in the chosen column.
    const Field chosen = look.colouredTheme == 0   ? lieu
                         : look.colouredTheme == 1 ? site
                                                   : visibilite;
    if (col == chosen) {
        bool equal = cellValue(d, col, look).text == look.colouredText;
        if (look.colorItem) {
            s.bold = equal;
            s.text = equal ? kRed : kBlack;
        } else if (equal) {
            s.bold = false;
            s.text = kBlack;
        }
    }
    // 6. Cold water.
    if (col == tempEau) {
        bool cold = look.lowTemperatureInColor && d.tempEau() < look.lowTemperatureValue;
        if (cold && look.lowTemperatureColor)
            s.text = *look.lowTemperatureColor;
        else if (!cold)
            s.text = kBlack;
    }
    // 7. Depth and time.
    if (col == profondeur || col == temps) {
        const auto& c = col == profondeur ? look.depthColor : look.timeColor;
        if (!look.depthTimeInColor)
            s.text = kBlack;
        else if (c)
            s.text = *c;
    }
    return s;
}

bool DiveTable::directionForClick(Field col) { return sortMemory_.click(col); }

bool DiveTable::isEditableInPlace(Field col) { return col == Field::lieu || col == Field::site; }

}  // namespace divelog
