#include "registers/Rebreather.h"

#include <array>

namespace divelog {

namespace {

using T = FieldType;

constexpr std::array<RecordField, Rebreather::kFieldCount> kFields = {{
    {"date", T::Date},
    {"rebreatherTime", T::Text},
    {"sofnoTime", T::Date},
    {"sofnolime", T::Int},
    {"disinfection", T::Int},
    {"battery", T::Int},
    {"cells", T::Int},
    {"nbCells", T::Int},
    {"injector", T::Int},
    {"valve", T::Int},
    {"oRing", T::Int},
    {"electronicHead", T::Int},
    {"scrubber", T::Int},
    {"mpO2", T::Int},
    {"mpO2Value", T::Float},
    {"notes", T::Text},
}};

// Units carry one to five cells; 0 before any is counted.
constexpr std::array<CodeLabel, 6> kCellCounts = {
    {{0, "0", ""}, {1, "1", ""}, {2, "2", ""}, {3, "3", ""}, {4, "4", ""}, {5, "5", ""}}};

}  // namespace

const RecordSchema& Rebreather::schema() {
    static const RecordSchema s{kClassName, kClassVersion, kFields};
    return s;
}

const CodeList& Rebreather::cellCounts() {
    static const CodeList t{kCellCounts};
    return t;
}

}  // namespace divelog
