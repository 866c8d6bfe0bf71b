#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// A paper of the miscellaneous documents register: fields in archive order
// (one version) and the document kinds.
struct DiversDocs {
    static constexpr const char* kClassName = "DiversDocs";
    static constexpr int kClassVersion = 1;

    enum Field : std::size_t {
        type,  // a code of kinds()
        titre,
        emetteur,
        date,
        renouveler,  // 1 when the document must be renewed
        dateRenouvellement,
        photocopy,
        notes,
        kFieldCount
    };

    static const RecordSchema& schema();
    static const CodeList& kinds();  // type
};

}  // namespace divelog
