#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace divelog {

// Why a record archive could not be read, in three parts: a code that the
// document layer turns into words for the user, the byte where decoding gave
// up when one is to blame, and the technical message shown under the details.
enum class ArchiveProblem {
    None,
    NotAnArchive,  // the bytes do not start with the archive magic
    NewerFormat,   // a format version above kArchiveFormatVersion
    OtherKind,     // the header names a document kind other than the one expected
    Damaged,       // truncation, a hostile length, a bad type code, trailing bytes...
};

struct ArchiveError {
    ArchiveProblem problem = ArchiveProblem::None;
    std::optional<std::size_t> offset;  // from the first byte of the archive
    std::string message;                // English, for the details

    explicit operator bool() const { return problem != ArchiveProblem::None; }
};

}  // namespace divelog
