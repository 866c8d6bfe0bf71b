#include "logbook/DiveTable.h"

#include <algorithm>

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

bool closedCircuit(const Plongee& d) { return d.rebreather() == 2 || d.rebreather() == 3; }
bool anyRebreather(const Plongee& d) { return d.rebreather() >= 2 && d.rebreather() <= 4; }

void paint(CellStyle& s, bool bold, std::optional<Colour> background, Colour text) {
    s.bold = bold;
    s.background = background;
    s.text = text;
}

const char* setPointText(int code) {
    switch (code) {
        case 10: return "0,7 bar";
        case 9: return "0,8 bar";
        case 8: return "0,9 bar";
        case 7: return "1,0 bar";
        case 6: return "1,1 bar";
        case 1: return "1,2 bar";
        case 2: return "1,3 bar";
        case 3: return "1,4 bar";
        case 4: return "1,5 bar";
        case 5: return "1,6 bar";
        default: return "...";
    }
}

}  // namespace

const std::vector<TableColumn>& DiveTable::columns() {
    static const std::vector<TableColumn> c = {
        {"noPlongee", "column numero", "Number"},
        {"date", "column date", "Date"},
        {"lieu", "column lieu", "Location"},
        {"site", "column site", "Site"},
        {"heure", "column heure", "Time"},
        {"profondeur", "column profondeur", "Depth"},
        {"temps", "column temps", "Duration"},
        {"tempEau", "column temp eau", "Water"},
        {"deco", "column deco", "Deco"},
        {"coeff", "column coeff", "Tide"},
        {"visibilite", "column visibilite", "Visibility"},
        {"epaves", "column_epave", "Wreck"},
        {"inoubliable", "column inoubliable", "Mark"},
        {"gaz", "column gaz", "Gas"},
        {"rebreather", "column scaph", "Apparatus"},
    };
    return c;
}

const TableColumn* DiveTable::column(std::string_view field) {
    for (const auto& c : columns())
        if (c.field == field) return &c;
    return nullptr;
}

std::vector<std::string_view> DiveTable::visibleColumns(const SettingsStore& store) {
    std::vector<std::string_view> v;
    for (const auto& c : columns())
        if (store.boolForKey(std::string(c.visibilityKey))) v.push_back(c.field);
    return v;
}

void DiveTable::writeDefaultColumnSwitches(SettingsStore& store) {
    for (const auto& c : columns()) {
        const std::string key(c.visibilityKey);
        if (!store.hasStoredValue(key)) store.setBool(key, c.field != "rebreather");
    }
}

std::string DiveTable::gasText(const Plongee& d) const {
    const int o1 = d.decoO2_Level_1(), o2 = d.decoO2_Level_2();
    switch (d.gaz()) {
        case 0:
            if (o1 < 22 && o2 <= 21 && !closedCircuit(d)) return carnet("Air");
            if (o1 < 98 && o2 <= 97 && !closedCircuit(d)) return carnet("TableView air Nx");
            if (o1 >= 98 && o2 >= 23) return carnet("TableView air Nx O2");
            if (!closedCircuit(d)) return carnet("TableView air O2");
            return setPointText(d.ppO2());
        case 1:
            if (d.deco_Level_1_sw() != 0 && o1 >= 98) return "O2";
            return formatText("Nx %@", {std::int64_t{d.o2Mix()}});
        case 2:
        case 4:
        case 5: return formatText("Tx %@/%@", {std::int64_t{d.o2Mix()}, std::int64_t{d.heMix()}});
        case 3: return formatText("Heliox %@", {std::int64_t{d.o2Mix()}});
        default: return std::to_string(d.gaz());
    }
}

CellValue DiveTable::cellValue(const Plongee& d, std::string_view col,
                               const TableAppearance& look) const {
    if (col == "coeff") {
        const auto c = std::int64_t{d.coeff()};
        if (d.pmBm() == 1)
            return {c == 0 ? carnet("TableView high tide only")
                           : texts_.format("Carnet", "TableView high tide", "error !", {c})};
        if (d.pmBm() == 2)
            return {c == 0 ? carnet("TableView low tide only")
                           : texts_.format("Carnet", "TableView low tide", "error !", {c})};
        return {c == 0 ? "-" : std::to_string(c)};
    }
    if (col == "profondeur") {
        std::string depth = decimalText(d.profondeur());
        if (!look.displayUnits) return {depth};
        return {formatText(look.usUnits ? "%@ ft" : "%@ m", {depth})};
    }
    if (col == "temps") {
        std::string minutes = std::to_string(d.temps());
        return {look.displayUnits ? formatText("%@ '", {minutes}) : minutes};
    }
    if (col == "tempEau") {
        if (d.tempEau() == -50) return {"-"};
        return {texts_.format("Carnet", look.usUnits ? "Farenheit" : "Celsius", "error !",
                              {std::int64_t{d.tempEau()}})};
    }
    if (col == "deco") {
        switch (d.deco()) {
            case 0: return {carnet("TableView computer")};
            case 1: return {carnet("TableView air tables")};
            case 2: return {carnet("TableView nitrox tables")};
            case 3: return {"Run time"};
            default: return {std::to_string(d.deco())};
        }
    }
    if (col == "visibilite") {
        static const char* keys[] = {"TableView excellent", "TableView very good",
                                     "TableView good",      "TableView medium",
                                     "TableView bad",       "TableView very bad",
                                     "TableView execrable"};
        int v = d.visibilite();
        if (v == 8) return {carnet("TableView exceptional")};
        if (v >= 0 && v <= 6) return {carnet(keys[v])};
        return {};
    }
    if (col == "inoubliable") {
        static const char* images[] = {"", "coeur", "point", "croix", "death"};
        int m = d.inoubliable();
        return {"", m >= 1 && m <= 4 ? images[m] : ""};
    }
    if (col == "epaves") return {"", d.epaves() && !d.epaves()->empty() ? "epave" : ""};
    if (col == "gaz") return {gasText(d)};
    if (col == "rebreather") {
        static const char* names[] = {"OC", "SCR", "mCCR", "eCCR", "hCCR"};
        int r = d.rebreather();
        return {r >= 0 && r <= 4 ? names[r] : std::to_string(r)};
    }
    if (col == "date") return {d.date() ? formatDay(*d.date()) : ""};
    if (col == "heure") return {d.heure() ? formatTime(*d.heure()) : ""};
    return {d.text(col)};
}

