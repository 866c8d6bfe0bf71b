#include "registers/Epaves.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

// Version 5 added the history texts (empty in older files) and the update
// date; 4 made length and beam floats; 3 added the orientation switch; 2 the
// to-visit flag.
constexpr std::array<RecordField, Epaves::kFieldCount> kFields = {{
    {"nom", T::Text},
    {"type", T::Text},
    {"immatriculation", T::Text},
    {"nationalite", T::Text},
    {"longueur", T::Float, 0, 4},
    {"largeur", T::Float, 0, 4},
    {"materiau", T::Int},
    {"jauge", T::Int},
    {"propulsion", T::Int},
    {"dateConstruction", T::Text},
    {"lieuConstruction", T::Text},
    {"dateNaufrage", T::Text},
    {"causeNaufrage", T::Text},
    {"pointHaut", T::Float},
    {"pointBas", T::Float},
    {"orientationSwitch", T::Int, 3},
    {"orientation", T::Int},
    {"inclinaison", T::Int},
    {"dateVisite", T::Date},
    {"aVisiter", T::Int, 2},
    {"lieu", T::Text},
    {"site", T::Text},
    {"pays", T::Text},
    {"gps", T::Text},
    {"gpsSystem", T::Int},
    {"acces", T::Int},
    {"accesBord", T::Int},
    {"localisation", T::Int},
    {"interet", T::Int},
    {"technicite", T::Int},
    {"relevement1", T::Text},
    {"relevement2", T::Text},
    {"relevement3", T::Text},
    {"photo", T::Image},
    {"notes", T::Text},
    {"typeMachine", T::Text, 5, 0, true},
    {"puissance", T::Text, 5, 0, true},
    {"natureFond", T::Text, 5, 0, true},
    {"nomsPrecedents", T::Text, 5, 0, true},
    {"armateur", T::Text, 5, 0, true},
    {"ports", T::Text, 5, 0, true},
    {"capitaine", T::Text, 5, 0, true},
    {"equipage", T::Text, 5, 0, true},
    {"chargement", T::Text, 5, 0, true},
    {"provenance", T::Text, 5, 0, true},
    {"destination", T::Text, 5, 0, true},
    {"miseAJour", T::Date, 5},
}};

constexpr std::array<CodeLabel, 4> kMaterials = {{{1, "Wood", "Epaves"},
                                                  {2, "Iron", "Epaves"},
                                                  {3, "Polyester", "Epaves"},
                                                  {4, "Concrete", "Epaves"}}};
constexpr std::array<CodeLabel, 9> kPropulsions = {{{1, "TableView essence", "Epaves"},
                                                    {2, "TableView diesel", "Epaves"},
                                                    {3, "TableView kerosene", "Epaves"},
                                                    {4, "TableView nucleaire", "Epaves"},
                                                    {5, "TableView rames", "Epaves"},
                                                    {6, "TableView vapeur", "Epaves"},
                                                    {7, "TableView voile", "Epaves"},
                                                    {8, "TableView remorque", "Epaves"},
                                                    {9, "TableView diesel elec", "Epaves"}}};
constexpr std::array<CodeLabel, 3> kInclinations = {
    {{1, "None", "Epaves"}, {2, "Port", "Epaves"}, {3, "Starboard", "Epaves"}}};
constexpr std::array<CodeLabel, 3> kAccess = {
    {{1, "Easy", "Epaves"}, {2, "Medium", "Epaves"}, {3, "Difficult", "Epaves"}}};
constexpr std::array<CodeLabel, 6> kRatings = {{{0, "Cotation 0", "Main"},
                                                {1, "Cotation 1", "Main"},
                                                {2, "Cotation 2", "Main"},
                                                {3, "Cotation 3", "Main"},
                                                {4, "Cotation 4", "Main"},
                                                {5, "Cotation 5", "Main"}}};
constexpr std::array<CodeLabel, 2> kGpsSystems = {{{1, "WGS84", ""}, {2, "ED50", ""}}};

}  // namespace

const RecordSchema& Epaves::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

const CodeList& Epaves::materials() {
    static const CodeList t{kMaterials};
    return t;
}
const CodeList& Epaves::propulsions() {
    static const CodeList t{kPropulsions};
    return t;
}
const CodeList& Epaves::inclinations() {
    static const CodeList t{kInclinations};
    return t;
}
const CodeList& Epaves::access() {
    static const CodeList t{kAccess};
    return t;
}
const CodeList& Epaves::ratings() {
    static const CodeList t{kRatings};
    return t;
}
const CodeList& Epaves::gpsSystems() {
    static const CodeList t{kGpsSystems};
    return t;
}

}  // namespace divelog
