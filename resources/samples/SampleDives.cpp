#include "SampleDives.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dive/DiveCodes.h"
#include "exchange/GpsPosition.h"

namespace divelog::samples {

namespace {

struct Site {
    const char* place;
    const char* site;
    const char* country;
    const char* countryCode;
    double lat, lon;
    const char* wreck;  // empty when none
    const char* structure;
    const char* boat;
};

// clang-format off
const Site kMarseille1 = {"Marseille", "Le Liban", "France", "FR", 43.2105, 5.3355, "Le Liban", "Club des Calanques", "Le Poséidon II"};
const Site kMarseille2 = {"Marseille", "Planier, le tombant", "France", "FR", 43.1990, 5.2300, "", "Club des Calanques", "Le Poséidon II"};
const Site kMarseille3 = {"Marseille", "Impérial du Large", "France", "FR", 43.1795, 5.3940, "", "Club des Calanques", "Le Poséidon II"};
const Site kMarseille4 = {"Marseille", "Grand Conglu", "France", "FR", 43.1810, 5.4010, "", "Club des Calanques", "Le Poséidon II"};
const Site kCrozon1 = {"Crozon", "Pointe du Toulinguet", "France", "FR", 48.2800, -4.6290, "", "Iroise Plongée", "Ar Men"};
const Site kGlenan = {"Les Glénan", "Les Pourceaux", "France", "FR", 47.7440, -3.9870, "", "Centre nautique des Glénan", "Penfret"};
const Site kOuessant1 = {"Ouessant", "Pierres Noires", "France", "FR", 48.3110, -4.9080, "", "Iroise Plongée", "Ar Men"};
const Site kSwansea = {"Ouessant", "Swansea Vale", "France", "FR", 48.3050, -4.9220, "Swansea Vale", "Iroise Plongée", "Ar Men"};
const Site kOuessant2 = {"Ouessant", "Basse Callot", "France", "FR", 48.4520, -5.0830, "", "Iroise Plongée", "Ar Men"};
const Site kPortCros1 = {"Port-Cros", "La Gabinière", "France", "FR", 42.9955, 6.3985, "", "Port-Cros Plongée", "Bagaud"};
const Site kPortCros2 = {"Port-Cros", "La Croix", "France", "FR", 43.0115, 6.4110, "", "Port-Cros Plongée", "Bagaud"};
const Site kPorquerolles = {"Porquerolles", "Le Donator", "France", "FR", 42.9969, 6.1780, "Le Donator", "Port-Cros Plongée", "Bagaud"};
const Site kPorquerolles2 = {"Porquerolles", "Pointe du Vaisseau", "France", "FR", 42.9880, 6.2050, "", "Port-Cros Plongée", "Bagaud"};
const Site kThistlegorm = {"Sharm el-Sheikh", "SS Thistlegorm", "Egypt", "EG", 27.8136, 33.9209, "SS Thistlegorm", "Blue Horizon liveaboard", "MY Blue Horizon"};
const Site kShark = {"Ras Mohammed", "Shark and Yolanda Reef", "Egypt", "EG", 27.7340, 34.2560, "", "Blue Horizon liveaboard", "MY Blue Horizon"};
const Site kJackfish = {"Ras Mohammed", "Jackfish Alley", "Egypt", "EG", 27.7530, 34.2340, "", "Blue Horizon liveaboard", "MY Blue Horizon"};
const Site kCarnatic = {"Hurghada", "Abu Nuhas, Carnatic", "Egypt", "EG", 27.5789, 33.9262, "SS Carnatic", "Blue Horizon liveaboard", "MY Blue Horizon"};
const Site kGiannis = {"Hurghada", "Abu Nuhas, Giannis D", "Egypt", "EG", 27.5780, 33.9230, "Giannis D", "Blue Horizon liveaboard", "MY Blue Horizon"};
const Site kBrothers = {"Brothers Islands", "Big Brother", "Egypt", "EG", 26.3130, 34.8490, "", "Blue Horizon liveaboard", "MY Blue Horizon"};
const Site kElphinstone = {"Marsa Alam", "Elphinstone", "Egypt", "EG", 25.3100, 34.8600, "", "Blue Horizon liveaboard", "MY Blue Horizon"};
const Site kDahab = {"Dahab", "Blue Hole", "Egypt", "EG", 28.5720, 34.5370, "", "Dahab Divers", ""};
const Site kScandola = {"Galeria", "Scandola, Palazzu", "France", "FR", 42.3760, 8.5520, "", "Galeria Plongée", "Fangu"};
const Site kAjaccio = {"Ajaccio", "Les Sanguinaires", "France", "FR", 41.8780, 8.5930, "", "Ajaccio Plongée", "Corsica Sub"};
const Site kVacca = {"Bonifacio", "Sec de la Vacca", "France", "FR", 41.3600, 9.3000, "", "Bonifacio Tek", "Lavezzi"};
const Site kGozo1 = {"Gozo", "Blue Hole, Dwejra", "Malta", "MT", 36.0535, 14.1885, "", "Gozo Diving", ""};
const Site kGozo2 = {"Gozo", "Inland Sea", "Malta", "MT", 36.0570, 14.1920, "", "Gozo Diving", ""};
const Site kFaroud = {"Malta", "Um El Faroud", "Malta", "MT", 35.8210, 14.4440, "Um El Faroud", "Gozo Diving", "Sea Spirit"};
// clang-format on

struct Stop {
    float depth;
    int minutes;
    int o2, he;  // the gas breathed there; 0 for the bottom gas
};

enum class Rig { Air, Nitrox, Trimix, Ccr };

struct DiveSpec {
    const Site* site;
    int y, mo, d, h, mi;
    float depth;
    int bottomMinutes;  // time before leaving the bottom
    Rig rig;
    int o2, he;  // bottom mix; ignored for air
    std::vector<Stop> stops;
    int water, air;
    int type;  // typePlongee code
    const char* buddies;
    const char* notes;
    int mark = 0;
    bool night = false;
};

// Depth samples of a dive as a computer logs them: a descent at 18 m/min, a
// bottom with small changes, an ascent at 9 m/min and each stop held. The
// sample where each stop's gas is first breathed is marked in `switches`.
struct Shape {
    std::vector<double> depth;
    std::vector<std::int32_t> gas;
};

Shape shape(const DiveSpec& s, int interval, bool safetyStop) {
    Shape out;
    const double dt = interval / 60.0;  // minutes per sample
    auto push = [&](double d, int code) {
        out.depth.push_back(std::round(std::max(0.0, d) * 10.0) / 10.0);
        out.gas.push_back(code);
    };
    push(0, 1);
    double t = 0, d = 0;
    const double bottomEnd = s.bottomMinutes;
    while (d < s.depth - 0.05) {
        d = std::min<double>(s.depth, d + 18 * dt);
        t += dt;
        push(d, 0);
    }
    int k = 0;
    while (t < bottomEnd) {
        t += dt;
        ++k;
        // A wander over the bottom, never deeper than the dive's maximum.
        push(s.depth - 1.6 - 1.0 * std::sin(k * 0.13) - 0.7 * std::sin(k * 0.041 + 1.0) -
                 0.3 * std::sin(k * 0.37),
             0);
    }
    d = out.depth.back();
    std::vector<Stop> stops = s.stops;
    if (safetyStop && stops.empty()) stops.push_back({3, 3, 0, 0});
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const Stop& stop = stops[i];
        // Code 2 is the gas of stop 1, 3 that of stop 2, and so on.
        const int code = 2 + static_cast<int>(i);
        while (d > stop.depth + 0.05) {
            d = std::max<double>(stop.depth, d - 9 * dt);
            push(d, 0);
        }
        bool first = true;
        for (double held = 0; held < stop.minutes; held += dt) {
            push(stop.depth + 0.2 * std::sin(held * 3), first && stop.o2 ? code : 0);
            first = false;
        }
    }
    while (d > 0.05) {
        d = std::max(0.0, d - 9 * dt);
        push(d, 0);
    }
    return out;
}

// Cylinder pressure along the profile from a surface consumption of `sac`
// litres a minute; a closed circuit uses a little oxygen whatever the depth.
std::vector<double> pressures(const std::vector<double>& depth, int interval, int start, int volume,
                              double sac, bool closedCircuit) {
    std::vector<double> out;
    double p = start;
    for (double d : depth) {
        out.push_back(std::round(p * 10.0) / 10.0);
        const double litres =
            closedCircuit ? 1.0 * interval / 60.0 : sac * (d / 10.0 + 1.0) * interval / 60.0;
        p -= litres / volume;
    }
    return out;
}

const char* kComputers[][3] = {{"Suunto", "D5", "SU-5530912"},
                               {"Shearwater", "Perdix 2", "SW-100482"}};

std::unique_ptr<Plongee> make(const DiveSpec& s, int number, const char* surface) {
    const Site& site = *s.site;
    NewDiveDefaults defaults;
    defaults.number = number;
    defaults.now = dateFromLocalParts({s.y, s.mo, s.d, 0, 0, 0});
    defaults.countryCode = site.countryCode;
    defaults.gpsTemplate = GpsPosition{site.lat, site.lon}.text();
    const bool shearwater = s.y >= 2022;
    defaults.fabricant = kComputers[shearwater][0];
    defaults.ordinateur = kComputers[shearwater][1];
    defaults.serie = kComputers[shearwater][2];
    defaults.tankVolume = 12;
    defaults.tankPressure = 232;
    defaults.samplingRate = 0;
    auto p = std::make_unique<Plongee>(makeNewDive(defaults));
    p->setHeure(dateFromLocalParts({2001, 1, 1, s.h, s.mi, 0}));
    p->setLieu(std::string(site.place));
    p->setSite(std::string(site.site));
    p->setPays(std::string(site.country));
    p->setEpaves(std::string(site.wreck));
    p->setStructure(std::string(site.structure));
    p->setBateau(std::string(site.boat));
    p->setPartenaires(std::string(s.buddies));
    p->setNotes(std::string(s.notes));
    p->setSurface(std::string(surface));
    p->setTempEau(s.water);
    p->setTempAir(s.air);
    p->setTypePlongee(s.type);
    p->setNocturne(s.night ? 1 : 0);
    p->setInoubliable(s.mark);
    p->setMeteo(number % 5 == 0 ? 1 : 0);
    p->setVisibilite(site.countryCode[0] == 'E' ? 0 : (s.water < 16 ? 3 : 2));
    p->setCourant(number % 4 == 0 ? 2 : 1);
    p->setVentSecteur(1 + number % 8);
    p->setVentForce(2 + number % 4);
    p->setDifficulte(s.depth > 40 ? 4 : s.depth > 30 ? 3 : 2);
    const bool cold = s.water < 16;
    p->setCombinaison(cold ? 1 : s.water > 24 ? 6 : 0);
    p->setLestage(cold ? 10.0f : s.water > 24 ? 4.0f : 6.0f);
    p->setEquip_1(std::string("Apeks XTX50"));
    p->setEquip_2(std::string("Hollis ST Elite"));
    p->setEquip_3(std::string(cold ? "Santi E.Lite dry suit" : "Beuchat 5 mm"));
    p->setEquip_4(std::string(defaults.fabricant + " " + defaults.ordinateur));

    const bool tek = s.rig == Rig::Trimix || s.rig == Rig::Ccr || !s.stops.empty();
    const int interval = 10;  // samplingRate 0
    Shape profile = shape(s, interval, !tek);
    const bool longDive = s.bottomMinutes >= 35;
    const int cylinder = s.rig == Rig::Ccr      ? 3
                         : s.rig == Rig::Trimix ? 24
                         : cold || longDive     ? 15
                                                : 12;
    const int start = s.rig == Rig::Ccr ? 200 : 210 + number % 3 * 10;
    std::vector<double> press = pressures(profile.depth, interval, start, cylinder,
                                          s.rig == Rig::Trimix ? 15 : 17, s.rig == Rig::Ccr);
    p->setVolumeBloc(cylinder);
    p->setPressionDepart(start);
    p->setPressionFin(static_cast<std::int32_t>(std::lround(press.back())));
    p->setTemps(static_cast<std::int32_t>(std::lround(profile.depth.size() * interval / 60.0)));
    p->setProfondeur(*std::max_element(profile.depth.begin(), profile.depth.end()));

    switch (s.rig) {
        case Rig::Air: break;
        case Rig::Nitrox:
            p->setGaz(1);
            p->setO2Mix(s.o2);
            break;
        case Rig::Trimix:
            p->setGaz(2);
            p->setO2Mix(s.o2);
            p->setHeMix(s.he);
            break;
        case Rig::Ccr:
            // Cylinder 1 holds the oxygen, cylinder 2 the diluent.
            p->setRebreather(3);
            p->setPpO2(2);  // 1.3 bar
            p->setGaz(1);
            p->setO2Mix(100);
            p->setGaz_2(2);
            p->setO2Mix_2(s.o2);
            p->setHeMix_2(s.he);
            p->setVolumeBloc_2(3);
            p->setPressionDepart_2(200);
            p->setPressionFin_2(155);
            p->setVolBailout1(7);
            p->setPressDepartBailout1(200);
            p->setPressFinBailout1(200);
            p->setO2Bailout1(21);
            p->setHeBailout1(35);
            break;
    }
    if (tek) {
        p->setConfiguration(1);
        p->setDecoAlgoType(std::string("Bühlmann ZHL-16C"));
        p->setDecoConservatism(std::string("GF 30/80"));
    }
    // Each stop breathes the last gas switched to, the bottom mix at first.
    int o2 = s.rig == Rig::Air ? 21 : s.o2, he = s.he;
    for (std::size_t i = 0; i < s.stops.size() && i < 5; ++i) {
        const Stop& stop = s.stops[i];
        if (stop.o2) o2 = stop.o2, he = stop.he;
        p->setValue(Plongee::kStopSwitch[i], std::int32_t{1});
        p->setValue(Plongee::kStopDepth[i], stop.depth);
        p->setValue(Plongee::kStopTime[i], std::int32_t{stop.minutes});
        p->setValue(Plongee::kStopO2[i], std::int32_t{o2});
        p->setValue(Plongee::kStopHe[i], std::int32_t{he});
        if (stop.o2 && i < 3) {
            // The stage cylinder of that stop's gas.
            p->setValue(Plongee::kStageVolume[i], std::int32_t{7});
            p->setValue(Plongee::kStageStart[i], std::int32_t{200});
            p->setValue(Plongee::kStageEnd[i], std::int32_t{stop.o2 >= 98 ? 150 : 130});
        }
    }

    const std::size_t n = profile.depth.size();
    std::vector<std::int32_t> asc(n, 0), slow(n, 0), surf(n, 0), ceil(n, 0);
    surf[n - 1] = 1;
    // A too-fast ascent alarm now and then, and the ceiling of a deco dive.
    if (number % 7 == 3) asc[n - 6] = 1;
    if (tek)
        for (std::size_t i = 0; i < n; ++i)
            if (profile.depth[i] > 6 && i > n / 2) ceil[i] = i % 30 == 0;
    p->setProfilProfondeur(std::move(profile.depth));
    p->setGAZ_Flag(std::move(profile.gas));
    p->setPRESS_Data(std::move(press));
    p->setASC_Flag(std::move(asc));
    p->setSLOW_Flag(std::move(slow));
    p->setSURF_Flag(std::move(surf));
    p->setCEIL_Flag(std::move(ceil));
    return p;
}

}  // namespace

