#include "document/DocumentFactory.h"

namespace divelog {

std::unique_ptr<Document> makeDocument(DocumentKind kind) { return kindInfo(kind).makeDocument(); }

}  // namespace divelog
