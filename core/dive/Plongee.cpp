#include "dive/Plongee.h"

#include <bit>
#include <charconv>
#include <unordered_map>

#include "archive/ArchiveReader.h"
#include "archive/ArchiveWriter.h"
#include "dive/DiveCodes.h"
#include "dive/Units.h"
#include "util/Numbers.h"

namespace divelog {

const std::vector<Plongee::FieldInfo>& Plongee::fields() {
    static const std::vector<FieldInfo> table = {
#define DIVELOG_X(kind, name, Setter) {#name, Kind::kind},
        DIVELOG_PLONGEE_FIELDS(DIVELOG_X)
#undef DIVELOG_X
    };
    return table;
}

std::optional<Plongee::Field> Plongee::fieldNamed(std::string_view name) {
    static const std::unordered_map<std::string_view, Field> index = [] {
        std::unordered_map<std::string_view, Field> m;
        const auto& f = fields();
        for (std::size_t i = 0; i < f.size(); ++i) m.emplace(f[i].name, static_cast<Field>(i));
        return m;
    }();
    auto it = index.find(name);
    if (it == index.end()) return std::nullopt;
    return it->second;
}

namespace {
template <class T>
Plongee::Value wrap(const T& v) {
    return v;
}
template <class T>
Plongee::Value wrap(const std::optional<T>& v) {
    if (!v) return std::monostate{};
    return *v;
}
template <class T>
bool unwrap(const Plongee::Value& v, T& out) {
    if (auto p = std::get_if<T>(&v)) {
        out = *p;
        return true;
    }
    return false;
}
template <class T>
bool unwrap(const Plongee::Value& v, std::optional<T>& out) {
    if (std::holds_alternative<std::monostate>(v)) {
        out.reset();
        return true;
    }
    if (auto p = std::get_if<T>(&v)) {
        out = *p;
        return true;
    }
    return false;
}
}  // namespace

Plongee::Value Plongee::value(Field field) const {
    switch (field) {
#define DIVELOG_X(kind, name, Setter) \
    case Field::name: return wrap(name##_);
        DIVELOG_PLONGEE_FIELDS(DIVELOG_X)
#undef DIVELOG_X
    }
    return std::monostate{};
}

Plongee::Value Plongee::value(std::string_view name) const {
    auto f = fieldNamed(name);
    return f ? value(*f) : Value{};
}

bool Plongee::setValue(Field field, const Value& v) {
    switch (field) {
#define DIVELOG_X(kind, name, Setter) \
    case Field::name: return unwrap(v, name##_);
        DIVELOG_PLONGEE_FIELDS(DIVELOG_X)
#undef DIVELOG_X
    }
    return false;
}

bool Plongee::setValue(std::string_view name, const Value& v) {
    auto f = fieldNamed(name);
    return f && setValue(*f, v);
}

std::string Plongee::text(std::string_view name) const {
    auto f = fieldNamed(name);
    return f ? text(*f) : std::string();
}

std::string Plongee::text(Field field) const {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int32_t i) const { return std::to_string(i); }
        std::string operator()(float f) const { return decimalText(f); }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(Date d) const { return formatDay(d); }
        std::string operator()(const std::vector<std::int32_t>&) const { return {}; }
        std::string operator()(const std::vector<double>&) const { return {}; }
    };
    return std::visit(Visitor{}, value(field));
}

// The logbook file format: values in this order, with the version rules of
// each branch. Stop switches go 3, 2, 1, 4, 5 and stop depths travel as the
// bits of their float under the integer code; both are how files have always
// been written.
void Plongee::encode(ArchiveWriter& w) const {
    w.writeRealArray(profilProfondeur_);
    w.writeIntArray(ASC_Flag_);
    w.writeIntArray(SLOW_Flag_);
    w.writeIntArray(SURF_Flag_);
    w.writeIntArray(CEIL_Flag_);
    w.writeIntArray(GAZ_Flag_);
    w.writeRealArray(PRESS_Data_);
    w.writeInt(noPlongee_);
    w.writeInt(coeff_);
    w.writeInt(pmBm_);
    w.writeDate(date_);
    w.writeString(lieu_);
    w.writeString(site_);
    w.writeString(pays_);
    w.writeString(countryCode_);
    w.writeString(gps_);
    w.writeInt(gpsSystem_);
    w.writeString(partenaires_);
    w.writeString(epaves_);
    w.writeString(structure_);
    w.writeString(bateau_);
    w.writeString(surface_);
    w.writeDate(heure_);
    w.writeFloat(profondeur_);
    w.writeInt(temps_);
    w.writeInt(altitude_);
    w.writeInt(deco_);
    for (auto sw :
         {deco_Level_3_sw_, deco_Level_2_sw_, deco_Level_1_sw_, deco_Level_4_sw_, deco_Level_5_sw_})
        w.writeInt(sw);
    for (auto v :
         {decoO2_Level_1_, decoO2_Level_2_, decoO2_Level_3_, decoO2_Level_4_, decoO2_Level_5_})
        w.writeInt(v);
    for (auto v :
         {decoHe_Level_1_, decoHe_Level_2_, decoHe_Level_3_, decoHe_Level_4_, decoHe_Level_5_})
        w.writeInt(v);
    for (float v : {decoDepth_Level_1_, decoDepth_Level_2_, decoDepth_Level_3_, decoDepth_Level_4_,
                    decoDepth_Level_5_})
        w.writeInt(std::bit_cast<std::int32_t>(v));
    for (auto v : {decoTime_Level_1_, decoTime_Level_2_, decoTime_Level_3_, decoTime_Level_4_,
                   decoTime_Level_5_})
        w.writeInt(v);
    for (auto v : {volPony1_, volPony2_, volPony3_, pressDepartPony1_, pressDepartPony2_,
                   pressDepartPony3_, pressFinPony1_, pressFinPony2_, pressFinPony3_})
        w.writeInt(v);
    for (auto v :
         {volBailout1_, volBailout2_, pressDepartBailout1_, pressDepartBailout2_, pressFinBailout1_,
          pressFinBailout2_, O2Bailout1_, O2Bailout2_, HeBailout1_, HeBailout2_})
        w.writeInt(v);
    w.writeInt(alliageBloc_);
    w.writeInt(volumeBloc_);
    w.writeInt(pressionBloc_);
    w.writeInt(pressionDepart_);
    w.writeInt(pressionFin_);
    w.writeInt(gaz_);
    w.writeFloat(flow_);
    w.writeInt(o2Mix_);
    w.writeInt(heMix_);
    for (auto v : {alliageBloc_2_, volumeBloc_2_, pressionBloc_2_, pressionDepart_2_,
                   pressionFin_2_, gaz_2_, o2Mix_2_, heMix_2_})
        w.writeInt(v);
    w.writeInt(ppO2_);
    w.writeString(decoSoftName_);
    w.writeString(decoAlgoType_);
    w.writeString(decoConservatism_);
    w.writeString(runtime_);
    for (auto v : {meteo_, ventSecteur_, ventForce_, visibilite_, courant_, typePlongee_, nocturne_,
                   tempEau_, tempAir_, inoubliable_, combinaison_})
        w.writeInt(v);
    w.writeString(fabricant_);
    w.writeString(ordinateur_);
    w.writeString(serie_);
    w.writeInt(samplingRate_);
    for (const auto* e : {&equip_1_, &equip_2_, &equip_3_, &equip_4_, &equip_5_, &equip_6_,
                          &equip_7_, &equip_8_, &equip_9_, &equip_10_, &equip_11_, &equip_12_})
        w.writeString(*e);
    w.writeInt(rebreather_);
    w.writeFloat(lestage_);
    w.writeInt(configuration_);
    w.writeString(notes_);
    w.writeInt(difficulte_);
}

bool Plongee::decode(ArchiveReader& r, int version) {
    auto ints = [&r](std::initializer_list<std::int32_t*> targets) {
        for (auto* t : targets)
            if (!r.readInt(*t)) return false;
        return true;
    };
    auto texts = [&r](std::initializer_list<Text*> targets) {
        for (auto* t : targets)
            if (!r.readString(*t)) return false;
        return true;
    };

    if (!r.readRealArray(profilProfondeur_) || !r.readIntArray(ASC_Flag_) ||
        !r.readIntArray(SLOW_Flag_) || !r.readIntArray(SURF_Flag_) || !r.readIntArray(CEIL_Flag_) ||
        !r.readIntArray(GAZ_Flag_) || !r.readRealArray(PRESS_Data_))
        return false;
    if (!ints({&noPlongee_, &coeff_, &pmBm_}) || !r.readDate(date_)) return false;
    if (!texts({&lieu_, &site_, &pays_, &countryCode_, &gps_})) return false;
    if (!r.readInt(gpsSystem_)) return false;
    if (!texts({&partenaires_, &epaves_, &structure_, &bateau_, &surface_})) return false;
    if (!r.readDate(heure_) || !r.readFloat(profondeur_)) return false;
    if (!ints({&temps_, &altitude_, &deco_, &deco_Level_3_sw_, &deco_Level_2_sw_, &deco_Level_1_sw_,
               &deco_Level_4_sw_, &deco_Level_5_sw_, &decoO2_Level_1_, &decoO2_Level_2_,
               &decoO2_Level_3_, &decoO2_Level_4_, &decoO2_Level_5_, &decoHe_Level_1_,
               &decoHe_Level_2_, &decoHe_Level_3_, &decoHe_Level_4_, &decoHe_Level_5_}))
        return false;
    for (float* depth : {&decoDepth_Level_1_, &decoDepth_Level_2_, &decoDepth_Level_3_,
                         &decoDepth_Level_4_, &decoDepth_Level_5_}) {
        std::int32_t bits = 0;
        if (!r.readInt(bits)) return false;
        *depth = std::bit_cast<float>(bits);
    }
    if (!ints({&decoTime_Level_1_, &decoTime_Level_2_, &decoTime_Level_3_, &decoTime_Level_4_,
               &decoTime_Level_5_, &volPony1_, &volPony2_, &volPony3_, &pressDepartPony1_,
               &pressDepartPony2_, &pressDepartPony3_, &pressFinPony1_, &pressFinPony2_,
               &pressFinPony3_}))
        return false;
    if (version >= 23 && !ints({&volBailout1_, &volBailout2_, &pressDepartBailout1_,
                                &pressDepartBailout2_, &pressFinBailout1_, &pressFinBailout2_,
                                &O2Bailout1_, &O2Bailout2_, &HeBailout1_, &HeBailout2_}))
        return false;
    if (!ints(
            {&alliageBloc_, &volumeBloc_, &pressionBloc_, &pressionDepart_, &pressionFin_, &gaz_}))
        return false;
    if (version >= 20 && !r.readFloat(flow_)) return false;
    if (!ints({&o2Mix_, &heMix_})) return false;
    if (version >= 20 &&
        !ints({&alliageBloc_2_, &volumeBloc_2_, &pressionBloc_2_, &pressionDepart_2_,
               &pressionFin_2_, &gaz_2_, &o2Mix_2_, &heMix_2_}))
        return false;
    if (!r.readInt(ppO2_)) return false;
    if (!texts({&decoSoftName_, &decoAlgoType_, &decoConservatism_, &runtime_})) return false;
    if (!ints({&meteo_, &ventSecteur_, &ventForce_, &visibilite_, &courant_, &typePlongee_,
               &nocturne_, &tempEau_, &tempAir_, &inoubliable_, &combinaison_}))
        return false;
    if (!texts({&fabricant_, &ordinateur_, &serie_}) || !r.readInt(samplingRate_)) return false;
    if (version >= 19 && version <= 21 && !r.readInt(computerMode_)) return false;
    if (!texts({&equip_1_, &equip_2_, &equip_3_, &equip_4_, &equip_5_, &equip_6_, &equip_7_,
                &equip_8_, &equip_9_, &equip_10_, &equip_11_, &equip_12_}))
        return false;
    if (!r.readInt(rebreather_) || !r.readFloat(lestage_)) return false;
    if (version >= 21) {
        if (!r.readInt(configuration_)) return false;
    } else {
        configuration_ = typePlongee_ == 4 ? 1 : 0;
    }
    if (!r.readString(notes_) || !r.readInt(difficulte_)) return false;
    if (version <= 17 && !r.readInt(etranger_)) return false;
    return true;
}

std::size_t Plongee::heldBytes(const Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return s->capacity();
    if (auto i = std::get_if<std::vector<std::int32_t>>(&v)) return i->capacity() * 4;
    if (auto d = std::get_if<std::vector<double>>(&v)) return d->capacity() * 8;
    return 0;
}

std::size_t Plongee::heldBytes() const {
    std::size_t n = 0;
    for (std::size_t i = 0; i < fields().size(); ++i) n += heldBytes(value(static_cast<Field>(i)));
    return n;
}

Plongee makeNewDive(const NewDiveDefaults& d) {
    Plongee p;
    p.setNoPlongee(d.number);
    p.setDate(d.now);
    p.setHeure(dateFromLocalParts(DateParts{2001, 1, 1, 0, 0, 0}));
    for (auto set : {&Plongee::setLieu,        &Plongee::setSite,     &Plongee::setPays,
                     &Plongee::setPartenaires, &Plongee::setEpaves,   &Plongee::setStructure,
                     &Plongee::setBateau,      &Plongee::setRuntime,  &Plongee::setNotes,
                     &Plongee::setEquip_1,     &Plongee::setEquip_2,  &Plongee::setEquip_3,
                     &Plongee::setEquip_4,     &Plongee::setEquip_5,  &Plongee::setEquip_6,
                     &Plongee::setEquip_7,     &Plongee::setEquip_8,  &Plongee::setEquip_9,
                     &Plongee::setEquip_10,    &Plongee::setEquip_11, &Plongee::setEquip_12})
        (p.*set)(std::string());
    p.setCountryCode(d.countryCode);
    p.setGps(d.gpsTemplate);
    p.setGpsSystem(NewDiveCodes::kGpsSystem);
    p.setMeteo(NewDiveCodes::kWeather);
    p.setCourant(NewDiveCodes::kCurrent);
    p.setVisibilite(NewDiveCodes::kVisibility);
    p.setTypePlongee(NewDiveCodes::kDiveType);
    p.setTempEau(units::kNoTemperature);
    p.setTempAir(units::kNoTemperature);
    p.setSurface(std::string("--:--"));
    const double interval = d.stopInterval > 0 ? d.stopInterval : kDefaultStopInterval;
    auto stop = [&](int n) { return narrowToFloat(n * interval); };
    p.setDecoDepth_Level_1(stop(1));
    p.setDecoDepth_Level_2(stop(2));
    p.setDecoDepth_Level_3(stop(3));
    p.setDecoDepth_Level_4(stop(4));
    p.setDecoDepth_Level_5(stop(5));
    if (const Plongee* prev = d.previous) {
        p.setVolBailout1(prev->volBailout1());
        p.setVolBailout2(prev->volBailout2());
        p.setPressDepartBailout1(prev->pressDepartBailout1());
        p.setPressDepartBailout2(prev->pressDepartBailout2());
        p.setPressFinBailout1(prev->pressFinBailout1());
        p.setPressFinBailout2(prev->pressFinBailout2());
        p.setO2Bailout1(prev->O2Bailout1());
        p.setO2Bailout2(prev->O2Bailout2());
        p.setHeBailout1(prev->HeBailout1());
        p.setHeBailout2(prev->HeBailout2());
    }
    p.setDecoSoftName(std::string("-"));
    p.setDecoAlgoType(std::string("-"));
    p.setDecoConservatism(std::string("-"));
    p.setVolumeBloc(d.tankVolume);
    p.setPressionBloc(d.tankPressure);
    p.setO2Mix(21);
    p.setO2Mix_2(21);
    p.setFabricant(d.fabricant);
    p.setOrdinateur(d.ordinateur);
    p.setSerie(d.serie);
    // Recreational unless the diver says otherwise: a blank dive that breathes
    // air from one cylinder is no technical dive.
    p.setConfiguration(0);
    p.setSamplingRate(d.samplingRate);
    p.setProfilProfondeur(std::vector<double>{0.0});
    p.setASC_Flag(std::vector<std::int32_t>{0});
    p.setSLOW_Flag(std::vector<std::int32_t>{0});
    p.setSURF_Flag(std::vector<std::int32_t>{0});
    p.setCEIL_Flag(std::vector<std::int32_t>{0});
    p.setGAZ_Flag(std::vector<std::int32_t>{0});
    p.setPRESS_Data(std::vector<double>{0.0});
    return p;
}

}  // namespace divelog
