#pragma once

// The one place that knows the byte layout of record archives (see
// docs/archive-format.md). Records speak to it only through ArchiveWriter and
// ArchiveReader; documents use the list encoder and decoder below.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveError.h"
#include "archive/ArchiveReader.h"
#include "archive/ArchiveWriter.h"
#include "util/FileIO.h"

namespace divelog {

inline constexpr std::uint16_t kArchiveFormatVersion = 1;
inline constexpr std::size_t kMaxKindLength = 64;
inline constexpr std::size_t kMaxClassCount = 64;
inline constexpr std::size_t kMaxClassNameLength = 128;

struct ClassVersion {
    std::string name;
    std::int32_t version = 0;
    friend bool operator==(const ClassVersion&, const ClassVersion&) = default;
};

struct ArchiveHeader {
    std::uint16_t formatVersion = 0;
    std::string kind;
    std::vector<ClassVersion> classes;
    std::size_t bodyOffset = 0;  // first byte after the header
};

// Reads the header only. Returns false, saying why, for anything that is not
// a record archive this program can read.
[[nodiscard]] bool readArchiveHeader(std::span<const std::uint8_t> bytes, ArchiveHeader& header,
                                     ArchiveError& error);
[[nodiscard]] bool readArchiveHeader(std::span<const std::uint8_t> bytes, ArchiveHeader& header,
                                     std::string& error);

// Walks a whole record-list archive by its type codes alone, knowing no record
// class, and returns the first fault in its structure with the byte it is at
// (a false problem when there is none). A record class can still refuse an
// archive that passes: a value of the wrong type for its order, or one too many.
// Allocates nothing the archive asks for.
ArchiveError checkArchiveStructure(std::span<const std::uint8_t> bytes);

// Builds an archive whose root object is a list of records. The class table
// is given up front so that the header can precede the records.
class RecordListEncoder {
public:
    RecordListEncoder(std::string_view kind, std::vector<ClassVersion> classes, std::size_t count,
                      std::size_t sizeHint = 0);
    // Streams to `out` through a reused buffer instead of building the whole
    // archive in memory; end with finishStream().
    RecordListEncoder(std::string_view kind, std::vector<ClassVersion> classes, std::size_t count,
                      ByteOutput& out);
    ~RecordListEncoder();
    RecordListEncoder(const RecordListEncoder&) = delete;
    RecordListEncoder& operator=(const RecordListEncoder&) = delete;

    // The writer stays valid until endRecord(). Throws std::logic_error for a
    // class missing from the table or more records than announced.
    ArchiveWriter& beginRecord(std::string_view className);
    void endRecord();
    // Throws std::logic_error when fewer records were written than announced.
    std::vector<std::uint8_t> finish();
    // The streaming end: false when the output refused bytes.
    [[nodiscard]] bool finishStream();

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

// Walks an archive written by RecordListEncoder. After any false return the
// decoder is spent and error() says why.
class RecordListDecoder {
public:
    explicit RecordListDecoder(std::span<const std::uint8_t> bytes);
    ~RecordListDecoder();
    RecordListDecoder(const RecordListDecoder&) = delete;
    RecordListDecoder& operator=(const RecordListDecoder&) = delete;

    // Reads the header, checks the kind (any kind when absent) and enters the
    // record list.
    [[nodiscard]] bool open(std::optional<std::string_view> expectedKind);
    const ArchiveHeader& header() const;
    std::size_t count() const;
    // An upper bound for reserving: how many records the remaining bytes could hold.
    std::size_t plausibleCount() const;

    // Enters the next record, which must be of the given class.
    [[nodiscard]] bool beginRecord(std::string_view className, ArchiveReader*& reader);
    // Steps over the next record, whatever its class, checking only that its
    // values are well formed and fill it exactly.
    [[nodiscard]] bool skipRecord();
    // Leaves it; the record must have consumed exactly its own bytes.
    [[nodiscard]] bool endRecord();
    // Checks that the list is complete and nothing follows it.
    [[nodiscard]] bool finish();

    const std::string& error() const;
    // The same failure with its problem code and byte offset.
    const ArchiveError& failure() const;

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

// A colour value archived on its own, as the settings store keeps colours.
std::vector<std::uint8_t> encodeColourArchive(const Colour& colour);
std::optional<Colour> decodeColourArchive(std::span<const std::uint8_t> bytes);

}  // namespace divelog
