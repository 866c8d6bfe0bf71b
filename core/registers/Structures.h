#pragma once

#include <cstddef>

#include "registers/OpeningHours.h"
#include "registers/RecordSchema.h"

namespace divelog {

// A dive club or centre of the structures directory: fields in archive order
// (one version, the class sets none) and the codes of its kind.
struct Structures {
    static constexpr const char* kClassName = "Structures";
    static constexpr int kClassVersion = 0;

    enum Field : std::size_t {
        nom,
        type,  // 0 association, 1 business, 2 not given
        affiliation,
        gerant,
        adresse,
        codePostal,  // an integer
        ville,
        pays,
        telephone,
        portable,
        fax,
        url,  // before the e-mail, unlike the firms
        email,
        cotation,
        miseAJour,
        plongee_1,  // names of five dive formulas
        plongee_2,
        plongee_3,
        plongee_4,
        plongee_5,
        bapteme,  // price of a try-dive
        prix_1,   // prices of the formulas
        prix_2,
        prix_3,
        prix_4,
        prix_5,
        formation_1,  // names of six courses
        formation_2,
        formation_3,
        formation_4,
        formation_5,
        formation_6,
        prixForm_1,  // prices of the courses
        prixForm_2,
        prixForm_3,
        prixForm_4,
        prixForm_5,
        prixForm_6,
        horaires,  // the first of the opening hours, in OpeningHours order
        nbPlongees = horaires + OpeningHours::kFieldCount,
        remarques,
        kFieldCount
    };

    static constexpr std::size_t kFormulas = 5;
    static constexpr std::size_t kCourses = 6;

    static const RecordSchema& schema();
    static const CodeList& kinds();  // type
};

}  // namespace divelog
