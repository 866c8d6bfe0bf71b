#include "registers/Budget.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

// One field a line, in archive order.
// clang-format off
constexpr std::array<RecordField, Budget::kFieldCount> kFields = {{
    {"prestation", T::Text},
    {"quantite_0", T::Int},
    {"quantite_1", T::Int},
    {"quantite_2", T::Int},
    {"quantite_3", T::Int},
    {"quantite_4", T::Int},
    {"quantite_5", T::Int},
    {"prixUnitaire_0", T::Float},
    {"prixUnitaire_1", T::Float},
    {"prixUnitaire_2", T::Float},
    {"prixUnitaire_3", T::Float},
    {"prixUnitaire_4", T::Float},
    {"prixUnitaire_5", T::Float},
    {"supplement_1", T::Text},
    {"supplement_2", T::Text},
    {"supplement_3", T::Text},
    {"supplement_4", T::Text},
    {"prixDegressif", T::Int},
    {"unitesCarte_1", T::Int},
    {"unitesCarte_2", T::Int},
    {"unitesCarte_3", T::Int},
    {"unitesCarte_4", T::Int},
    {"prixCarte_1", T::Float},
    {"prixCarte_2", T::Float},
    {"prixCarte_3", T::Float},
    {"prixCarte_4", T::Float},
    {"prevDepense", T::Int},
    {"entreprise", T::Text},
    {"qualitePrix", T::Int},
    {"delai", T::Int},
    {"miseAJour", T::Date},
    {"notes", T::Text},
}};
// clang-format on

constexpr std::array<CodeLabel, 6> kPriceRatings = {{{0, "N/A", "Budget"},
                                                     {1, "Very bad", "Budget"},
                                                     {2, "Bad", "Budget"},
                                                     {3, "Medium", "Budget"},
                                                     {4, "Good", "Budget"},
                                                     {5, "Very good", "Budget"}}};
constexpr std::array<CodeLabel, 6> kDelayRatings = {{{0, "N/A", "Budget"},
                                                     {1, "Very inefficient", "Budget"},
                                                     {2, "Inefficient", "Budget"},
                                                     {3, "Medium", "Budget"},
                                                     {4, "Satisfying", "Budget"},
                                                     {5, "Very satisfying", "Budget"}}};

}  // namespace

const RecordSchema& Budget::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

const CodeList& Budget::priceRatings() {
    static const CodeList t{kPriceRatings};
    return t;
}

const CodeList& Budget::delayRatings() {
    static const CodeList t{kDelayRatings};
    return t;
}

}  // namespace divelog
