#pragma once

#include <memory>

#include "document/Document.h"

namespace divelog {

// A new, empty document of the kind, made by its row of the kind table.
std::unique_ptr<Document> makeDocument(DocumentKind kind);

}  // namespace divelog
