// Building a record from the dive form, with the corrections the form makes
// on the way.

#include <algorithm>

#include "dive/Units.h"
#include "logbook/DiveForm.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {
using F = Plongee::Field;

constexpr std::int32_t kAltitudeLimitMetres = 4000;
constexpr std::int32_t kAltitudeLimitFeet = 13123;

// The form's own placeholders for "nothing typed": they read as 0 and are not
// rewritten, so a cleared form keeps showing them.
bool blank(const std::string& text) { return text.empty() || text == "-"; }

}  // namespace

std::int32_t DiveForm::storedInt(Field field) const {
    if ((field == F::tempEau || field == F::tempAir) && text(field) == "-")
        return units::kNoTemperature;
    return intValue(field);
}

// A negative (or unreadable) entry becomes 0, in the form too.
void DiveForm::storeNonNegative(Field field) {
    const std::string& t = text(field);
    if (blank(t)) return;
    bool isFloat = Plongee::info(field).kind == Plongee::Kind::FLOAT;
    bool readable = isFloat ? readFloat(t).has_value() : readInteger(t).has_value();
    if (!readable || *readDecimal(t) < 0) put(field, std::string("0"));
}

void DiveForm::storeTemperature(Field field, int low, int high) {
    const std::string& t = text(field);
    if (t == "-") return;
    auto v = readInteger(t);
    if (!v || *v < low || *v > high) put(field, std::string("-"));
}

// Oxygen 1 to 100 (below 1 is "not typed": air), helium 0 to 86, and the two
// together at most 100, so no mix is stored with negative nitrogen.
void DiveForm::storeMix(Field o2Field, Field heField, std::vector<std::string>& alerts) {
    auto o2 = readInteger(text(o2Field));
    if (!o2 || *o2 < 1) {
        put(o2Field, std::string("21"));
    } else if (*o2 > 100) {
        alerts.emplace_back(kOxygenAlert);
        put(o2Field, std::string("21"));
    }
    if (!text(heField).empty()) {
        auto he = readInteger(text(heField));
        if (!he || *he < 0 || *he > 86) {
            alerts.emplace_back(kHeliumAlert);
            put(heField, std::string("0"));
        }
    }
    const std::int32_t oxygen = intValue(o2Field), helium = intValue(heField);
    if (oxygen + helium > 100) {
        alerts.emplace_back(kMixAlert);
        put(heField, integerText(100 - oxygen));
    }
}

void DiveForm::storeCorrections(bool usUnits, std::vector<std::string>& alerts) {
    auto coeff = readInteger(text(F::coeff));
    if (!coeff || *coeff < 20 || *coeff > 120) put(F::coeff, std::string("-"));

    storeTemperature(F::tempEau, -5, 100);
    // The lowest air temperature is also units::kNoTemperature: typed, it
    // reads back as "-".
    storeTemperature(F::tempAir, -50, 140);

    storeNonNegative(F::profondeur);
    storeNonNegative(F::temps);
    if (!blank(text(F::altitude))) {
        auto altitude = readInteger(text(F::altitude));
        std::int32_t limit = usUnits ? kAltitudeLimitFeet : kAltitudeLimitMetres;
        if (!altitude || *altitude < 0 || *altitude > limit) put(F::altitude, std::string("0"));
    }

    for (F time : Plongee::kStopTime) storeNonNegative(time);

    // Inconsistent pressures are stored as typed: the user may know better.
    auto consistent = [&](F start, F end) {
        std::int32_t s = intValue(start), e = intValue(end);
        return s >= 0 && e >= 0 && e <= s;
    };
    if (!consistent(F::pressionDepart, F::pressionFin) ||
        !consistent(F::pressionDepart_2, F::pressionFin_2))
        alerts.emplace_back(kPressureAlert);

    storeMix(F::o2Mix, F::heMix, alerts);
    storeMix(F::o2Mix_2, F::heMix_2, alerts);

    storeNonNegative(F::lestage);
}

StoreResult DiveForm::store(const SettingsStore& settings) {
    StoreResult result;
    corrections_ = &result.corrected;
    storeCorrections(settings.boolForKey("us units"), result.alerts);
    corrections_ = nullptr;

    Plongee& dive = result.dive;
    for (const auto& c : controls()) {
        if (!c.field) continue;
        const F field = *c.field;
        switch (c.kind) {
            case ControlKind::Text:
                switch (Plongee::info(field).kind) {
                    case Plongee::Kind::STRING: dive.setValue(field, text(field)); break;
                    case Plongee::Kind::FLOAT:
                        dive.setValue(field, readFloat(text(field)).value_or(0.0f));
                        break;
                    default: dive.setValue(field, storedInt(field)); break;
                }
                break;
            case ControlKind::Tag:
            case ControlKind::Slider:
            case ControlKind::Selector: dive.setValue(field, tag(field)); break;
            case ControlKind::Switch: dive.setValue(field, std::int32_t{switchOn(field)}); break;
            case ControlKind::Date: dive.setValue(field, date(field)); break;
        }
    }
    profile_.fillPlaceholders();
    profile_.storeInto(dive);
    return result;
}

}  // namespace divelog
