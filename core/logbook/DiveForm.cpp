#include "logbook/DiveForm.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_map>

#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {

using Kind = DiveForm::ControlKind;

Kind kindOfField(std::string_view name, Plongee::Kind fieldKind) {
    static const std::unordered_map<std::string_view, Kind> special = {
        {"pmBm", Kind::Tag},
        {"gpsSystem", Kind::Tag},
        {"meteo", Kind::Tag},
        {"ventSecteur", Kind::Tag},
        {"ventForce", Kind::Tag},
        {"visibilite", Kind::Tag},
        {"courant", Kind::Tag},
        {"typePlongee", Kind::Tag},
        {"inoubliable", Kind::Tag},
        {"deco", Kind::Tag},
        {"ppO2", Kind::Tag},
        {"gaz", Kind::Tag},
        {"gaz_2", Kind::Tag},
        {"alliageBloc", Kind::Tag},
        {"alliageBloc_2", Kind::Tag},
        {"combinaison", Kind::Tag},
        {"samplingRate", Kind::Tag},
        {"configuration", Kind::Tag},
        {"nocturne", Kind::Switch},
        {"deco_Level_1_sw", Kind::Switch},
        {"deco_Level_2_sw", Kind::Switch},
        {"deco_Level_3_sw", Kind::Switch},
        {"deco_Level_4_sw", Kind::Switch},
        {"deco_Level_5_sw", Kind::Switch},
        {"difficulte", Kind::Slider},
        {"rebreather", Kind::Selector}};
    if (fieldKind == Plongee::Kind::DATE) return Kind::Date;
    auto it = special.find(name);
    return it == special.end() ? Kind::Text : it->second;
}

std::size_t variantIndex(Kind kind) {
    switch (kind) {
        case Kind::Text: return 0;
        case Kind::Tag:
        case Kind::Slider:
        case Kind::Selector: return 1;
        case Kind::Switch: return 2;
        case Kind::Date: return 3;
    }
    return 0;
}

const std::unordered_map<std::string_view, std::size_t>& controlIndex() {
    static const std::unordered_map<std::string_view, std::size_t> index = [] {
        std::unordered_map<std::string_view, std::size_t> m;
        const auto& c = DiveForm::controls();
        for (std::size_t i = 0; i < c.size(); ++i) m.emplace(c[i].name, i);
        return m;
    }();
    return index;
}

}  // namespace

void WorkingProfile::fillPlaceholders() {
    if (profilProfondeur.empty()) profilProfondeur.push_back(0.0);
    for (auto* flags : {&ASC_Flag, &SLOW_Flag, &CEIL_Flag, &SURF_Flag, &GAZ_Flag})
        if (flags->empty()) flags->push_back(0);
    if (PRESS_Data.empty()) PRESS_Data.push_back(0.0);
}

ClearContext ClearContext::from(const SettingsStore& settings, const Localisation& localisation,
                                Date now) {
    ClearContext c;
    c.now = now;
    c.countryCode = settings.stringForKey("country code");
    c.gpsTemplate = localisation.text("Carnet", "GPS template");
    c.stopInterval = settings.numberForKey("stop interval");
    c.tankVolume = settings.numberForKey("tank volume");
    c.tankPressure = settings.numberForKey("tank pressure");
    c.fabricant = settings.stringForKey("fabricant");
    c.ordinateur = settings.stringForKey("ordinateur");
    c.serie = settings.stringForKey("serie");
    return c;
}

const std::vector<DiveForm::ControlInfo>& DiveForm::controls() {
    static const std::vector<ControlInfo> table = [] {
        std::vector<ControlInfo> t;
        for (const auto& f : Plongee::fields()) {
            // The profile lives in WorkingProfile; the two legacy fields have no control.
            if (f.kind == Plongee::Kind::INTS || f.kind == Plongee::Kind::REALS ||
                f.name == "computerMode" || f.name == "etranger")
                continue;
            t.push_back({f.name, kindOfField(f.name, f.kind), true});
        }
        t.push_back({"n2Mix", Kind::Text, false});
        t.push_back({"n2Mix_2", Kind::Text, false});
        return t;
    }();
    return table;
}

std::optional<DiveForm::ControlKind> DiveForm::kindOf(std::string_view name) {
    const auto& index = controlIndex();
    auto it = index.find(name);
    if (it == index.end()) return std::nullopt;
    return controls()[it->second].kind;
}

std::string_view DiveForm::difficultyKey(std::int32_t value) {
    static constexpr std::string_view keys[] = {"Very easy", "Easy",      "Normal",
                                                "Hard",      "Very hard", "Extreme"};
    return keys[std::clamp(value, 0, 5)];
}

std::string DiveForm::samplingRateTitle(std::int32_t code) {
    static constexpr int seconds[] = {10, 20, 30, 60, 120, 4, 1, 5};
    if (code < 0 || code > 7) return "-";
    return std::to_string(seconds[code]) + " s";
}

