#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "archive/ArchiveError.h"
#include "document/DocumentKind.h"

namespace divelog {

// What went wrong with a document file, as a diver would be told it.
enum class DocumentProblem {
    FileNotFound,      // nothing at the path, or a folder on the way is missing
    PermissionDenied,  // the system refused access (or the disk is read-only)
    IsAFolder,
    DiskFull,
    FileUnreadable,  // any other failure of the system
    NotADiveLog,     // not a record archive at all
    UnknownKind,     // a record archive of a kind this program does not know
    OtherKind,       // a document of another kind than the one asked for
    NewerVersion,    // a newer archive format, or records of a newer version
    OlderVersion,    // records older than this program still reads
    Damaged,         // anything else the decoder refused
};

struct DocumentError {
    DocumentProblem problem = DocumentProblem::Damaged;
    std::optional<std::size_t> offset;  // the byte where decoding failed, when known
    std::string details;                // the technical reason, in English
};

// What the user reads: a key of the "Main" table and its English text, in
// which "%@" stands for the byte offset.
struct ProblemText {
    std::string_view key;
    std::string_view english;
};
ProblemText openProblemText(const DocumentError& error);
ProblemText saveProblemText(const DocumentError& error);

// The problem behind the errno of a failed read or write.
DocumentProblem problemOfSystemError(int code);

// A header that readArchiveHeader() refused, in the same terms.
DocumentError explainHeaderRefusal(const ArchiveError& archive);

// The versions of a record class that a document reads.
struct RecordVersions {
    int oldest;
    int newest;
};

// Why a document of `kind` refused `bytes`, its decoder having said `reason`:
// the header's verdict first, then the kind, the record versions and last the
// archive's structure, which is where a byte offset comes from.
DocumentError explainRefusal(const DocumentKindInfo& kind, RecordVersions versions,
                             std::span<const std::uint8_t> bytes, std::string reason);

}  // namespace divelog
