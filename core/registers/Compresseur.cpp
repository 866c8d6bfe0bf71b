#include "registers/Compresseur.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

// clang-format off
constexpr std::array<RecordField, Compresseur::kFieldCount> kFields = {{
    {"marque", T::Text},
    {"modele", T::Text},
    {"cumulTemps", T::Text},
    {"date", T::Date},
    {"temps", T::Date},
    {"vidange", T::Int},
    {"typeHuile", T::Int},
    {"filtreAir", T::Int},
    {"operationFiltre", T::Int},
    {"cartouche", T::Int},
    {"charbon", T::Int},
    {"alumine", T::Int},
    {"tamis", T::Int},
    {"depoussierage", T::Int},
    {"controles", T::Int},
    {"soupapes", T::Int},
    {"intSoupape", T::Int},
    {"anHuile", T::Float},
    {"anCO2", T::Float},
    {"anCO", T::Float},
    {"anH2O", T::Float},
    {"anCO2Unit", T::Int},
    {"anCOUnit", T::Int},
    {"notes", T::Text},
}};
// clang-format on

constexpr std::array<CodeLabel, 2> kOilTypes = {
    {{0, "Oil mineral", "Compresseur"}, {1, "Oil synthesis", "Compresseur"}}};
constexpr std::array<CodeLabel, 2> kFilterOperations = {
    {{1, "Replaced", "Compresseur"}, {0, "Cleaned", "Compresseur"}}};
constexpr std::array<CodeLabel, 2> kValveOperations = {
    {{1, "Re-set", "Compresseur"}, {0, "Verified", "Compresseur"}}};
constexpr std::array<CodeLabel, 2> kUnits = {{{0, "ml/m3", "Compresseur"}, {1, "ppm", ""}}};

}  // namespace

const RecordSchema& Compresseur::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

const CodeList& Compresseur::oilTypes() {
    static const CodeList t{kOilTypes};
    return t;
}
const CodeList& Compresseur::filterOperations() {
    static const CodeList t{kFilterOperations};
    return t;
}
const CodeList& Compresseur::valveOperations() {
    static const CodeList t{kValveOperations};
    return t;
}
const CodeList& Compresseur::units() {
    static const CodeList t{kUnits};
    return t;
}

}  // namespace divelog
