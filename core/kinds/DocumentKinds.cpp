#include "kinds/DocumentKinds.h"

#include "document/DocumentFile.h"
#include "logbook/Carnet.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSpecs.h"

namespace divelog {

std::unique_ptr<Document> makeDocument(DocumentKind kind) {
    if (kind == DocumentKind::Carnet) return std::make_unique<Carnet>();
    return std::make_unique<RegisterDocument>(kind, *registerSpec(kind));
}

std::unique_ptr<Document> readDocument(std::span<const std::uint8_t> bytes, DocumentError& error) {
    const DocumentKindInfo* kind = kindOfArchive(bytes, error);
    if (!kind) return nullptr;
    std::unique_ptr<Document> document = makeDocument(kind->kind);
    if (!document->load(bytes, error)) return nullptr;
    return document;
}

std::unique_ptr<Document> openDocumentFile(const std::string& path, DocumentError& error) {
    FileBytes bytes;
    if (!readDocumentFile(path, bytes, error)) return nullptr;
    std::unique_ptr<Document> document = readDocument(bytes.bytes(), error);
    if (document) document->setFilePath(path);
    return document;
}

}  // namespace divelog
