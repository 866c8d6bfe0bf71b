#include "archive/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace divelog::archive_detail {

namespace {

std::string badTag(std::uint8_t t) {
    return "Unexpected value type code " + std::to_string(t) + " in the file.";
}

}  // namespace

bool ByteSource::fail(ArchiveProblem problem, std::string message, const std::uint8_t* at) {
    if (!failed()) {
        failure.problem = problem;
        failure.message = std::move(message);
        if (at) failure.offset = static_cast<std::size_t>(at - begin);
    }
    pos = end;
    return false;
}

bool ByteSource::truncated() { return fail("The file is truncated."); }

bool ByteSource::count(std::size_t elementSize, std::size_t& n) {
    const std::uint8_t* at = pos;
    std::uint32_t c = 0;
    if (!u32(c)) return false;
    if (static_cast<std::uint64_t>(c) * elementSize > left())
        return fail("A length in the file runs past its end.", at);
    n = c;
    return true;
}

bool ByteSource::text(std::string& s) {
    std::size_t n = 0;
    if (!count(1, n)) return false;
    s.assign(reinterpret_cast<const char*>(pos), n);
    pos += n;
    return true;
}

template <class T>
bool ByteSource::block(std::vector<T>& v) {
    std::size_t n = 0;
    if (!count(sizeof(T), n)) return false;
    v.resize(n);
    if (n) std::memcpy(v.data(), pos, n * sizeof(T));
    pos += n * sizeof(T);
    return true;
}

bool ByteSource::wrongTag() {
    std::uint8_t t = 0;
    if (!u8(t)) return false;
    return fail(badTag(t), pos - 1);
}

bool ByteSource::objectTag(std::uint8_t expected, bool& isNull) {
    std::uint8_t t = 0;
    if (!u8(t)) return false;
    isNull = t == kTagNull;
    return isNull || t == expected || fail(badTag(t), pos - 1);
}

bool ByteSource::skipValue() {
    std::uint8_t t = 0;
    if (!u8(t)) return false;
    std::size_t n = 0;
    switch (t) {
        case kTagNull: return true;
        case kTagInt:
        case kTagFloat: return skip(4);
        case kTagDate:
        case kTagNumber: return skip(8);
        case kTagColour: return skip(16);
        case kTagString:
        case kTagImage: return count(1, n) && skip(n);
        case kTagIntArray: return count(4, n) && skip(n * 4);
        case kTagRealArray: return count(8, n) && skip(n * 8);
        case kTagStringList:
            if (!count(4, n)) return false;
            for (std::size_t i = 0; i < n; ++i) {
                std::size_t length = 0;
                if (!count(1, length) || !skip(length)) return false;
            }
            return true;
        default: return fail(badTag(t), pos - 1);
    }
}

int ByteSource::versionOfClass(std::string_view name) const {
    if (header)
        for (const auto& c : header->classes)
            if (c.name == name) return c.version;
    return -1;
}

template <class T, class Fill>
bool ByteSource::object(std::optional<T>& v, std::uint8_t expected, Fill fill) {
    bool isNull = false;
    if (!objectTag(expected, isNull)) return false;
    if (isNull) {
        v.reset();
        return true;
    }
    T value{};
    if (!fill(value)) return false;
    v = std::move(value);
    return true;
}

bool ByteSource::readString(std::optional<std::string>& v) {
    return object(v, kTagString, [&](std::string& s) { return text(s); });
}

bool ByteSource::readDate(std::optional<Date>& v) {
    return object(v, kTagDate, [&](Date& d) { return raw(&d.seconds, 8); });
}

bool ByteSource::readNumber(std::optional<double>& v) {
    return object(v, kTagNumber, [&](double& d) { return raw(&d, 8); });
}

bool ByteSource::readIntArray(std::optional<std::vector<std::int32_t>>& v) {
    return object(v, kTagIntArray, [&](auto& a) { return block(a); });
}

bool ByteSource::readRealArray(std::optional<std::vector<double>>& v) {
    return object(v, kTagRealArray, [&](auto& a) { return block(a); });
}

bool ByteSource::readStringList(std::optional<std::vector<std::string>>& v) {
    return object(v, kTagStringList, [&](std::vector<std::string>& list) {
        std::size_t n = 0;
        if (!count(4, n)) return false;  // each entry has at least its length
        // Four bytes of file make a whole std::string in memory, so even a count
        // that fits the file is no size to allocate: reserve what the bytes
        // left would take as strings, and let the entries actually read grow it.
        list.reserve(std::min(n, left() / sizeof(std::string)));
        for (std::size_t i = 0; i < n; ++i) {
            std::string s;
            if (!text(s)) return false;
            list.push_back(std::move(s));
        }
        return true;
    });
}

bool ByteSource::readImage(std::optional<Image>& v) {
    return object(v, kTagImage, [&](Image& im) { return block(im.bytes); });
}

bool ByteSource::readColour(std::optional<Colour>& v) {
    return object(v, kTagColour, [&](Colour& c) {
        float f[4];
        if (!raw(f, sizeof f)) return false;
        c = Colour{f[0], f[1], f[2], f[3]};
        return true;
    });
}

bool parseHeader(ByteSource& src, ArchiveHeader& h) {
    char magic[sizeof kMagic];
    if (src.left() < sizeof kMagic || !src.raw(magic, sizeof magic) ||
        std::memcmp(magic, kMagic, sizeof kMagic) != 0)
        return src.fail(ArchiveProblem::NotAnArchive, "This is not a dive log file.", nullptr);
    const std::uint8_t* at = src.pos;
    if (!src.u16(h.formatVersion)) return false;
    if (h.formatVersion == 0) return src.fail("The file's format version is malformed.", at);
    if (h.formatVersion > kArchiveFormatVersion)
        return src.fail(ArchiveProblem::NewerFormat,
                        "The file was written in format " + std::to_string(h.formatVersion) +
                            ", newer than this program reads (" +
                            std::to_string(kArchiveFormatVersion) + ").",
                        at);
    at = src.pos;
    std::uint8_t kindLength = 0;
    if (!src.u8(kindLength)) return false;
    if (kindLength > kMaxKindLength) return src.fail("The file's document kind is malformed.", at);
    h.kind.resize(kindLength);
    if (!src.raw(h.kind.data(), kindLength)) return false;
    at = src.pos;
    std::uint16_t classCount = 0;
    if (!src.u16(classCount)) return false;
    if (classCount > kMaxClassCount) return src.fail("The file's class table is malformed.", at);
    h.classes.clear();
    for (std::uint16_t i = 0; i < classCount; ++i) {
        ClassVersion c;
        at = src.pos;
        std::uint8_t nameLength = 0;
        if (!src.u8(nameLength)) return false;
        if (nameLength == 0 || nameLength > kMaxClassNameLength)
            return src.fail("The file's class table is malformed.", at);
        c.name.resize(nameLength);
        if (!src.raw(c.name.data(), nameLength) || !src.raw(&c.version, 4)) return false;
        for (const auto& other : h.classes)
            if (other.name == c.name) return src.fail("The file's class table is malformed.", at);
        h.classes.push_back(std::move(c));
    }
    return true;
}

}  // namespace divelog::archive_detail
