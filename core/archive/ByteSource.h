#pragma once

// The bounds-checked cursor every archive read goes through. Internal to
// core/archive: records see it only as an ArchiveReader.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "archive/ArchiveError.h"
#include "archive/ArchiveTags.h"
#include "archive/BinaryArchive.h"

namespace divelog::archive_detail {

// Every read either succeeds or records the first failure, with the byte it
// happened at, and leaves the cursor at the end so that later reads fail too.
// A length or count from the file is a limit checked against the bytes left,
// never a size to allocate up front.
class ByteSource final : public ArchiveReader {
public:
    explicit ByteSource(std::span<const std::uint8_t> bytes)
        : begin(bytes.data()), pos(bytes.data()), end(bytes.data() + bytes.size()) {}

    const std::uint8_t* begin;
    const std::uint8_t* pos;
    const std::uint8_t* end;  // narrowed to a record's end while inside it
    const ArchiveHeader* header = nullptr;
    ArchiveError failure;

    // The failures of need() and tag(), out of the way of the reads.
    [[gnu::cold]] bool truncated();
    [[gnu::cold]] bool wrongTag();

    bool failed() const { return static_cast<bool>(failure); }
    // Damage at `at` (the cursor when null).
    bool fail(std::string message, const std::uint8_t* at = nullptr) {
        return fail(ArchiveProblem::Damaged, std::move(message), at ? at : pos);
    }
    bool fail(ArchiveProblem problem, std::string message, const std::uint8_t* at);

    std::size_t left() const { return static_cast<std::size_t>(end - pos); }
    // The reads of every value, kept inline: a logbook holds millions of them.
    bool need(std::size_t n) { return n <= left() || truncated(); }
    bool raw(void* dst, std::size_t n) {
        if (!need(n)) return false;
        std::memcpy(dst, pos, n);
        pos += n;
        return true;
    }
    bool skip(std::size_t n) {
        if (!need(n)) return false;
        pos += n;
        return true;
    }
    bool u8(std::uint8_t& v) { return raw(&v, 1); }
    bool u16(std::uint16_t& v) { return raw(&v, 2); }
    bool u32(std::uint32_t& v) { return raw(&v, 4); }
    // A count of elements of a given size that must fit in the bytes left.
    bool count(std::size_t elementSize, std::size_t& n);
    bool text(std::string& s);
    template <class T>
    bool block(std::vector<T>& v);
    bool tag(std::uint8_t expected) {
        if (pos < end && *pos == expected) {
            ++pos;
            return true;
        }
        return wrongTag();
    }
    // Reads an object's tag; `isNull` tells a null object.
    bool objectTag(std::uint8_t expected, bool& isNull);
    // Steps over one value of any type, by its type code alone.
    bool skipValue();

    int versionOfClass(std::string_view className) const override;
    bool readInt(std::int32_t& v) override { return tag(kTagInt) && raw(&v, 4); }
    bool readFloat(float& v) override { return tag(kTagFloat) && raw(&v, 4); }
    bool readString(std::optional<std::string>& v) override;
    bool readDate(std::optional<Date>& v) override;
    bool readNumber(std::optional<double>& v) override;
    bool readIntArray(std::optional<std::vector<std::int32_t>>& v) override;
    bool readRealArray(std::optional<std::vector<double>>& v) override;
    bool readStringList(std::optional<std::vector<std::string>>& v) override;
    bool readImage(std::optional<Image>& v) override;
    bool readColour(std::optional<Colour>& v) override;

private:
    template <class T, class Fill>
    bool object(std::optional<T>& v, std::uint8_t expected, Fill fill);
};

// Reads the header at the cursor.
bool parseHeader(ByteSource& src, ArchiveHeader& header);

}  // namespace divelog::archive_detail
