#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// A firm of the firms directory: fields in archive order and the version
// branches of its files.
struct Entreprises {
    static constexpr const char* kClassName = "Entreprises";
    static constexpr int kClassVersion = 3;

    enum Field : std::size_t {
        entreprise,
        adresse,
        codePostal,  // text; an integer in files before version 2
        ville,
        pays,
        telephone,
        fax,
        email,
        url,
        activite,
        miseAJour,
        // Opening hours, Monday to Sunday, four a day: morning opening and
        // closing, afternoon opening and closing.
        horaireLundi_1,
        horaireLundi_2,
        horaireLundi_3,
        horaireLundi_4,
        horaireMardi_1,
        horaireMardi_2,
        horaireMardi_3,
        horaireMardi_4,
        horaireMercredi_1,
        horaireMercredi_2,
        horaireMercredi_3,
        horaireMercredi_4,
        horaireJeudi_1,
        horaireJeudi_2,
        horaireJeudi_3,
        horaireJeudi_4,
        horaireVendredi_1,
        horaireVendredi_2,
        horaireVendredi_3,
        horaireVendredi_4,
        horaireSamedi_1,
        horaireSamedi_2,
        horaireSamedi_3,
        horaireSamedi_4,
        horaireDimanche_1,
        horaireDimanche_2,
        horaireDimanche_3,
        horaireDimanche_4,
        remarques,
        cotation,  // from version 3
        kFieldCount
    };

    static const RecordSchema& schema();
};

}  // namespace divelog
