#include "BenchLogbook.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace divelog::bench {

namespace {

constexpr std::array<const char*, 8> kPlaces = {"Port-Cros", "Marseille", "Banyuls-sur-Mer",
                                                "Hyères",    "Ajaccio",   "Saint-Raphaël",
                                                "Lanzarote", "Dahab"};
constexpr std::array<const char*, 8> kSites = {"La Gabinière", "Le Liban",        "Tombant du Cap",
                                               "Le Donator",   "Sec de Pyramide", "Les Moines",
                                               "Cathedral",    "Blue Hole"};
constexpr std::array<const char*, 4> kBuddies = {"Anne Morel, Marc Dupuis", "Paul", "Claire, Jo",
                                                 "Club Atlantide"};

// A rough square profile: descent, bottom with a little noise, ascent with a
// safety stop, the way a real computer log looks.
double depthAt(std::size_t i, std::size_t n, double maxDepth) {
    double t = static_cast<double>(i) / static_cast<double>(n - 1);
    if (t < 0.1) return maxDepth * t / 0.1;
    if (t < 0.7) return maxDepth - 2.0 + std::sin(static_cast<double>(i) * 0.37) * 1.5;
    if (t < 0.85) return maxDepth * (0.85 - t) / 0.15 + 3.0 * (t - 0.7) / 0.15;
    if (t < 0.97) return 3.0;
    return 3.0 * (1.0 - t) / 0.03;
}

}  // namespace

std::unique_ptr<Carnet> makeBenchLogbook(std::size_t dives, std::size_t samples) {
    auto carnet = std::make_unique<Carnet>();
    Carnet::DiveList list;
    list.reserve(dives);
    const Date start = dateFromLocalParts({2005, 3, 12, 9, 30, 0});
    for (std::size_t d = 0; d < dives; ++d) {
        NewDiveDefaults defaults;
        defaults.number = static_cast<std::int32_t>(d + 1);
        defaults.now = Date{start.seconds + static_cast<double>(d) * 52'000.0};
        defaults.countryCode = "FR";
        defaults.gpsTemplate = "43°00.123'N 006°23.456'E";
        defaults.tankVolume = 12;
        defaults.tankPressure = 232;
        defaults.fabricant = "Shearwater";
        defaults.ordinateur = "Perdix 2";
        defaults.serie = "SW-" + std::to_string(100'000 + d % 3);
        defaults.samplingRate = 6;
        auto p = std::make_unique<Plongee>(makeNewDive(defaults));

        p->setLieu(std::string(kPlaces[d % kPlaces.size()]));
        p->setSite(std::string(kSites[(d * 3) % kSites.size()]));
        p->setPays(std::string("France"));
        p->setPartenaires(std::string(kBuddies[d % kBuddies.size()]));
        p->setStructure(std::string("Club de plongée des Calanques"));
        p->setBateau(std::string("Le Poséidon II"));
        p->setSurface(std::string("02:15"));
        const double maxDepth = 12.0 + static_cast<double>(d % 47);
        p->setProfondeur(static_cast<float>(maxDepth));
        p->setTemps(35 + static_cast<std::int32_t>(d % 40));
        p->setTempEau(14 + static_cast<std::int32_t>(d % 12));
        p->setTempAir(22);
        p->setPressionDepart(210);
        p->setPressionFin(50 + static_cast<std::int32_t>(d % 30));
        p->setGaz(d % 3 == 0 ? 1 : 0);
        p->setO2Mix(d % 3 == 0 ? 32 : 21);
        p->setLestage(6.5f);
        p->setNotes(std::string("Mérous et barracudas au tombant, visibilité 20 m. Courant "
                                "faible en surface, palier de sécurité sur le mouillage. ") +
                    "Plongée n°" + std::to_string(d + 1) + ".");
        p->setEquip_1(std::string("Détendeur Apeks XTX50"));
        p->setEquip_2(std::string("Gilet Hollis ST Elite"));
        p->setEquip_3(std::string("Combinaison 7 mm"));
        p->setEquip_4(std::string("Palmes Jet Fins"));

        std::vector<double> depth(samples), pressure(samples);
        std::vector<std::int32_t> asc(samples, 0), slow(samples, 0), surf(samples, 0),
            ceil(samples, 0), gas(samples, 0);
        for (std::size_t i = 0; i < samples; ++i) {
            depth[i] = std::round(depthAt(i, samples, maxDepth) * 10.0) / 10.0;
            pressure[i] = 210.0 - 160.0 * static_cast<double>(i) / static_cast<double>(samples);
            if (i % 97 == 40) asc[i] = 1;
            if (i % 131 == 7) slow[i] = 1;
            if (i + 1 == samples) surf[i] = 1;
        }
        gas[0] = 1;
        p->setProfilProfondeur(std::move(depth));
        p->setASC_Flag(std::move(asc));
        p->setSLOW_Flag(std::move(slow));
        p->setSURF_Flag(std::move(surf));
        p->setCEIL_Flag(std::move(ceil));
        p->setGAZ_Flag(std::move(gas));
        p->setPRESS_Data(std::move(pressure));
        list.push_back(std::move(p));
    }
    carnet->loadList(std::move(list));
    return carnet;
}

}  // namespace divelog::bench
