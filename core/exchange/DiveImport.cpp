#include "exchange/DiveImport.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "logbook/DiveForm.h"
#include "settings/SettingsStore.h"

namespace divelog {

DiveImport::Built DiveImport::build(const std::vector<ImportedDive>& dives,
                                    std::int32_t firstNumber, const SettingsStore& settings,
                                    const Localisation& texts,
                                    const std::function<bool(std::size_t)>& progress) {
    Built built;
    built.dives.reserve(dives.size());
    DiveForm form;
    const ClearContext blank = ClearContext::from(settings, texts, dateNow());
    std::int32_t number = firstNumber;
    for (std::size_t i = 0; i < dives.size(); ++i) {
        if (progress && i % 64 == 0 && !progress(i)) {
            built.dives.clear();
            built.cancelled = true;
            return built;
        }
        const ImportedDive& d = dives[i];
        form.clear(blank);
        form.setDiveNumber(number);
        if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        for (const auto& c : d.controls) {
            try {
                std::visit([&](const auto& v) { form.setValue(c.name, v); }, c.value);
            } catch (const std::out_of_range&) {
                // A reader naming no control of the form is a mistake of ours; the
                // dive is still imported with what it has.
            }
        }
        if (d.profile) form.setProfile(*d.profile);
        form.refresh(RefreshContext{settings, texts, 0, std::nullopt});
        StoreResult stored = form.store(settings);
        for (auto& key : stored.alerts)
            if (std::find(built.alerts.begin(), built.alerts.end(), key) == built.alerts.end())
                built.alerts.push_back(std::move(key));
        built.dives.push_back(std::make_unique<Plongee>(std::move(stored.dive)));
    }
    if (progress) progress(dives.size());
    return built;
}

}  // namespace divelog
