#include "registers/Entreprises.h"

#include "util/Splice.h"

namespace divelog {

namespace {

using T = FieldType;

// Version 3 added the rating; version 2 made the postal code a text.
constexpr std::array<RecordField, Entreprises::horaires> kBeforeHours = {{
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
}};
constexpr auto kAfterHours = std::to_array<RecordField>({
    {"remarques", T::Text},
    {"cotation", T::Int, 3},
});
constexpr std::array<RecordField, Entreprises::kFieldCount> kFields =
    spliced(kBeforeHours, OpeningHours::recordFields(), kAfterHours);
static_assert(kFields[Entreprises::horaires].name == OpeningHours::kFields.front());

}  // namespace

const RecordSchema& Entreprises::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

}  // namespace divelog
