#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// A priced service of the budget forecast: fields in archive order (one
// version only) and the labels of its two ratings.
struct Budget {
    static constexpr const char* kClassName = "Budget";
    static constexpr int kClassVersion = 1;

    enum Field : std::size_t {
        prestation,
        quantite_0,  // the base service
        quantite_1,  // supplements 1 to 4
        quantite_2,
        quantite_3,
        quantite_4,
        quantite_5,  // a sixth line, kept but never totalled
        prixUnitaire_0,
        prixUnitaire_1,
        prixUnitaire_2,
        prixUnitaire_3,
        prixUnitaire_4,
        prixUnitaire_5,
        supplement_1,
        supplement_2,
        supplement_3,
        supplement_4,
        prixDegressif,  // 1 when the card tariff applies
        unitesCarte_1,
        unitesCarte_2,
        unitesCarte_3,
        unitesCarte_4,
        prixCarte_1,
        prixCarte_2,
        prixCarte_3,
        prixCarte_4,
        prevDepense,  // 1 for a planned expense
        entreprise,
        qualitePrix,
        delai,
        miseAJour,
        notes,
        kFieldCount
    };

    // Lines that enter the total: the base service and the four supplements.
    static constexpr int kTotalledLines = 5;
    static constexpr int kCards = 4;

    static const RecordSchema& schema();
    static const CodeList& priceRatings();  // qualitePrix, 0 "N/A"
    static const CodeList& delayRatings();  // delai, 0 "N/A"
};

}  // namespace divelog