Carnet::DiveList sampleDives() {
    using R = Rig;
    const std::vector<Stop> none;
    const std::vector<Stop> tekStops = {
        {21, 3, 50, 0}, {9, 4, 0, 0}, {6, 10, 100, 0}, {3, 5, 0, 0}};
    const std::vector<Stop> nitroxStops = {{6, 4, 0, 0}, {3, 6, 0, 0}};
    // clang-format off
    const std::vector<DiveSpec> dives = {
        {&kMarseille1, 2019, 6, 8, 9, 30, 34, 20, R::Air, 21, 0, none, 18, 24, 0, "Anne Morel, Marc Dupuis", "The bow of the Liban, upright; a conger in the boilers.", 1},
        {&kMarseille2, 2019, 6, 8, 14, 45, 26, 30, R::Air, 21, 0, none, 19, 25, 1, "Anne Morel", "Gorgonians from 20 m; a school of barracudas on the way up."},
        {&kMarseille3, 2019, 6, 9, 10, 0, 38, 18, R::Nitrox, 28, 0, none, 17, 26, 1, "Marc Dupuis", "Current from the west; red gorgonians and a grouper at the point."},
        {&kMarseille4, 2019, 6, 9, 15, 10, 22, 35, R::Nitrox, 32, 0, none, 19, 27, 3, "Anne Morel", "Photo dive: nudibranchs on the plateau."},
        {&kMarseille2, 2019, 6, 10, 9, 45, 30, 25, R::Nitrox, 32, 0, none, 18, 25, 12, "Anne Morel, Marc Dupuis", "Counted the groupers for the reserve survey: eleven."},
        {&kCrozon1, 2019, 9, 14, 10, 30, 24, 30, R::Air, 21, 0, none, 15, 17, 1, "Yann Kerbrat", "Kelp forest, a seal passed twice.", 1},
        {&kGlenan, 2019, 9, 15, 11, 0, 18, 40, R::Air, 21, 0, none, 16, 18, 12, "Yann Kerbrat, Soizic", "Maerl beds and cuttlefish eggs."},
        {&kCrozon1, 2019, 9, 15, 15, 30, 20, 35, R::Air, 21, 0, none, 15, 18, 9, "Yann Kerbrat", "Drift along the point at mid-tide."},
        {&kGlenan, 2019, 9, 16, 10, 0, 16, 45, R::Nitrox, 32, 0, none, 16, 19, 3, "Soizic", "Spider crabs by the hundred."},
        {&kPortCros1, 2020, 8, 3, 9, 0, 32, 22, R::Nitrox, 32, 0, none, 22, 29, 12, "Claire Vidal", "Groupers, dentex and a moray at every crack.", 1},
        {&kPorquerolles, 2020, 8, 3, 14, 30, 50, 15, R::Nitrox, 25, 0, nitroxStops, 17, 30, 0, "Claire Vidal, Paul", "The Donator upright on the sand; gorgonians on the rails. Stops on the shot line."},
        {&kPortCros2, 2020, 8, 4, 9, 30, 25, 35, R::Air, 21, 0, none, 23, 30, 1, "Claire Vidal", "Posidonia and a sleeping octopus."},
        {&kPorquerolles2, 2020, 8, 4, 21, 0, 15, 40, R::Air, 21, 0, none, 24, 26, 12, "Claire Vidal, Paul", "Night dive: scorpionfish, a cuttlefish and plankton glowing.", 0, true},
        {&kPortCros1, 2020, 8, 5, 10, 0, 36, 18, R::Nitrox, 28, 0, none, 21, 29, 3, "Paul", "Wide-angle photos of the grouper wall."},
        {&kThistlegorm, 2021, 4, 17, 7, 0, 30, 30, R::Nitrox, 32, 0, none, 24, 26, 0, "Jo Martin, Claire Vidal", "Motorcycles in hold 2, the locomotive on the port side.", 1},
        {&kThistlegorm, 2021, 4, 17, 11, 30, 29, 28, R::Nitrox, 32, 0, none, 24, 28, 0, "Jo Martin", "Penetration of hold 1: lorries and rifles."},
        {&kShark, 2021, 4, 18, 7, 30, 28, 35, R::Nitrox, 32, 0, none, 25, 28, 9, "Jo Martin, Claire Vidal", "Drift from Shark to Yolanda; the toilets of the Yolanda on the sand."},
        {&kJackfish, 2021, 4, 18, 11, 0, 22, 40, R::Air, 21, 0, none, 25, 30, 1, "Claire Vidal", "Through the cave, then a turtle."},
        {&kCarnatic, 2021, 4, 19, 8, 0, 26, 35, R::Nitrox, 32, 0, none, 24, 27, 0, "Jo Martin", "Glassfish in the stern, iron ribs in soft coral."},
        {&kGiannis, 2021, 4, 19, 12, 0, 25, 35, R::Nitrox, 32, 0, none, 24, 28, 0, "Jo Martin, Claire Vidal", "The bridge and the engine room of the Giannis D."},
        {&kBrothers, 2021, 4, 21, 6, 30, 38, 20, R::Nitrox, 30, 0, none, 25, 27, 9, "Jo Martin", "Grey reef sharks off the north plateau; strong current.", 1},
        {&kBrothers, 2021, 4, 21, 11, 0, 30, 30, R::Nitrox, 32, 0, none, 25, 29, 12, "Claire Vidal", "A thresher shark at 30 m at first light.", 1},
        {&kElphinstone, 2021, 4, 22, 7, 0, 32, 28, R::Nitrox, 32, 0, none, 25, 29, 9, "Jo Martin", "Oceanic whitetip under the boat at the safety stop.", 1},
        {&kDahab, 2021, 4, 24, 10, 0, 28, 35, R::Air, 21, 0, none, 24, 31, 1, "Claire Vidal", "Through the Bells and along the wall to the Blue Hole."},
        {&kScandola, 2022, 7, 11, 9, 0, 30, 25, R::Nitrox, 32, 0, none, 22, 30, 1, "Anne Morel", "Red rock, red gorgonians, a big grouper at the arch."},
        {&kAjaccio, 2022, 7, 12, 10, 0, 27, 30, R::Air, 21, 0, none, 23, 31, 3, "Anne Morel, Paul", "Photo dive on the Sanguinaires drop-off."},
        {&kVacca, 2022, 7, 14, 9, 0, 62, 18, R::Trimix, 18, 45, tekStops, 14, 30, 4, "Paul Lemaire", "Trimix 18/45 on the Vacca pinnacle; deco on 50 % and oxygen on the shot.", 1},
        {&kAjaccio, 2022, 7, 15, 10, 30, 24, 35, R::Air, 21, 0, none, 24, 31, 12, "Anne Morel", "Easy dive after the deep one: moray, octopus, salps."},
        {&kScandola, 2022, 7, 16, 9, 30, 33, 25, R::Nitrox, 30, 0, none, 22, 29, 1, "Anne Morel, Paul Lemaire", "Corals at 30 m and a curious sunfish."},
        {&kGozo1, 2023, 5, 20, 10, 0, 28, 30, R::Air, 21, 0, none, 18, 23, 1, "Jo Martin", "Out through the arch into the blue."},
        {&kGozo2, 2023, 5, 20, 14, 30, 25, 35, R::Nitrox, 32, 0, none, 18, 24, 1, "Jo Martin", "Through the tunnel from the Inland Sea; light show at the exit."},
        {&kFaroud, 2023, 5, 22, 9, 30, 34, 22, R::Nitrox, 28, 0, none, 17, 22, 0, "Jo Martin, Claire Vidal", "The bridge and the propeller of the Um El Faroud.", 1},
        {&kGozo1, 2023, 5, 23, 10, 0, 20, 40, R::Air, 21, 0, none, 18, 24, 3, "Claire Vidal", "Macro in the Coral Garden."},
        {&kOuessant2, 2024, 8, 6, 11, 0, 24, 30, R::Air, 21, 0, none, 15, 19, 1, "Yann Kerbrat", "Slack water on the Basse Callot; jewel anemones everywhere."},
        {&kSwansea, 2024, 8, 7, 12, 0, 58, 20, R::Trimix, 18, 45, tekStops, 13, 18, 0, "Yann Kerbrat, Paul Lemaire", "The Swansea Vale at slack water; the boilers stand on the rock. Deco on 50 % and oxygen.", 1},
        {&kOuessant2, 2024, 8, 8, 12, 30, 45, 40, R::Ccr, 21, 35, {{9, 3, 0, 0}, {6, 5, 0, 0}, {3, 6, 0, 0}}, 14, 19, 4, "Paul Lemaire", "First long dive on the eCCR, set point 1.3, diluent 21/35; bail-out 7 l carried."},
        {&kOuessant1, 2024, 8, 9, 13, 0, 22, 35, R::Air, 21, 0, none, 15, 20, 12, "Yann Kerbrat", "Shallow dive on the reef: wrasse and lobsters."},
        {&kMarseille1, 2024, 10, 5, 9, 30, 35, 20, R::Nitrox, 30, 0, none, 19, 21, 0, "Anne Morel, Marc Dupuis", "Back on the Liban; the stern has collapsed a little more."},
        {&kMarseille3, 2024, 10, 5, 14, 0, 30, 30, R::Nitrox, 32, 0, none, 19, 22, 1, "Marc Dupuis", "A pod of dolphins on the way back."},
        {&kMarseille2, 2024, 10, 6, 10, 0, 40, 15, R::Nitrox, 28, 0, nitroxStops, 18, 20, 1, "Anne Morel", "The deep part of the Planier wall; stops on the buoy."},
    };
    // clang-format on
    Carnet::DiveList out;
    int number = 1;
    for (std::size_t i = 0; i < dives.size(); ++i) {
        const DiveSpec& s = dives[i];
        // Two dives the same day: the second gets its surface interval.
        const bool sameDay =
            i > 0 && dives[i - 1].y == s.y && dives[i - 1].mo == s.mo && dives[i - 1].d == s.d;
        std::string surface = "--:--";
        if (sameDay) {
            const int gap = (s.h * 60 + s.mi) - (dives[i - 1].h * 60 + dives[i - 1].mi) - 45;
            auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
            surface = two(gap / 60) + ":" + two(gap % 60);
        }
        out.push_back(make(s, number++, surface.c_str()));
    }
    return out;
}

}  // namespace divelog::samples
