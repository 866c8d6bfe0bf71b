#include "exchange/DiveImport.h"

#include <algorithm>
#include <limits>
#include <map>

#include "logbook/DiveForm.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {

using F = Plongee::Field;

// A corrected field in the report's words.
std::string_view fieldWords(F field) {
    switch (field) {
        case F::coeff: return "tide coefficient";
        case F::tempEau: return "water temperature";
        case F::tempAir: return "air temperature";
        case F::profondeur: return "depth";
        case F::temps: return "dive time";
        case F::altitude: return "altitude";
        case F::o2Mix: return "oxygen";
        case F::heMix: return "helium";
        case F::o2Mix_2: return "oxygen of cylinder 2";
        case F::heMix_2: return "helium of cylinder 2";
        case F::lestage: return "weight";
        default: return Plongee::nameOf(field);
    }
}

std::string dives(std::size_t n) { return n == 1 ? "1 dive" : std::to_string(n) + " dives"; }

void apply(DiveForm& form, const DiveDraft::Value& v) {
    // The draft's fields are checked for their kind when the reader is compiled.
    switch (v.value.index()) {
        case 0: form.setText(v.field, std::get<std::string>(v.value)); break;
        case 1: form.setTag(v.field, std::get<std::int32_t>(v.value)); break;
        case 2: form.setSwitch(v.field, std::get<bool>(v.value)); break;
        case 3: form.setDate(v.field, std::get<Date>(v.value)); break;
    }
}

}  // namespace

DiveImport::Built DiveImport::build(const std::vector<DiveDraft>& dives, std::int32_t firstNumber,
                                    const SettingsStore& settings, const Localisation& texts,
                                    const std::function<bool(std::size_t)>& progress) {
    Built built;
    built.dives.reserve(dives.size());
    DiveForm form;
    const ClearContext blank = ClearContext::from(settings, texts, dateNow());
    std::map<F, std::size_t> corrected;
    std::int32_t number = firstNumber;
    for (std::size_t i = 0; i < dives.size(); ++i) {
        if (progress && i % 64 == 0 && !progress(i)) {
            built.dives.clear();
            built.cancelled = true;
            return built;
        }
        const DiveDraft& d = dives[i];
        form.clear(blank);
        form.setDiveNumber(number);
        if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        for (const DiveDraft::Value& v : d.values()) apply(form, v);
        if (d.profile) form.setProfile(*d.profile);
        form.refresh(RefreshContext{settings, texts, 0, std::nullopt});
        StoreResult stored = form.store(settings);
        for (auto& key : stored.alerts)
            if (std::find(built.alerts.begin(), built.alerts.end(), key) == built.alerts.end())
                built.alerts.push_back(std::move(key));
        // The blank form's own values are the form's business, not the file's.
        for (F field : stored.corrected)
            if (d.sets(field)) ++corrected[field];
        built.dives.push_back(std::make_unique<Plongee>(std::move(stored.dive)));
    }
    if (progress) progress(dives.size());
    built.corrected.assign(corrected.begin(), corrected.end());
    return built;
}

std::string DiveImport::correctionNote(const Built& built) {
    if (built.corrected.empty()) return {};
    std::string line =
        "values the logbook cannot hold were corrected as the dive form corrects them:";
    for (const auto& [field, count] : built.corrected)
        line += " " + std::string(fieldWords(field)) + " (" + dives(count) + "),";
    line.pop_back();
    return line;
}

}  // namespace divelog
