#include "registers/Consommables.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

// Version 2 made stock and reserve floats.
constexpr std::array<RecordField, Consommables::kFieldCount> kFields = {{
    {"reference", T::Text},
    {"marque", T::Text},
    {"utilisation", T::Text},
    {"stock", T::Float, 0, 2},
    {"reserve", T::Float, 0, 2},
    {"rangement", T::Text},
    {"noInventaire", T::Int},
    {"dateInventaire", T::Date},
    {"notes", T::Text},
}};

}  // namespace

const RecordSchema& Consommables::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

}  // namespace divelog