DiveForm::DiveForm() {
    for (const auto& c : controls()) {
        switch (c.kind) {
            case Kind::Text: values_.emplace_back(std::string()); break;
            case Kind::Tag:
            case Kind::Slider:
            case Kind::Selector: values_.emplace_back(std::int32_t{0}); break;
            case Kind::Switch: values_.emplace_back(false); break;
            case Kind::Date: values_.emplace_back(Date{}); break;
        }
    }
}

std::string DiveForm::numbered(const char* family, int n) {
    return std::string(family) + std::to_string(n);
}

std::size_t DiveForm::indexOf(std::string_view name, ControlKind kind) const {
    const auto& index = controlIndex();
    auto it = index.find(name);
    if (it == index.end() || variantIndex(controls()[it->second].kind) != variantIndex(kind))
        throw std::out_of_range("no dive form control " + std::string(name) + " of that kind");
    return it->second;
}

const std::string& DiveForm::text(std::string_view name) const {
    return std::get<std::string>(values_[indexOf(name, Kind::Text)]);
}

void DiveForm::setText(std::string_view name, std::string value) {
    setValue(name, std::move(value));
}

std::int32_t DiveForm::tag(std::string_view name) const {
    return std::get<std::int32_t>(values_[indexOf(name, Kind::Tag)]);
}

void DiveForm::setTag(std::string_view name, std::int32_t value) { setValue(name, value); }

bool DiveForm::switchOn(std::string_view name) const {
    return std::get<bool>(values_[indexOf(name, Kind::Switch)]);
}

void DiveForm::setSwitch(std::string_view name, bool on) { setValue(name, on); }

Date DiveForm::date(std::string_view name) const {
    return std::get<Date>(values_[indexOf(name, Kind::Date)]);
}

void DiveForm::setDate(std::string_view name, Date value) { setValue(name, value); }

DiveForm::ControlValue DiveForm::value(std::string_view name) const {
    auto kind = kindOf(name);
    if (!kind) throw std::out_of_range("no dive form control " + std::string(name));
    return values_[indexOf(name, *kind)];
}

void DiveForm::setValue(std::string_view name, ControlValue value) {
    auto kind = kindOf(name);
    if (!kind || variantIndex(*kind) != value.index())
        throw std::out_of_range("no dive form control " + std::string(name) + " of that kind");
    if (*kind == Kind::Slider) value = std::clamp(std::get<std::int32_t>(value), 0, 5);
    ControlValue& slot = values_[indexOf(name, *kind)];
    if (slot == value) return;
    slot = std::move(value);
    modified_ = true;
}

void DiveForm::put(std::string_view name, ControlValue value) {
    bool was = modified_;
    setValue(name, std::move(value));
    modified_ = was;
}

std::int32_t DiveForm::intValue(std::string_view name) const {
    return readInteger(text(name)).value_or(0);
}

double DiveForm::decimalValue(std::string_view name) const {
    return readDecimal(text(name)).value_or(0);
}

void DiveForm::setProfile(WorkingProfile profile) {
    if (profile == profile_) return;
    profile_ = std::move(profile);
    modified_ = true;
}

void DiveForm::load(const Plongee& dive) {
    for (const auto& c : controls()) {
        if (!c.stored) continue;
        Plongee::Value v = dive.value(c.name);
        const auto* i = std::get_if<std::int32_t>(&v);
        switch (c.kind) {
            case Kind::Text:
                if (i)
                    put(c.name, integerText(*i));
                else if (const auto* f = std::get_if<float>(&v))
                    put(c.name, decimalText(*f));
                else if (const auto* s = std::get_if<std::string>(&v))
                    put(c.name, *s);
                else
                    put(c.name, std::string());
                break;
            case Kind::Tag:
            case Kind::Selector:
            case Kind::Slider: put(c.name, i ? *i : 0); break;
            case Kind::Switch: put(c.name, i && *i != 0); break;
            case Kind::Date: {
                const auto* d = std::get_if<Date>(&v);
                put(c.name, d ? *d : Date{});
                break;
            }
        }
    }
    if (dive.coeff() == 0) put("coeff", std::string("-"));
    if (dive.tempEau() == -50) put("tempEau", std::string("-"));
    if (dive.tempAir() == -50) put("tempAir", std::string("-"));
    for (int k = 1; k <= 5; ++k) {
        auto o2 = numbered("decoO2_Level_", k);
        auto he = numbered("decoHe_Level_", k);
        auto depth = numbered("decoDepth_Level_", k);
        if (std::get<std::int32_t>(dive.value(o2)) < 5) put(o2, std::string("-"));
        if (std::get<std::int32_t>(dive.value(he)) < 1) put(he, std::string("0"));
        // Not-a-number counts as "not given" too.
        if (!(std::get<float>(dive.value(depth)) > 0)) put(depth, integerText(3 * k));
    }

    WorkingProfile p;
    p.profilProfondeur = dive.profilProfondeur().value_or(std::vector<double>{});
    p.ASC_Flag = dive.ASC_Flag().value_or(std::vector<std::int32_t>{});
    p.SLOW_Flag = dive.SLOW_Flag().value_or(std::vector<std::int32_t>{});
    p.SURF_Flag = dive.SURF_Flag().value_or(std::vector<std::int32_t>{});
    p.CEIL_Flag = dive.CEIL_Flag().value_or(std::vector<std::int32_t>{});
    // Files from before gas switches were recorded: no switch at any sample.
    p.GAZ_Flag = dive.GAZ_Flag().value_or(std::vector<std::int32_t>(p.profilProfondeur.size(), 0));
    p.PRESS_Data = dive.PRESS_Data().value_or(std::vector<double>{});
    p.fillPlaceholders();
    profile_ = std::move(p);

    // Shown only: what the stored mix leaves for nitrogen, without rebalancing it.
    for (auto [o2, he, n2] :
         {std::array{"o2Mix", "heMix", "n2Mix"}, std::array{"o2Mix_2", "heMix_2", "n2Mix_2"}})
        put(n2, integerText(100 - std::int64_t{intValue(o2)} - intValue(he)));
    modified_ = false;
}

