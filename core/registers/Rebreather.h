#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// One intervention of the rebreather service log: fields in archive order.
// Every version of the class holds all of them.
struct Rebreather {
    static constexpr const char* kClassName = "Rebreather";
    static constexpr int kClassVersion = 2;

    enum Field : std::size_t {
        date,
        rebreatherTime,  // running time of the unit, free text
        sofnoTime,       // absorbent time (ClockDuration)
        sofnolime,       // the switches: 1 when done
        disinfection,
        battery,
        cells,
        nbCells,  // cells changed, a code of cellCounts()
        injector,
        valve,
        oRing,
        electronicHead,
        scrubber,
        mpO2,
        mpO2Value,  // bar
        notes,
        kFieldCount
    };

    static const RecordSchema& schema();
    static const CodeList& cellCounts();  // nbCells
};

}  // namespace divelog