CellStyle DiveTable::cellStyle(const Plongee& d, std::string_view col,
                               const TableAppearance& look) const {
    CellStyle s;
    const int o1 = d.decoO2_Level_1();
    const int gas = d.gaz();
    const bool mixed = gas >= 2 && gas <= 5;

    // 1. Dives made abroad.
    if (look.foreignInColor && col != "epaves" && col != "inoubliable") {
        bool abroad = d.countryCode().value_or("") != look.countryCode;
        if (abroad && look.foreignColor) s.background = look.foreignColor;
        if (!abroad) s.background.reset();
    }
    // 2. Dive number by gas and apparatus.
    if (look.mixInColor && col == "noPlongee") {
        if (gas == 1 && d.rebreather() == 0) paint(s, true, kGreen, kYellow);
        else if (mixed && d.rebreather() == 0) paint(s, true, kBrown, kWhite);
        else if (o1 >= 98) paint(s, true, kBlack, kWhite);
        else if (d.rebreather() == 1) paint(s, true, kGrey, kYellow);
        else if (anyRebreather(d)) paint(s, true, kBlack, kYellow);
        else paint(s, true, std::nullopt, kNumberText);
    }
    // 3. Gas cell.
    if (look.mixInColor && col == "gaz") {
        if (gas == 1) paint(s, true, kGreen, kYellow);
        else if (mixed) paint(s, true, kBrown, kWhite);
        else if (gas == 0 && anyRebreather(d)) paint(s, false, kBlack, kYellow);
        else if (gas == 0 && o1 < 98) paint(s, false, std::nullopt, kBlack);
        else if (gas == 0) paint(s, true, kBlack, kWhite);
    }
    // 4. Night dives.
    if (look.nocturnesInColor && col == "visibilite") {
        if (d.nocturne() == 1) paint(s, false, kNightBlue, kWhite);
        else paint(s, false, std::nullopt, kBlack);
    }
    if (!look.nocturnesInColor && !look.mixInColor && (col == "noPlongee" || col == "gaz"))
        paint(s, false, std::nullopt, kBlack);
    // 5. The highlighted text in the chosen column.
    std::string_view chosen =
        look.colouredTheme == 0 ? "lieu" : look.colouredTheme == 1 ? "site" : "visibilite";
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
    if (col == "tempEau") {
        bool cold = look.lowTemperatureInColor && d.tempEau() < look.lowTemperatureValue;
        if (cold && look.lowTemperatureColor) s.text = *look.lowTemperatureColor;
        else if (!cold) s.text = kBlack;
    }
    // 7. Depth and time.
    if (col == "profondeur" || col == "temps") {
        const auto& c = col == "profondeur" ? look.depthColor : look.timeColor;
        if (!look.depthTimeInColor) s.text = kBlack;
        else if (c) s.text = *c;
    }
    return s;
}

bool DiveTable::directionForClick(std::string_view col) {
    auto it = ascending_.find(col);
    bool stored = it != ascending_.end() && it->second;
    if (col == lastColumn_) {
        ascending_[std::string(col)] = !stored;
        return !stored;
    }
    lastColumn_ = std::string(col);
    return stored;
}

void DiveTable::sortDives(Carnet::DiveList& dives, std::string_view col, bool ascending) {
    auto field = Plongee::fieldNamed(col);
    if (!field) return;
    // Keys are taken once so a large logbook sorts without rebuilding values per comparison.
    std::vector<std::pair<Plongee::Value, std::size_t>> keys;
    keys.reserve(dives.size());
    for (std::size_t i = 0; i < dives.size(); ++i) keys.emplace_back(dives[i]->value(*field), i);
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        if (ascending) return a.first < b.first;
        return b.first < a.first;
    });
    Carnet::DiveList sorted;
    sorted.reserve(dives.size());
    for (auto& k : keys) sorted.push_back(std::move(dives[k.second]));
    dives = std::move(sorted);
}

bool DiveTable::isEditableInPlace(std::string_view col) { return col == "lieu" || col == "site"; }

bool DiveTable::editInPlace(Plongee& dive, std::string_view col, const std::string& text) {
    if (!isEditableInPlace(col)) return false;
    return dive.setValue(col, text);
}

}  // namespace divelog