void DiveForm::clear(const ClearContext& c) {
    static const Date midnight = dateFromLocalParts(DateParts{2001, 1, 1, 0, 0, 0});
    const std::string empty, dash = "-", zero = "0";
    for (const char* name :
         {"noPlongee", "lieu", "site", "pays", "partenaires", "epaves", "structure", "bateau",
          "profondeur", "temps", "runtime", "pressionDepart", "pressionFin", "volumeBloc_2",
          "pressionBloc_2", "pressionDepart_2", "pressionFin_2", "lestage", "notes"})
        put(name, empty);
    for (int i = 1; i <= 12; ++i) put("equip_" + std::to_string(i), empty);
    for (const char* name :
         {"coeff", "tempEau", "tempAir", "decoSoftName", "decoAlgoType", "decoConservatism"})
        put(name, dash);
    for (const char* name : {"altitude", "flow", "heMix", "heMix_2"}) put(name, zero);
    put("date", c.now);
    put("heure", midnight);
    put("countryCode", c.countryCode);
    put("gps", c.gpsTemplate);
    put("surface", std::string("--:--"));

    const std::pair<const char*, std::int32_t> tags[] = {
        {"pmBm", 0},        {"gpsSystem", 1},     {"meteo", 7},       {"ventSecteur", 0},
        {"ventForce", 0},   {"courant", 6},       {"visibilite", 7},  {"typePlongee", 8},
        {"inoubliable", 0}, {"deco", 0},          {"rebreather", 0},  {"gaz", 0},
        {"gaz_2", 0},       {"ppO2", 0},          {"alliageBloc", 0}, {"alliageBloc_2", 0},
        {"combinaison", 0}, {"configuration", 1}, {"difficulte", 0}};
    for (const auto& [name, value] : tags) put(name, value);
    put("nocturne", false);

    double interval = c.stopInterval > 0 ? c.stopInterval : 3;
    for (int k = 1; k <= 5; ++k) {
        put(numbered("deco_Level_", k) + "_sw", false);
        put(numbered("decoO2_Level_", k), dash);
        put(numbered("decoHe_Level_", k), zero);
        put(numbered("decoDepth_Level_", k), decimalText(narrowToFloat(k * interval)));
        put(numbered("decoTime_Level_", k), dash);
    }
    for (int k = 1; k <= 3; ++k)
        for (const char* family : {"volPony", "pressDepartPony", "pressFinPony"})
            put(numbered(family, k), zero);

    put("volumeBloc", decimalText(c.tankVolume));
    put("pressionBloc", decimalText(c.tankPressure));
    put("o2Mix", std::string("21"));
    put("o2Mix_2", std::string("21"));
    put("n2Mix", std::string("79"));
    put("n2Mix_2", std::string("79"));
    put("fabricant", c.fabricant);
    put("ordinateur", c.ordinateur);
    put("serie", c.serie);

    profile_ = WorkingProfile{};
    profile_.fillPlaceholders();
    modified_ = false;
}

void DiveForm::razAir() {
    setText("o2Mix", "21");
    setText("n2Mix", "79");
    setText("heMix", "0");
}

void DiveForm::razNitrox() {
    setText("heMix", "0");
    setText("n2Mix", integerText(100 - std::int64_t{intValue("o2Mix")}));
}

void DiveForm::razHeliox() {
    setText("n2Mix", "0");
    setText("heMix", integerText(100 - std::int64_t{intValue("o2Mix")}));
}

}  // namespace divelog
