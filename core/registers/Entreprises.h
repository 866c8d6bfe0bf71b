#pragma once

#include <cstddef>

#include "registers/OpeningHours.h"
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
        horaires,  // the first of the opening hours, in OpeningHours order
        remarques = horaires + OpeningHours::kFieldCount,
        cotation,  // from version 3
        kFieldCount
    };

    static const RecordSchema& schema();
};

}  // namespace divelog
