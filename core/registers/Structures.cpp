#include "registers/Structures.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

constexpr std::array<RecordField, Structures::kFieldCount> kFields = {{
    {"nom", T::Text},
    {"type", T::Int},
    {"affiliation", T::Text},
    {"gerant", T::Text},
    {"adresse", T::Text},
    {"codePostal", T::Int},
    {"ville", T::Text},
    {"pays", T::Text},
    {"telephone", T::Text},
    {"portable", T::Text},
    {"fax", T::Text},
    {"url", T::Text},
    {"email", T::Text},
    {"cotation", T::Int},
    {"miseAJour", T::Date},
    {"plongee_1", T::Text},
    {"plongee_2", T::Text},
    {"plongee_3", T::Text},
    {"plongee_4", T::Text},
    {"plongee_5", T::Text},
    {"bapteme", T::Float},
    {"prix_1", T::Float},
    {"prix_2", T::Float},
    {"prix_3", T::Float},
    {"prix_4", T::Float},
    {"prix_5", T::Float},
    {"formation_1", T::Text},
    {"formation_2", T::Text},
    {"formation_3", T::Text},
    {"formation_4", T::Text},
    {"formation_5", T::Text},
    {"formation_6", T::Text},
    {"prixForm_1", T::Float},
    {"prixForm_2", T::Float},
    {"prixForm_3", T::Float},
    {"prixForm_4", T::Float},
    {"prixForm_5", T::Float},
    {"prixForm_6", T::Float},
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
    {"nbPlongees", T::Int},
    {"remarques", T::Text},
}};

// The pop-up's tags are its positions.
constexpr std::array<CodeLabel, 3> kKinds = {
    {{0, "Associative", "Structures"}, {1, "Commerciale", "Structures"}, {2, "N/A", "Structures"}}};

}  // namespace

const RecordSchema& Structures::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

const CodeList& Structures::kinds() {
    static const CodeList t{kKinds};
    return t;
}

}  // namespace divelog
