#include "registers/Structures.h"

#include <array>

#include "util/Splice.h"

namespace divelog {

namespace {

using T = FieldType;

constexpr std::array<RecordField, Structures::horaires> kBeforeHours = {{
    {"nom", T::Text},         {"type", T::Int},         {"affiliation", T::Text},
    {"gerant", T::Text},      {"adresse", T::Text},     {"codePostal", T::Int},
    {"ville", T::Text},       {"pays", T::Text},        {"telephone", T::Text},
    {"portable", T::Text},    {"fax", T::Text},         {"url", T::Text},
    {"email", T::Text},       {"cotation", T::Int},     {"miseAJour", T::Date},
    {"plongee_1", T::Text},   {"plongee_2", T::Text},   {"plongee_3", T::Text},
    {"plongee_4", T::Text},   {"plongee_5", T::Text},   {"bapteme", T::Float},
    {"prix_1", T::Float},     {"prix_2", T::Float},     {"prix_3", T::Float},
    {"prix_4", T::Float},     {"prix_5", T::Float},     {"formation_1", T::Text},
    {"formation_2", T::Text}, {"formation_3", T::Text}, {"formation_4", T::Text},
    {"formation_5", T::Text}, {"formation_6", T::Text}, {"prixForm_1", T::Float},
    {"prixForm_2", T::Float}, {"prixForm_3", T::Float}, {"prixForm_4", T::Float},
    {"prixForm_5", T::Float}, {"prixForm_6", T::Float},
}};
constexpr auto kAfterHours = std::to_array<RecordField>({
    {"nbPlongees", T::Int},
    {"remarques", T::Text},
});
constexpr std::array<RecordField, Structures::kFieldCount> kFields =
    spliced(kBeforeHours, OpeningHours::recordFields(), kAfterHours);
static_assert(kFields[Structures::horaires].name == OpeningHours::kFields.front());

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
