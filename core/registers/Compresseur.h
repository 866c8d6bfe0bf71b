#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// One service of the compressor maintenance register: fields in archive
// order, the same in every version, and the codes of its choices.
struct Compresseur {
    static constexpr const char* kClassName = "Compresseur";
    static constexpr int kClassVersion = 1;

    enum Field : std::size_t {
        marque,
        modele,
        cumulTemps,  // cumulated running hours, free text
        date,
        temps,  // running time of the service (ClockDuration)
        vidange,
        typeHuile,  // oilTypes()
        filtreAir,
        operationFiltre,  // filterOperations()
        cartouche,
        charbon,
        alumine,
        tamis,
        depoussierage,
        controles,
        soupapes,
        intSoupape,  // valveOperations()
        anHuile,     // analyses: -1 when not measured
        anCO2,
        anCO,
        anH2O,
        anCO2Unit,  // units()
        anCOUnit,
        notes,
        kFieldCount
    };

    static const RecordSchema& schema();
    static const CodeList& oilTypes();
    static const CodeList& filterOperations();
    static const CodeList& valveOperations();
    static const CodeList& units();

    // An analysis not measured.
    static constexpr float kNotMeasured = -1.0f;
};

}  // namespace divelog
