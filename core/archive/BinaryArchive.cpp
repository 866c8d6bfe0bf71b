#include "archive/BinaryArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace divelog {

static_assert(std::endian::native == std::endian::little,
              "the archive is little-endian and is copied byte for byte");

namespace {

constexpr char kMagic[8] = {'D', 'I', 'V', 'E', 'L', 'O', 'G', 'A'};
constexpr std::string_view kColourKind = "colour";

// Type codes of the body. Scalars carry the letters records name them by.
enum Tag : std::uint8_t {
    kTagInt = 'i',
    kTagFloat = 'f',
    kTagNull = '0',
    kTagString = 's',
    kTagDate = 'd',
    kTagNumber = 'n',
    kTagIntArray = 'I',
    kTagRealArray = 'D',
    kTagStringList = 'L',
    kTagImage = 'P',
    kTagColour = 'c',
    kTagRecordList = '[',
    kTagRecord = 'R',
};

// ---- writing ---------------------------------------------------------------

class ByteSink final : public ArchiveWriter {
public:
    std::vector<std::uint8_t> out;

    void raw(const void* p, std::size_t n) {
        auto b = static_cast<const std::uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    }
    void u8(std::uint8_t v) { out.push_back(v); }
    void u16(std::uint16_t v) { raw(&v, 2); }
    void u32(std::uint32_t v) { raw(&v, 4); }
    void length(std::size_t n) {
        if (n > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("archive value too large");
        u32(static_cast<std::uint32_t>(n));
    }
    void bytes(std::string_view s) {
        length(s.size());
        raw(s.data(), s.size());
    }
    template <class T>
    void block(const std::vector<T>& v) {
        length(v.size());
        if (!v.empty()) raw(v.data(), v.size() * sizeof(T));
    }

    void writeInt(std::int32_t v) override { u8(kTagInt); raw(&v, 4); }
    void writeFloat(float v) override { u8(kTagFloat); raw(&v, 4); }
    void writeNull() override { u8(kTagNull); }
    void writeString(const std::optional<std::string>& v) override {
        if (!v) return writeNull();
        u8(kTagString);
        bytes(*v);
    }
    void writeDate(const std::optional<Date>& v) override {
        if (!v) return writeNull();
        u8(kTagDate);
        raw(&v->seconds, 8);
    }
    void writeNumber(const std::optional<double>& v) override {
        if (!v) return writeNull();
        u8(kTagNumber);
        raw(&*v, 8);
    }
    void writeIntArray(const std::optional<std::vector<std::int32_t>>& v) override {
        if (!v) return writeNull();
        u8(kTagIntArray);
        block(*v);
    }
    void writeRealArray(const std::optional<std::vector<double>>& v) override {
        if (!v) return writeNull();
        u8(kTagRealArray);
        block(*v);
    }
    void writeStringList(const std::optional<std::vector<std::string>>& v) override {
        if (!v) return writeNull();
        u8(kTagStringList);
        length(v->size());
        for (const auto& s : *v) bytes(s);
    }
    void writeImage(const std::optional<Image>& v) override {
        if (!v) return writeNull();
        u8(kTagImage);
        block(v->bytes);
    }
    void writeColour(const std::optional<Colour>& v) override {
        if (!v) return writeNull();
        u8(kTagColour);
        float c[4] = {v->red, v->green, v->blue, v->alpha};
        raw(c, sizeof c);
    }
};

void writeHeader(ByteSink& s, std::string_view kind, const std::vector<ClassVersion>& classes) {
    if (kind.size() > kMaxKindLength || classes.size() > kMaxClassCount)
        throw std::logic_error("archive header out of bounds");
    s.raw(kMagic, sizeof kMagic);
    s.u16(kArchiveFormatVersion);
    s.u8(static_cast<std::uint8_t>(kind.size()));
    s.raw(kind.data(), kind.size());
    s.u16(static_cast<std::uint16_t>(classes.size()));
    for (const auto& c : classes) {
        if (c.name.empty() || c.name.size() > kMaxClassNameLength)
            throw std::logic_error("archive class name out of bounds");
        s.u8(static_cast<std::uint8_t>(c.name.size()));
        s.raw(c.name.data(), c.name.size());
        s.raw(&c.version, 4);
    }
}

// ---- reading ---------------------------------------------------------------

// Bounds-checked cursor over the archive. Every read either succeeds or
// records the first failure; nothing is allocated beyond what the remaining
// bytes could hold.
class ByteSource final : public ArchiveReader {
public:
    const std::uint8_t* pos = nullptr;
    const std::uint8_t* end = nullptr;
    const ArchiveHeader* header = nullptr;
    std::string error;

