// Building a record from the dive form, with the corrections the form makes
// on the way.

#include <algorithm>

#include "logbook/DiveForm.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {
constexpr std::int32_t kAltitudeLimitMetres = 4000;
constexpr std::int32_t kAltitudeLimitFeet = 13123;

// The form's own placeholders for "nothing typed": they read as 0 and are not
// rewritten, so a cleared form keeps showing them.
bool blank(const std::string& text) { return text.empty() || text == "-"; }

}  // namespace

std::int32_t DiveForm::storedInt(std::string_view name) const {
    if ((name == "tempEau" || name == "tempAir") && text(name) == "-") return -50;
    return intValue(name);
}

// A negative (or unreadable) entry becomes 0, in the form too.
void DiveForm::storeNonNegative(std::string_view name) {
    const std::string& t = text(name);
    if (blank(t)) return;
    bool isFloat = name == "profondeur" || name == "lestage";
    bool readable = isFloat ? readFloat(t).has_value() : readInteger(t).has_value();
    if (!readable || *readDecimal(t) < 0) put(name, std::string("0"));
}

void DiveForm::storeTemperature(std::string_view name, int low, int high) {
    const std::string& t = text(name);
    if (t == "-") return;
    auto v = readInteger(t);
    if (!v || *v < low || *v > high) put(name, std::string("-"));
}

void DiveForm::storeCorrections(bool usUnits, std::vector<std::string>& alerts) {
    auto coeff = readInteger(text("coeff"));
    if (!coeff || *coeff < 20 || *coeff > 120) put("coeff", std::string("-"));

    storeTemperature("tempEau", -5, 100);
    storeTemperature("tempAir", -50, 140);

    storeNonNegative("profondeur");
    storeNonNegative("temps");
    if (!blank(text("altitude"))) {
        auto altitude = readInteger(text("altitude"));
        std::int32_t limit = usUnits ? kAltitudeLimitFeet : kAltitudeLimitMetres;
        if (!altitude || *altitude < 0 || *altitude > limit) put("altitude", std::string("0"));
    }

    for (int k = 1; k <= 5; ++k) storeNonNegative(numbered("decoTime_Level_", k));

    // Inconsistent pressures are stored as typed: the user may know better.
    auto consistent = [&](const char* start, const char* end) {
        std::int32_t s = intValue(start), e = intValue(end);
        return s >= 0 && e >= 0 && e <= s;
    };
    if (!consistent("pressionDepart", "pressionFin") ||
        !consistent("pressionDepart_2", "pressionFin_2"))
        alerts.emplace_back(kPressureAlert);

    for (const char* o2 : {"o2Mix", "o2Mix_2"}) {
        auto v = readInteger(text(o2));
        if (!v || *v < 1) put(o2, std::string("21"));
    }
    for (const char* he : {"heMix", "heMix_2"}) {
        if (text(he).empty()) continue;
        auto v = readInteger(text(he));
        if (!v || *v < 0 || *v > 86) {
            alerts.emplace_back(kHeliumAlert);
            put(he, std::string("0"));
        }
    }

    storeNonNegative("lestage");
}

StoreResult DiveForm::store(const SettingsStore& settings) {
    StoreResult result;
    storeCorrections(settings.boolForKey("us units"), result.alerts);

    Plongee& dive = result.dive;
    const auto& fields = Plongee::fields();
    for (const auto& c : controls()) {
        if (!c.stored) continue;
        Plongee::Kind fieldKind =
            fields[static_cast<std::size_t>(*Plongee::fieldNamed(c.name))].kind;
        switch (c.kind) {
            case ControlKind::Text:
                if (fieldKind == Plongee::Kind::STRING)
                    dive.setValue(c.name, text(c.name));
                else if (fieldKind == Plongee::Kind::FLOAT)
                    dive.setValue(c.name, readFloat(text(c.name)).value_or(0.0f));
                else
                    dive.setValue(c.name, storedInt(c.name));
                break;
            case ControlKind::Tag:
            case ControlKind::Slider:
            case ControlKind::Selector: dive.setValue(c.name, tag(c.name)); break;
            case ControlKind::Switch: dive.setValue(c.name, std::int32_t{switchOn(c.name)}); break;
            case ControlKind::Date: dive.setValue(c.name, date(c.name)); break;
        }
    }

    profile_.fillPlaceholders();
    dive.setProfilProfondeur(profile_.profilProfondeur);
    dive.setASC_Flag(profile_.ASC_Flag);
    dive.setSLOW_Flag(profile_.SLOW_Flag);
    dive.setSURF_Flag(profile_.SURF_Flag);
    dive.setCEIL_Flag(profile_.CEIL_Flag);
    dive.setGAZ_Flag(profile_.GAZ_Flag);
    dive.setPRESS_Data(profile_.PRESS_Data);
    return result;
}

}  // namespace divelog
