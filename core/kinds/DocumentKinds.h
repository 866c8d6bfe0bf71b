#pragma once

// The top of the core: the one place that knows every document class, so
// that a file opens as whatever kind its header names.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "document/Document.h"

namespace divelog {

// A new, empty document of the kind.
std::unique_ptr<Document> makeDocument(DocumentKind kind);

// A new document of the header's kind holding the records of `bytes`; null
// with `error` set on any refusal. The document has no path yet.
std::unique_ptr<Document> readDocument(std::span<const std::uint8_t> bytes, DocumentError& error);

// readDocument() on the file at `path`; the document keeps the path, unchanged.
std::unique_ptr<Document> openDocumentFile(const std::string& path, DocumentError& error);

}  // namespace divelog
