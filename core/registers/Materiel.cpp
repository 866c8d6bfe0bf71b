#include "registers/Materiel.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

// Version 2 added the state, the invoice flag and the shop.
constexpr std::array<RecordField, Materiel::kFieldCount> kFields = {{
    {"matosNo", T::Text},
    {"typeMatos", T::Text},
    {"marqueMatos", T::Text},
    {"serieMatos", T::Text},
    {"dateAchatMatos", T::Text},
    {"quantiteMatos", T::Int},
    {"prixMatos", T::Text},
    {"lastRevision", T::Date},
    {"nextRevision", T::Date},
    {"firstRequalification", T::Text},
    {"nextRequalification", T::Date},
    {"noInspection", T::Int},
    {"bloc", T::Int},
    {"tiv", T::Int},
    {"noTIV", T::Text},
    {"nomTIV", T::Text},
    {"capaciteBloc", T::Float},
    {"pressionService", T::Int},
    {"pressionEpreuve", T::Int},
    {"notesMatos", T::Text},
    {"equipState", T::Int, 2},
    {"factureMatos", T::Int, 2},
    {"lieuAchatMatos", T::Text, 2},
}};

constexpr std::array<CodeLabel, 7> kStates = {{{0, "En service", "Materiel"},
                                               {1, "A reparer", "Materiel"},
                                               {2, "Reforme", "Materiel"},
                                               {3, "Gift", "Materiel"},
                                               {4, "Sold", "Materiel"},
                                               {5, "Lost", "Materiel"},
                                               {6, "Replace", "Materiel"}}};

}  // namespace

const RecordSchema& Materiel::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

const CodeList& Materiel::states() {
    static const CodeList t{kStates};
    return t;
}

Date Materiel::noDate() { return dateFromLocalParts({1900, 1, 1, 0, 0, 0}); }

bool Materiel::isNoDate(const std::optional<Date>& date) {
    // 1900-01-02 00:00:00 UTC in seconds from 2001-01-01 UTC: 36889 days before.
    constexpr double kLastNoDate = -36889.0 * 86400.0;
    return !date || date->seconds < kLastNoDate;
}

double Materiel::elapsedShare(const std::optional<Date>& last, const std::optional<Date>& next,
                              Date now) {
    if (isNoDate(last) || isNoDate(next) || last->seconds == next->seconds) return 0;
    const double share = (now.seconds - last->seconds) / (next->seconds - last->seconds) * 100.0;
    return share == share ? share : 0;  // NaN from a damaged file counts as nothing elapsed
}

}  // namespace divelog
