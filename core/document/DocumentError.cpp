#include "document/DocumentError.h"

#include <cerrno>

#include "archive/BinaryArchive.h"

namespace divelog {

ProblemText openProblemText(const DocumentError& error) {
    switch (error.problem) {
        case DocumentProblem::FileNotFound:
            return {"File not found",
                    "The file could not be found. It may have been moved, renamed or deleted."};
        case DocumentProblem::PermissionDenied:
            return {"File permission denied", "The file could not be read: permission denied."};
        case DocumentProblem::IsAFolder:
            return {"File is a folder", "This is a folder, not a file."};
        case DocumentProblem::DiskFull:
        case DocumentProblem::FileUnreadable:
            return {"File unreadable", "The file could not be read."};
        case DocumentProblem::NotADiveLog:
            return {"Not a dive log file", "This is not a dive log file."};
        case DocumentProblem::UnknownKind:
            return {"Unknown document kind",
                    "This file holds a kind of document that this version of DiveLog does not "
                    "know."};
        case DocumentProblem::OtherKind:
            return {"File holds another kind", "The file now holds another kind of document."};
        case DocumentProblem::NewerVersion:
            return {"File from a newer version",
                    "This file was written by a newer version of DiveLog."};
        case DocumentProblem::OlderVersion:
            return {"File from an old version",
                    "This file was written by a version of DiveLog too old for this one to read."};
        case DocumentProblem::Damaged: break;
    }
    if (error.offset) return {"File damaged near byte", "The file is damaged near byte %@."};
    return {"File damaged", "The file is damaged."};
}

ProblemText saveProblemText(const DocumentError& error) {
    switch (error.problem) {
        case DocumentProblem::FileNotFound:
            return {"Save folder missing", "The folder to save in does not exist."};
        case DocumentProblem::PermissionDenied:
            return {"Save permission denied",
                    "The folder to save in is write-protected, or the file is: it could not be "
                    "written there."};
        case DocumentProblem::IsAFolder:
            return {"Save over a folder", "A folder already has this name."};
        case DocumentProblem::DiskFull: return {"Disk full", "The disk is full."};
        default: return {"File not written", "The file could not be written."};
    }
}

DocumentProblem problemOfSystemError(int code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR: return DocumentProblem::FileNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return DocumentProblem::PermissionDenied;
        case EISDIR: return DocumentProblem::IsAFolder;
        case ENOSPC:
        case EDQUOT: return DocumentProblem::DiskFull;
        default: return DocumentProblem::FileUnreadable;
    }
}

DocumentError explainHeaderRefusal(const ArchiveError& archive) {
    DocumentError error{DocumentProblem::Damaged, std::nullopt, archive.message};
    if (archive.problem == ArchiveProblem::NotAnArchive)
        error.problem = DocumentProblem::NotADiveLog;
    else if (archive.problem == ArchiveProblem::NewerFormat)
        error.problem = DocumentProblem::NewerVersion;
    else
        error.offset = archive.offset;
    return error;
}

DocumentError explainRefusal(const DocumentKindInfo& kind, RecordVersions versions,
                             std::span<const std::uint8_t> bytes, std::string reason) {
    DocumentError error{DocumentProblem::Damaged, std::nullopt, std::move(reason)};
    ArchiveHeader header;
    ArchiveError archive;
    if (!readArchiveHeader(bytes, header, archive)) {
        DocumentError verdict = explainHeaderRefusal(archive);
        if (!error.details.empty()) verdict.details = std::move(error.details);
        return verdict;
    }
    if (header.kind != kind.id) {
        error.problem =
            kindForId(header.kind) ? DocumentProblem::OtherKind : DocumentProblem::UnknownKind;
        return error;
    }
    for (const auto& c : header.classes) {
        if (c.name != kind.recordClass) continue;
        if (c.version > versions.newest) error.problem = DocumentProblem::NewerVersion;
        if (c.version < versions.oldest) error.problem = DocumentProblem::OlderVersion;
        if (error.problem != DocumentProblem::Damaged) return error;
    }
    const ArchiveError structure = checkArchiveStructure(bytes);
    if (structure) {
        error.offset = structure.offset;
        if (error.details.empty()) error.details = structure.message;
    }
    return error;
}

}  // namespace divelog
