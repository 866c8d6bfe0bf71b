#pragma once

// Opening a document file whatever its name says: the kind is the one its
// record archive header names, so "Dives v1.5" or a wreck register renamed
// ".divelog" opens as what it is.

#include <cstdint>
#include <span>
#include <string>

#include "document/Document.h"

namespace divelog {

// The kind named by the archive header in `bytes`; null with `error` set when
// the bytes are no record archive or name no kind this program knows.
const DocumentKindInfo* kindOfArchive(std::span<const std::uint8_t> bytes, DocumentError& error);

// The whole file, or false with the system's reason in `error`.
[[nodiscard]] bool readDocumentFile(const std::string& path, FileBytes& bytes,
                                    DocumentError& error);

}  // namespace divelog
