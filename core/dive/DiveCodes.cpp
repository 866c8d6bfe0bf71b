#include "dive/DiveCodes.h"

#include <array>

#include "dive/GasFamily.h"
#include "localisation/Localisation.h"

namespace divelog {

namespace {

using F = Plongee::Field;
constexpr std::string_view kTable = "Carnet";

// A code that says nothing was recorded.
constexpr CodeMeaning none(std::int32_t code, std::string_view title = "N/A") {
    return {.code = code, .title = title, .notGiven = true};
}

// clang-format off
constexpr CodeMeaning kTide[] = {none(0), {1, "High tide"}, {2, "Low tide"}};
constexpr CodeMeaning kDatum[] = {none(0), {1, "WGS84"}, {2, "ED50"}};
constexpr CodeMeaning kWeather[] = {
    {0, "Clear"}, {1, "Cloudy"}, {2, "Foggy"}, {3, "Rainy"}, {4, "Hail"}, {5, "Snowy"},
    {6, "Thundery"}, none(7)};
constexpr CodeMeaning kWindDirection[] = {
    none(0), {1, "N"}, {2, "N-E"}, {3, "E"}, {4, "S-E"}, {5, "S"}, {6, "S-W"}, {7, "W"}, {8, "N-W"}};
// Code n stands for Beaufort force n - 1; the value is the force.
constexpr CodeMeaning kWindForce[] = {
    none(0), {1, "No wind", {}, {}, {}, 0},
    {2, "Wind force %d", {}, {}, {}, 1}, {3, "Wind force %d", {}, {}, {}, 2},
    {4, "Wind force %d", {}, {}, {}, 3}, {5, "Wind force %d", {}, {}, {}, 4},
    {6, "Wind force %d", {}, {}, {}, 5}, {7, "Wind force %d", {}, {}, {}, 6},
    {8, "Wind force %d", {}, {}, {}, 7}, {9, "Wind force %d", {}, {}, {}, 8},
    {10, "Wind force %d", {}, {}, {}, 9}, {11, "Wind force %d", {}, {}, {}, 10},
    {12, "Wind force %d", {}, {}, {}, 11}, {13, "Wind force %d", {}, {}, {}, 12}};
constexpr CodeMeaning kCurrent[] = {
    {0, "None"}, {1, "Weak"}, {2, "Moderate"}, {3, "Strong"}, {4, "Very strong"},
    {5, "Violent"}, none(6)};
// Best first: "Exceptional" came last as a code but reads first.
constexpr CodeMeaning kVisibility[] = {
    {8, "Exceptional", {}, "TableView exceptional"}, {0, "Excellent", {}, "TableView excellent"},
    {1, "Very good", {}, "TableView very good"},     {2, "Good", {}, "TableView good"},
    {3, "Medium", {}, "TableView medium"},           {4, "Bad", {}, "TableView bad"},
    {5, "Very bad", {}, "TableView very bad"},       {6, "Execrable", {}, "TableView execrable"},
    none(7)};
// Code 2 is a legacy code without a meaning; no list offers it.
constexpr CodeMeaning kDiveType[] = {
    {0, "Wreck"}, {1, "Recreational"}, {2, ""}, {3, "Photo dive"}, {4, "Tek"}, {5, "Cave"},
    {6, "Movies"}, {7, "Work"}, {8, "Other"}, {9, "Drift"}, {10, "Under ice"},
    {11, "Training"}, {12, "Biology"}, {13, "Quarry"}, {14, "Recuperation"}};
constexpr CodeMeaning kDecoMethod[] = {
    {0, "Computer", {}, "TableView computer"}, {1, "Air tables", {}, "TableView air tables"},
    {2, "Nitrox tables", {}, "TableView nitrox tables"}, {3, "Run time", {}, "Run time"}};
constexpr CodeMeaning kApparatus[] = {
    {0, "OC"}, {1, "SCR"}, {2, "mCCR"}, {3, "eCCR"}, {4, "hCCR"}};
// In order of pressure; the codes are not (1 to 5 are 1.2 to 1.6 bar, 6 to
// 10 are 1.1 down to 0.7 bar).
constexpr CodeMeaning kSetPoint[] = {
    none(0, "..."),
    {10, "0,7 bar", {}, {}, {}, 0.7}, {9, "0,8 bar", {}, {}, {}, 0.8},
    {8, "0,9 bar", {}, {}, {}, 0.9},  {7, "1,0 bar", {}, {}, {}, 1.0},
    {6, "1,1 bar", {}, {}, {}, 1.1},  {1, "1,2 bar", {}, {}, {}, 1.2},
    {2, "1,3 bar", {}, {}, {}, 1.3},  {3, "1,4 bar", {}, {}, {}, 1.4},
    {4, "1,5 bar", {}, {}, {}, 1.5},  {5, "1,6 bar", {}, {}, {}, 1.6}};
// Labels take the oxygen and helium percentages; the table keeps its short forms.
constexpr CodeMeaning kGas[] = {
    {gas::kAir, "Air", "Air", "Air"},
    {gas::kNitrox, "Nitrox", "Nitrox %d", "Nx %@"},
    {gas::kTrimix, "Trimix", "Trimix %d/%d", "Tx %@/%@"},
    {gas::kHeliox, "Heliox", "Heliox %d", "Heliox %@"},
    {gas::kTriox, "Triox", "Triox %d/%d", "Tx %@/%@"},
    {gas::kHeliair, "Heliair", "Heliair %d/%d", "Tx %@/%@"}};
constexpr CodeMeaning kMaterial[] = {{0, "Steel"}, {1, "Aluminum"}, {2, "Carbon"}};
constexpr CodeMeaning kSuit[] = {
    {0, "Wet suit"}, {1, "Dry suit"}, {2, "Shorty"}, {3, "No suit"}, {4, "Semi-dry suit"},
    {5, "T-shirt"}, {6, "Tropical suit"}};
constexpr CodeMeaning kConfiguration[] = {{0, "No Tek"}, {1, "Tek"}};
constexpr CodeMeaning kMark[] = {
    {0, "No mark"}, {1, "Mark heart", {}, {}, "coeur"}, {2, "Mark point", {}, {}, "point"},
    {3, "Mark cross", {}, {}, "croix"}, {4, "Mark death", {}, {}, "death"}};
// Shortest interval first.
constexpr CodeMeaning kSampling[] = {
    {6, "1 s", {}, {}, {}, 1},   {5, "4 s", {}, {}, {}, 4},   {7, "5 s", {}, {}, {}, 5},
    {0, "10 s", {}, {}, {}, 10}, {1, "20 s", {}, {}, {}, 20}, {2, "30 s", {}, {}, {}, 30},
    {3, "60 s", {}, {}, {}, 60}, {4, "120 s", {}, {}, {}, 120}};
constexpr CodeMeaning kDifficulty[] = {
    {0, "Very easy"}, {1, "Easy"}, {2, "Normal"}, {3, "Hard"}, {4, "Very hard"}, {5, "Extreme"}};

constexpr std::array kTables = {
    CodeTable{F::pmBm, kTide},           CodeTable{F::gpsSystem, kDatum},
    CodeTable{F::meteo, kWeather},       CodeTable{F::ventSecteur, kWindDirection},
    CodeTable{F::ventForce, kWindForce}, CodeTable{F::courant, kCurrent},
    CodeTable{F::visibilite, kVisibility}, CodeTable{F::typePlongee, kDiveType},
    CodeTable{F::deco, kDecoMethod},     CodeTable{F::rebreather, kApparatus},
    CodeTable{F::ppO2, kSetPoint},       CodeTable{F::gaz, kGas},
    CodeTable{F::gaz_2, kGas},           CodeTable{F::alliageBloc, kMaterial},
    CodeTable{F::alliageBloc_2, kMaterial}, CodeTable{F::combinaison, kSuit},
    CodeTable{F::configuration, kConfiguration}, CodeTable{F::inoubliable, kMark},
    CodeTable{F::samplingRate, kSampling}, CodeTable{F::difficulte, kDifficulty}};
// clang-format on

std::string localised(std::string_view key, const CodeMeaning& m, const Localisation& texts) {
    if (key.find('%') != std::string_view::npos)
        return texts.format(kTable, key, key, {static_cast<std::int64_t>(m.value)});
    return texts.text(kTable, key, key);
}

}  // namespace

const CodeMeaning* CodeTable::find(std::int32_t code) const {
    for (const auto& m : codes)
        if (m.code == code) return &m;
    return nullptr;
}

const CodeTable* DiveCodes::table(Plongee::Field field) {
    for (const auto& t : kTables)
        if (t.field == field) return &t;
    return nullptr;
}

const CodeMeaning* DiveCodes::meaning(Plongee::Field field, std::int32_t code) {
    const CodeTable* t = table(field);
    return t ? t->find(code) : nullptr;
}

std::string DiveCodes::title(Plongee::Field field, std::int32_t code, const Localisation& texts) {
    const CodeMeaning* m = meaning(field, code);
    return m && !m->title.empty() ? localised(m->title, *m, texts) : std::string();
}

std::string DiveCodes::shortForm(Plongee::Field field, std::int32_t code,
                                 const Localisation& texts) {
    const CodeMeaning* m = meaning(field, code);
    if (!m || m->notGiven) return {};
    return localised(m->shortForm.empty() ? m->title : m->shortForm, *m, texts);
}

bool DiveCodes::isClosedCircuit(std::int32_t apparatus) { return apparatus >= 2 && apparatus <= 4; }

std::optional<double> DiveCodes::setPointBar(std::int32_t code) {
    const CodeMeaning* m = meaning(F::ppO2, code);
    if (!m || m->value <= 0) return std::nullopt;
    return m->value;
}

std::optional<int> DiveCodes::samplingSeconds(std::int32_t code) {
    const CodeMeaning* m = meaning(F::samplingRate, code);
    if (!m) return std::nullopt;
    return static_cast<int>(m->value);
}

std::string DiveCodes::gasLabel(std::int32_t gas, std::int64_t o2, std::int64_t he,
                                const Localisation& texts) {
    const CodeMeaning* m = meaning(F::gaz, gas);
    if (!m) return {};
    return texts.format(kTable, m->label, m->label, {o2, he});
}

std::string DiveCodes::gasShortForm(std::int32_t gas, std::int64_t o2, std::int64_t he,
                                    const Localisation& texts) {
    const CodeMeaning* m = meaning(F::gaz, gas);
    if (!m) return {};
    return texts.format(kTable, m->shortForm, m->shortForm, {o2, he});
}

}  // namespace divelog
