#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// A part of the consumables inventory: fields in archive order and the
// version branches of its files.
struct Consommables {
    static constexpr const char* kClassName = "Consommables";
    static constexpr int kClassVersion = 2;

    enum Field : std::size_t {
        reference,
        marque,
        utilisation,
        stock,
        reserve,  // reorder below this stock
        rangement,
        noInventaire,  // 1 when the part has no count date
        dateInventaire,
        notes,
        kFieldCount
    };

    static const RecordSchema& schema();
};

}  // namespace divelog
