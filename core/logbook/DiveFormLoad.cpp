// Showing a dive in the form, the blank dive, and what number fields accept.

#include <algorithm>
#include <array>

#include "dive/Units.h"
#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "settings/PreferenceKeys.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {
using F = Plongee::Field;
}  // namespace

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

void DiveForm::load(const Plongee& dive) {
    for (const auto& c : controls()) {
        if (!c.field) continue;
        const F field = *c.field;
        Plongee::Value v = dive.value(field);
        const auto* i = std::get_if<std::int32_t>(&v);
        switch (c.kind) {
            case ControlKind::Text:
                if (i)
                    put(field, integerText(*i));
                else if (const auto* f = std::get_if<float>(&v))
                    put(field, decimalText(*f));
                else if (const auto* s = std::get_if<std::string>(&v))
                    put(field, *s);
                else
                    put(field, std::string());
                break;
            case ControlKind::Tag:
            case ControlKind::Selector:
            case ControlKind::Slider: put(field, i ? *i : 0); break;
            case ControlKind::Switch: put(field, i && *i != 0); break;
            case ControlKind::Date: {
                const auto* d = std::get_if<Date>(&v);
                put(field, d ? *d : Date{});
                break;
            }
        }
    }
    if (dive.coeff() == 0) put(F::coeff, std::string("-"));
    if (dive.tempEau() == units::kNoTemperature) put(F::tempEau, std::string("-"));
    if (dive.tempAir() == units::kNoTemperature) put(F::tempAir, std::string("-"));
    for (std::size_t k = 0; k < 5; ++k) {
        if (std::get<std::int32_t>(dive.value(Plongee::kStopO2[k])) < 5)
            put(Plongee::kStopO2[k], std::string("-"));
        if (std::get<std::int32_t>(dive.value(Plongee::kStopHe[k])) < 1)
            put(Plongee::kStopHe[k], std::string("0"));
        // Not-a-number counts as "not given" too.
        if (!(std::get<float>(dive.value(Plongee::kStopDepth[k])) > 0))
            put(Plongee::kStopDepth[k], integerText(3 * static_cast<std::int64_t>(k + 1)));
    }
    profile_ = ProfileSeries::of(dive);

    // Shown only: what the stored mix leaves for nitrogen, without rebalancing it.
    putNitrogen(1, 100 - std::int64_t{intValue(F::o2Mix)} - intValue(F::heMix));
    putNitrogen(2, 100 - std::int64_t{intValue(F::o2Mix_2)} - intValue(F::heMix_2));
    modified_ = false;
}

void DiveForm::clear(const ClearContext& c) {
    // The bail-out cylinders and the sampling interval stay as the user left them.
    std::vector<std::pair<F, ControlValue>> kept;
    for (const auto* family : {&Plongee::kBailoutVolume, &Plongee::kBailoutStart,
                               &Plongee::kBailoutEnd, &Plongee::kBailoutO2, &Plongee::kBailoutHe})
        for (F f : *family) kept.emplace_back(f, text(f));
    kept.emplace_back(F::samplingRate, tag(F::samplingRate));

    NewDiveDefaults d;
    d.number = 0;
    d.now = c.now;
    d.countryCode = c.countryCode;
    d.gpsTemplate = c.gpsTemplate;
    d.stopInterval = c.stopInterval;
    d.tankVolume = static_cast<std::int32_t>(std::clamp(c.tankVolume, -1e9, 1e9));
    d.tankPressure = static_cast<std::int32_t>(std::clamp(c.tankPressure, -1e9, 1e9));
    d.fabricant = c.fabricant;
    d.ordinateur = c.ordinateur;
    d.serie = c.serie;
    load(makeNewDive(d));

    for (auto& [field, value] : kept) put(field, std::move(value));
    // What the user has not typed yet shows empty rather than 0.
    for (F f :
         {F::noPlongee, F::profondeur, F::temps, F::pressionDepart, F::pressionFin, F::volumeBloc_2,
          F::pressionBloc_2, F::pressionDepart_2, F::pressionFin_2, F::lestage})
        put(f, std::string());
    for (F f : Plongee::kStopTime) put(f, std::string("-"));
    put(F::volumeBloc, decimalText(c.tankVolume));
    put(F::pressionBloc, decimalText(c.tankPressure));
    modified_ = false;
}

}  // namespace divelog
