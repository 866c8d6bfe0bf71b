#include "document/DocumentFactory.h"

#include "logbook/Carnet.h"
#include "registers/RegisterDocument.h"

namespace divelog {

std::unique_ptr<Document> makeDocument(DocumentKind kind) {
    if (kind == DocumentKind::Carnet) return std::make_unique<Carnet>();
    return std::make_unique<RegisterDocument>(kind);
}

}  // namespace divelog