    bool fail(std::string message) {
        if (error.empty()) error = std::move(message);
        pos = end;
        return false;
    }
    std::size_t left() const { return static_cast<std::size_t>(end - pos); }
    bool need(std::size_t n) { return n <= left() || fail("The file is truncated."); }
    bool raw(void* dst, std::size_t n) {
        if (!need(n)) return false;
        std::memcpy(dst, pos, n);
        pos += n;
        return true;
    }
    bool u8(std::uint8_t& v) { return raw(&v, 1); }
    bool u16(std::uint16_t& v) { return raw(&v, 2); }
    bool u32(std::uint32_t& v) { return raw(&v, 4); }
    // A count of elements of a given size that must fit in the bytes left.
    bool count(std::size_t elementSize, std::size_t& n) {
        std::uint32_t c = 0;
        if (!u32(c)) return false;
        if (static_cast<std::uint64_t>(c) * elementSize > left())
            return fail("A length in the file runs past its end.");
        n = c;
        return true;
    }
    bool text(std::string& s) {
        std::size_t n = 0;
        if (!count(1, n)) return false;
        s.assign(reinterpret_cast<const char*>(pos), n);
        pos += n;
        return true;
    }
    template <class T>
    bool block(std::vector<T>& v) {
        std::size_t n = 0;
        if (!count(sizeof(T), n)) return false;
        v.resize(n);
        if (n) std::memcpy(v.data(), pos, n * sizeof(T));
        pos += n * sizeof(T);
        return true;
    }
    bool tag(std::uint8_t expected) {
        std::uint8_t t = 0;
        if (!u8(t)) return false;
        return t == expected || fail(badTag(t));
    }
    // Reads an object's tag; false with `isNull` set for a null object.
    bool objectTag(std::uint8_t expected, bool& isNull) {
        std::uint8_t t = 0;
        if (!u8(t)) return false;
        isNull = t == kTagNull;
        return isNull || t == expected || fail(badTag(t));
    }
    static std::string badTag(std::uint8_t t) {
        return "Unexpected value type code " + std::to_string(t) + " in the file.";
    }

    int versionOfClass(std::string_view name) const override {
        if (header)
            for (const auto& c : header->classes)
                if (c.name == name) return c.version;
        return -1;
    }
    bool readInt(std::int32_t& v) override { return tag(kTagInt) && raw(&v, 4); }
    bool readFloat(float& v) override { return tag(kTagFloat) && raw(&v, 4); }

    template <class T, class Fill>
    bool object(std::optional<T>& v, std::uint8_t expected, Fill fill) {
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
    bool readString(std::optional<std::string>& v) override {
        return object(v, kTagString, [&](std::string& s) { return text(s); });
    }
    bool readDate(std::optional<Date>& v) override {
        return object(v, kTagDate, [&](Date& d) { return raw(&d.seconds, 8); });
    }
    bool readNumber(std::optional<double>& v) override {
        return object(v, kTagNumber, [&](double& d) { return raw(&d, 8); });
    }
    bool readIntArray(std::optional<std::vector<std::int32_t>>& v) override {
        return object(v, kTagIntArray, [&](auto& a) { return block(a); });
    }
    bool readRealArray(std::optional<std::vector<double>>& v) override {
        return object(v, kTagRealArray, [&](auto& a) { return block(a); });
    }
    bool readStringList(std::optional<std::vector<std::string>>& v) override {
        return object(v, kTagStringList, [&](std::vector<std::string>& list) {
            std::size_t n = 0;
            if (!count(4, n)) return false;  // each entry has at least its length
            list.resize(n);
            for (auto& s : list)
                if (!text(s)) return false;
            return true;
        });
    }
    bool readImage(std::optional<Image>& v) override {
        return object(v, kTagImage, [&](Image& im) { return block(im.bytes); });
    }
    bool readColour(std::optional<Colour>& v) override {
        return object(v, kTagColour, [&](Colour& c) {
            float f[4];
            if (!raw(f, sizeof f)) return false;
            c = Colour{f[0], f[1], f[2], f[3]};
            return true;
        });
    }
};

bool parseHeader(ByteSource& src, ArchiveHeader& h) {
    char magic[sizeof kMagic];
    if (src.left() < sizeof kMagic || !src.raw(magic, sizeof magic) ||
        std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
        src.error.clear();
        return src.fail("This is not a dive log file.");
    }
    if (!src.u16(h.formatVersion)) return false;
    if (h.formatVersion == 0 || h.formatVersion > kArchiveFormatVersion)
        return src.fail("The file was written in format " + std::to_string(h.formatVersion) +
                        ", newer than this program reads (" +
                        std::to_string(kArchiveFormatVersion) + ").");
    std::uint8_t kindLength = 0;
    if (!src.u8(kindLength)) return false;
    if (kindLength > kMaxKindLength) return src.fail("The file's document kind is malformed.");
    h.kind.resize(kindLength);
    if (!src.raw(h.kind.data(), kindLength)) return false;
    std::uint16_t classCount = 0;
    if (!src.u16(classCount)) return false;
    if (classCount > kMaxClassCount) return src.fail("The file's class table is malformed.");
    h.classes.clear();
    for (std::uint16_t i = 0; i < classCount; ++i) {
        ClassVersion c;
        std::uint8_t nameLength = 0;
        if (!src.u8(nameLength)) return false;
        if (nameLength == 0 || nameLength > kMaxClassNameLength)
            return src.fail("The file's class table is malformed.");
        c.name.resize(nameLength);
        if (!src.raw(c.name.data(), nameLength) || !src.raw(&c.version, 4)) return false;
        for (const auto& other : h.classes)
            if (other.name == c.name) return src.fail("The file's class table is malformed.");
        h.classes.push_back(std::move(c));
    }
    return true;
}

}  // namespace

bool readArchiveHeader(std::span<const std::uint8_t> bytes, ArchiveHeader& header,
                       std::string& error) {
    ByteSource src;
    src.pos = bytes.data();
    src.end = bytes.data() + bytes.size();
    if (!parseHeader(src, header)) {
        error = src.error;
        return false;
    }
    header.bodyOffset = static_cast<std::size_t>(src.pos - bytes.data());
    return true;
}

// ---- record list encoder ---------------------------------------------------

class RecordListEncoder::Impl {
public:
    static constexpr std::size_t kStreamChunk = 1 << 20;

