#include "registers/Entreprises.h"

namespace divelog {

namespace {

using T = FieldType;

// Version 3 added the rating; version 2 made the postal code a text.
constexpr std::array<RecordField, Entreprises::kFieldCount> kFields = {{
    {"entreprise", T::Text},
    {"adresse", T::Text},
    {"codePostal", T::Text, 0, 2},
    {"ville", T::Text},
    {"pays", T::Text},
    {"telephone", T::Text},
    {"fax", T::Text},
    {"email", T::Text},
    {"url", T::Text},
    {"activite", T::Text},
    {"miseAJour", T::Date},
    {"horaireLundi_1", T::Text},
    {"horaireLundi_2", T::Text},
    {"horaireLundi_3", T::Text},
    {"horaireLundi_4", T::Text},
    {"horaireMardi_1", T::Text},
    {"horaireMardi_2", T::Text},
    {"horaireMardi_3", T::Text},
    {"horaireMardi_4", T::Text},
    {"horaireMercredi_1", T::Text},
    {"horaireMercredi_2", T::Text},
    {"horaireMercredi_3", T::Text},
    {"horaireMercredi_4", T::Text},
    {"horaireJeudi_1", T::Text},
    {"horaireJeudi_2", T::Text},
    {"horaireJeudi_3", T::Text},
    {"horaireJeudi_4", T::Text},
    {"horaireVendredi_1", T::Text},
    {"horaireVendredi_2", T::Text},
    {"horaireVendredi_3", T::Text},
    {"horaireVendredi_4", T::Text},
    {"horaireSamedi_1", T::Text},
    {"horaireSamedi_2", T::Text},
    {"horaireSamedi_3", T::Text},
    {"horaireSamedi_4", T::Text},
    {"horaireDimanche_1", T::Text},
    {"horaireDimanche_2", T::Text},
    {"horaireDimanche_3", T::Text},
    {"horaireDimanche_4", T::Text},
    {"remarques", T::Text},
    {"cotation", T::Int, 3},
}};

}  // namespace

const RecordSchema& Entreprises::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

}  // namespace divelog
