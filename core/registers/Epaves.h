#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// A wreck card of the wreck directory: fields in archive order, the version
// branches of its files, and the codes of its coded fields.
struct Epaves {
    static constexpr const char* kClassName = "Epaves";
    static constexpr int kClassVersion = 5;

    enum Field : std::size_t {
        nom,
        type,
        immatriculation,
        nationalite,
        longueur,
        largeur,
        materiau,
        jauge,
        propulsion,
        dateConstruction,
        lieuConstruction,
        dateNaufrage,
        causeNaufrage,
        pointHaut,
        pointBas,
        orientationSwitch,
        orientation,
        inclinaison,
        dateVisite,
        aVisiter,
        lieu,
        site,
        pays,
        gps,
        gpsSystem,
        acces,
        accesBord,
        localisation,
        interet,
        technicite,
        relevement1,
        relevement2,
        relevement3,
        photo,
        notes,
        typeMachine,
        puissance,
        natureFond,
        nomsPrecedents,
        armateur,
        ports,
        capitaine,
        equipage,
        chargement,
        provenance,
        destination,
        miseAJour,
        kFieldCount
    };

    static const RecordSchema& schema();

    static const CodeList& materials();     // materiau
    static const CodeList& propulsions();   // propulsion
    static const CodeList& inclinations();  // inclinaison
    static const CodeList& access();        // acces and localisation
    static const CodeList& ratings();       // interet and technicite
    static const CodeList& gpsSystems();    // gpsSystem
};

}  // namespace divelog
