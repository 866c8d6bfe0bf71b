#pragma once

#include <memory>

#include "document/Document.h"

namespace divelog {

// A new, empty document of the kind: its own class for the logbook, the
// register document for the others.
std::unique_ptr<Document> makeDocument(DocumentKind kind);

}  // namespace divelog
