#include "profile/ProfileSeries.h"

#include "logbook/Plongee.h"

namespace divelog {

ProfileSeries ProfileSeries::of(const Plongee& dive) {
    ProfileSeries p;
    p.profilProfondeur = dive.profilProfondeur().value_or(std::vector<double>{});
    p.ASC_Flag = dive.ASC_Flag().value_or(std::vector<std::int32_t>{});
    p.SLOW_Flag = dive.SLOW_Flag().value_or(std::vector<std::int32_t>{});
    p.SURF_Flag = dive.SURF_Flag().value_or(std::vector<std::int32_t>{});
    p.CEIL_Flag = dive.CEIL_Flag().value_or(std::vector<std::int32_t>{});
    // Files from before gas switches were recorded: no switch at any sample.
    p.GAZ_Flag = dive.GAZ_Flag().value_or(std::vector<std::int32_t>(p.profilProfondeur.size(), 0));
    p.PRESS_Data = dive.PRESS_Data().value_or(std::vector<double>{});
    p.fillPlaceholders();
    return p;
}

void ProfileSeries::fillPlaceholders() {
    if (profilProfondeur.empty()) profilProfondeur.push_back(0.0);
    for (auto* flags : {&ASC_Flag, &SLOW_Flag, &CEIL_Flag, &SURF_Flag, &GAZ_Flag})
        if (flags->empty()) flags->push_back(0);
    if (PRESS_Data.empty()) PRESS_Data.push_back(0.0);
}

void ProfileSeries::storeInto(Plongee& dive) const {
    ProfileSeries p = *this;
    p.fillPlaceholders();
    dive.setProfilProfondeur(std::move(p.profilProfondeur));
    dive.setASC_Flag(std::move(p.ASC_Flag));
    dive.setSLOW_Flag(std::move(p.SLOW_Flag));
    dive.setSURF_Flag(std::move(p.SURF_Flag));
    dive.setCEIL_Flag(std::move(p.CEIL_Flag));
    dive.setGAZ_Flag(std::move(p.GAZ_Flag));
    dive.setPRESS_Data(std::move(p.PRESS_Data));
}

}  // namespace divelog
