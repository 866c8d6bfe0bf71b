#include "registers/DiversDocs.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

constexpr std::array<RecordField, DiversDocs::kFieldCount> kFields = {{
    {"type", T::Int},
    {"titre", T::Text},
    {"emetteur", T::Text},
    {"date", T::Date},
    {"renouveler", T::Int},
    {"dateRenouvellement", T::Date},
    {"photocopy", T::Image},
    {"notes", T::Text},
}};

constexpr std::array<CodeLabel, 6> kKinds = {{{0, "TableView attestation", "Documents"},
                                              {1, "TableView certification", "Documents"},
                                              {2, "TableView certifMed", "Documents"},
                                              {3, "TableView facture", "Documents"},
                                              {4, "TableView licence", "Documents"},
                                              {5, "TableView autre", "Documents"}}};

}  // namespace

const RecordSchema& DiversDocs::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

const CodeList& DiversDocs::kinds() {
    static const CodeList t{kKinds};
    return t;
}

}  // namespace divelog
