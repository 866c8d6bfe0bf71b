#pragma once

// A small logbook built by hand, and a ByteOutput into memory, for the
// exchange tests.

#include <string>

#include "exchange/ExchangeFormats.h"
#include "localisation/Localisation.h"
#include "logbook/Carnet.h"

namespace divelog::testing {

struct MemoryOutput : ByteOutput {
    std::string bytes;
    bool write(std::span<const std::uint8_t> b) override {
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
        return true;
    }
};

inline Date at(int y, int mo, int d, int h, int mi) {
    return dateFromLocalParts({y, mo, d, h, mi, 0});
}

// Dive 12: nitrox at Marseille, Planier, with four samples and two alarms on
// the third. Dive 13: triox, placeholder profile, a place with a comma.
inline Carnet::DiveList twoDives() {
    Carnet::DiveList dives;
    auto a = std::make_unique<Plongee>(makeNewDive(NewDiveDefaults{12}));
    a->setLieu(std::string("Marseille"));
    a->setSite(std::string("Planier"));
    a->setPays(std::string("France"));
    a->setDate(at(2012, 7, 30, 10, 15));
    a->setHeure(at(2001, 1, 1, 10, 15));
    a->setCoeff(95);
    a->setProfondeur(39.9f);
    a->setTemps(45);
    a->setTempEau(18);
    a->setTempAir(24);
    a->setMeteo(7);
    a->setCourant(6);
    a->setVisibilite(8);
    a->setGaz(1);
    a->setO2Mix(32);
    a->setVolumeBloc(12);
    a->setPressionDepart(200);
    a->setPressionFin(50);
    a->setSamplingRate(6);
    a->setPartenaires(std::string("Anne; Bob"));
    a->setProfilProfondeur(std::vector<double>{0, 12.3, 39.9, 5});
    a->setASC_Flag(std::vector<std::int32_t>{0, 0, 1, 0});
    a->setCEIL_Flag(std::vector<std::int32_t>{0, 0, 1, 0});
    a->setSLOW_Flag(std::vector<std::int32_t>{0, 0, 0, 0});
    a->setSURF_Flag(std::vector<std::int32_t>{0, 0, 0, 0});
    a->setGAZ_Flag(std::vector<std::int32_t>{0, 0, 0, 0});
    a->setPRESS_Data(std::vector<double>{200, 150, 100, 50});
    dives.push_back(std::move(a));

    auto b = std::make_unique<Plongee>(makeNewDive(NewDiveDefaults{13}));
    b->setLieu(std::string("Cassis, Riou"));
    b->setSite(std::nullopt);
    b->setPartenaires(std::nullopt);
    b->setPays(std::string("France"));
    b->setDate(at(2012, 7, 31, 9, 5));
    b->setHeure(at(2001, 1, 1, 9, 5));
    b->setProfondeur(40);
    b->setTemps(50);
    b->setAltitude(120);
    b->setMeteo(0);
    b->setCourant(1);
    b->setVisibilite(2);
    b->setSurface(std::string("01:30"));
    b->setGaz(4);
    b->setO2Mix(30);
    b->setHeMix(30);
    b->setVolumeBloc(15);
    b->setPressionDepart(230);
    b->setPressionFin(60);
    b->setSamplingRate(0);
    dives.push_back(std::move(b));
    return dives;
}

}  // namespace divelog::testing
