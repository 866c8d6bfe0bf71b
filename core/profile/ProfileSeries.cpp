#include "profile/ProfileSeries.h"

#include <cmath>

#include "dive/Plongee.h"

namespace divelog {

std::span<const SeriesInfo> ProfileSeries::series() {
    static constexpr SeriesInfo kSeries[] = {
        {SeriesId::Depth, "profilProfondeur", true}, {SeriesId::Ascent, "ASC_Flag", false},
        {SeriesId::Slow, "SLOW_Flag", false},        {SeriesId::Surface, "SURF_Flag", false},
        {SeriesId::Ceiling, "CEIL_Flag", false},     {SeriesId::Gas, "GAZ_Flag", false},
        {SeriesId::Pressure, "PRESS_Data", true}};
    return kSeries;
}

const SeriesInfo& ProfileSeries::info(SeriesId id) {
    for (const auto& s : series())
        if (s.id == id) return s;
    return series().front();
}

std::vector<std::int32_t>& ProfileSeries::flags(SeriesId id) {
    switch (id) {
        case SeriesId::Ascent: return ASC_Flag;
        case SeriesId::Slow: return SLOW_Flag;
        case SeriesId::Surface: return SURF_Flag;
        case SeriesId::Ceiling: return CEIL_Flag;
        default: return GAZ_Flag;
    }
}

const std::vector<std::int32_t>& ProfileSeries::flags(SeriesId id) const {
    return const_cast<ProfileSeries*>(this)->flags(id);
}

std::size_t ProfileSeries::size(SeriesId id) const {
    if (id == SeriesId::Depth) return profilProfondeur.size();
    if (id == SeriesId::Pressure) return PRESS_Data.size();
    return flags(id).size();
}

std::vector<double> ProfileSeries::values(SeriesId id) const {
    if (id == SeriesId::Depth) return profilProfondeur;
    if (id == SeriesId::Pressure) return PRESS_Data;
    const auto& f = flags(id);
    return {f.begin(), f.end()};
}

void ProfileSeries::setValues(SeriesId id, const std::vector<double>& v) {
    if (id == SeriesId::Depth) {
        profilProfondeur = v;
    } else if (id == SeriesId::Pressure) {
        PRESS_Data = v;
    } else {
        auto& f = flags(id);
        f.clear();
        for (double x : v)
            f.push_back(std::isfinite(x) && std::fabs(x) < 2e9 ? static_cast<std::int32_t>(x) : 0);
    }
}

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