    void flush() {
        if (!failed && !sink.out.empty()) failed = !out->write(sink.out);
        sink.out.clear();
    }

    ByteSink sink;
    ByteOutput* out = nullptr;
    bool failed = false;
    std::vector<ClassVersion> classes;
    std::size_t announced = 0;
    std::size_t written = 0;
    std::size_t recordStart = 0;
    bool inRecord = false;
};

RecordListEncoder::RecordListEncoder(std::string_view kind, std::vector<ClassVersion> classes,
                                     std::size_t count, std::size_t sizeHint)
    : d(std::make_unique<Impl>()) {
    d->sink.out.reserve(sizeHint + 256);
    writeHeader(d->sink, kind, classes);
    d->classes = std::move(classes);
    d->announced = count;
    d->sink.u8(kTagRecordList);
    d->sink.length(count);
}

RecordListEncoder::RecordListEncoder(std::string_view kind, std::vector<ClassVersion> classes,
                                     std::size_t count, ByteOutput& out)
    : RecordListEncoder(kind, std::move(classes), count, Impl::kStreamChunk + (64 << 10)) {
    d->out = &out;
}

RecordListEncoder::~RecordListEncoder() = default;

ArchiveWriter& RecordListEncoder::beginRecord(std::string_view className) {
    if (d->inRecord || d->written == d->announced)
        throw std::logic_error("record list encoder misused");
    auto it = std::find_if(d->classes.begin(), d->classes.end(),
                           [&](const ClassVersion& c) { return c.name == className; });
    if (it == d->classes.end()) throw std::logic_error("record class missing from the table");
    d->sink.u8(kTagRecord);
    d->sink.u16(static_cast<std::uint16_t>(it - d->classes.begin()));
    d->recordStart = d->sink.out.size();
    d->sink.u32(0);  // body length, patched in endRecord()
    d->inRecord = true;
    return d->sink;
}

void RecordListEncoder::endRecord() {
    if (!d->inRecord) throw std::logic_error("record list encoder misused");
    std::size_t body = d->sink.out.size() - d->recordStart - 4;
    if (body > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("record too large");
    auto length = static_cast<std::uint32_t>(body);
    std::memcpy(d->sink.out.data() + d->recordStart, &length, 4);
    d->inRecord = false;
    ++d->written;
    // Records are flushed whole, so a record's length is always patched in the buffer.
    if (d->out && d->sink.out.size() >= Impl::kStreamChunk) d->flush();
}

std::vector<std::uint8_t> RecordListEncoder::finish() {
    if (d->out || d->inRecord || d->written != d->announced)
        throw std::logic_error("record list encoder misused");
    return std::move(d->sink.out);
}

bool RecordListEncoder::finishStream() {
    if (!d->out || d->inRecord || d->written != d->announced)
        throw std::logic_error("record list encoder misused");
    d->flush();
    return !d->failed;
}

// ---- record list decoder ---------------------------------------------------

class RecordListDecoder::Impl {
public:
    std::span<const std::uint8_t> bytes;
    ByteSource src;
    ArchiveHeader header;
    std::size_t count = 0;
    std::size_t done = 0;
    const std::uint8_t* recordEnd = nullptr;
    const std::uint8_t* listEnd = nullptr;
    bool opened = false;
};

RecordListDecoder::RecordListDecoder(std::span<const std::uint8_t> bytes)
    : d(std::make_unique<Impl>()) {
    d->bytes = bytes;
    d->src.pos = bytes.data();
    d->src.end = bytes.data() + bytes.size();
    d->listEnd = d->src.end;
}

RecordListDecoder::~RecordListDecoder() = default;

bool RecordListDecoder::open(std::string_view expectedKind) {
    ByteSource& s = d->src;
    if (!parseHeader(s, d->header)) return false;
    d->header.bodyOffset = static_cast<std::size_t>(s.pos - d->bytes.data());
    s.header = &d->header;
    if (d->header.kind != expectedKind)
        return s.fail("The file holds a document of kind \"" + d->header.kind + "\", not \"" +
                      std::string(expectedKind) + "\".");
    // The smallest record is its tag, class index and body length.
    std::uint32_t n = 0;
    if (!s.tag(kTagRecordList) || !s.u32(n)) return false;
    if (static_cast<std::uint64_t>(n) * 7 > s.left())
        return s.fail("The file's record count runs past its end.");
    d->count = n;
    d->opened = true;
    return true;
}

const ArchiveHeader& RecordListDecoder::header() const { return d->header; }
std::size_t RecordListDecoder::count() const { return d->count; }
std::size_t RecordListDecoder::plausibleCount() const {
    return std::min(d->count - d->done, d->src.left() / 7);
}

bool RecordListDecoder::beginRecord(std::string_view className, ArchiveReader*& reader) {
    ByteSource& s = d->src;
    if (!d->opened || d->recordEnd) return s.fail("Records read out of order.");
    if (d->done == d->count) return s.fail("More records were asked for than the file holds.");
    std::uint16_t index = 0;
    std::uint32_t length = 0;
    if (!s.tag(kTagRecord) || !s.u16(index) || !s.u32(length)) return false;
    if (index >= d->header.classes.size())
        return s.fail("A record refers to a class missing from the file's class table.");
    const std::string& name = d->header.classes[index].name;
    if (name != className)
        return s.fail("The file holds a record of unknown class \"" + name + "\".");
    if (!s.need(length)) return false;
    d->recordEnd = s.pos + length;
    // Confine the record's reads to its own bytes.
    d->listEnd = s.end;
    s.end = d->recordEnd;
    reader = &s;
    return true;
}

bool RecordListDecoder::endRecord() {
    ByteSource& s = d->src;
    if (!d->recordEnd) return s.fail("Records read out of order.");
    if (!s.error.empty()) return false;
    if (s.pos != d->recordEnd) return s.fail("A record holds more values than its class reads.");
    s.end = d->listEnd;
    d->recordEnd = nullptr;
    ++d->done;
    return true;
}

bool RecordListDecoder::finish() {
    ByteSource& s = d->src;
    if (!s.error.empty()) return false;
    if (!d->opened || d->recordEnd || d->done != d->count)
        return s.fail("The file's record list is incomplete.");
    if (s.pos != s.end) return s.fail("The file has unexpected bytes after its records.");
    return true;
}

const std::string& RecordListDecoder::error() const { return d->src.error; }

// ---- colour archive --------------------------------------------------------

std::vector<std::uint8_t> encodeColourArchive(const Colour& colour) {
    ByteSink sink;
    writeHeader(sink, kColourKind, {});
    sink.writeColour(colour);
    return std::move(sink.out);
}

std::optional<Colour> decodeColourArchive(std::span<const std::uint8_t> bytes) {
    ByteSource src;
    src.pos = bytes.data();
    src.end = bytes.data() + bytes.size();
    ArchiveHeader header;
    if (!parseHeader(src, header) || header.kind != kColourKind) return std::nullopt;
    std::optional<Colour> colour;
    if (!src.readColour(colour) || src.pos != src.end) return std::nullopt;
    return colour;
}

}  // namespace divelog
