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

bool readDocumentFile(const std::string& path, FileBytes& bytes, DocumentError& error) {
    errno = 0;
    std::string why;
    if (readWholeFile(path, bytes, why)) return true;
    // The file layer leaves the failing call's errno in place.
    error = {problemOfSystemError(errno), std::nullopt, std::move(why)};
    return false;
}

}  // namespace divelog
