#include "document/DocumentFile.h"

#include <cerrno>

#include "archive/BinaryArchive.h"

namespace divelog {

const DocumentKindInfo* kindOfArchive(std::span<const std::uint8_t> bytes, DocumentError& error) {
    ArchiveHeader header;
    ArchiveError archive;
    if (!readArchiveHeader(bytes, header, archive)) {
        error = explainHeaderRefusal(archive);
        return nullptr;
    }
    const DocumentKindInfo* kind = kindForId(header.kind);
    if (!kind)
        error = {DocumentProblem::UnknownKind, std::nullopt,
                 "The file is a record archive of kind \"" + header.kind +
                     "\", which is not a document kind."};
    return kind;
}

std::unique_ptr<Document> readDocument(std::span<const std::uint8_t> bytes, DocumentError& error) {
    const DocumentKindInfo* kind = kindOfArchive(bytes, error);
    if (!kind) return nullptr;
    std::unique_ptr<Document> document = kind->makeDocument();
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

bool readDocumentFile(const std::string& path, FileBytes& bytes, DocumentError& error) {
    errno = 0;
    std::string why;
    if (readWholeFile(path, bytes, why)) return true;
    // The file layer leaves the failing call's errno in place.
    error = {problemOfSystemError(errno), std::nullopt, std::move(why)};
    return false;
}

}  // namespace divelog
