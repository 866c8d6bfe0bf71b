#include "archive/BinaryArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "archive/ArchiveTags.h"
#include "archive/ByteSource.h"

namespace divelog {

static_assert(std::endian::native == std::endian::little,
              "the archive is little-endian and is copied byte for byte");

using namespace archive_detail;

namespace {

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

    void writeInt(std::int32_t v) override {
        u8(kTagInt);
        raw(&v, 4);
    }
    void writeFloat(float v) override {
        u8(kTagFloat);
        raw(&v, 4);
    }
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

}  // namespace

bool readArchiveHeader(std::span<const std::uint8_t> bytes, ArchiveHeader& header,
                       ArchiveError& error) {
    ByteSource src(bytes);
    if (!parseHeader(src, header)) {
        error = src.failure;
        return false;
    }
    header.bodyOffset = static_cast<std::size_t>(src.pos - src.begin);
    return true;
}

bool readArchiveHeader(std::span<const std::uint8_t> bytes, ArchiveHeader& header,
                       std::string& error) {
    ArchiveError failure;
    if (readArchiveHeader(bytes, header, failure)) return true;
    error = failure.message;
    return false;
}

ArchiveError checkArchiveStructure(std::span<const std::uint8_t> bytes) {
    RecordListDecoder decoder(bytes);
    if (decoder.open(std::nullopt)) {
        for (std::size_t i = 0; i < decoder.count(); ++i)
            if (!decoder.skipRecord()) break;
        (void)decoder.finish();
    }
    return decoder.failure();
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
    explicit Impl(std::span<const std::uint8_t> bytes) : src(bytes), listEnd(src.end) {}

    bool enterRecord(std::optional<std::string_view> className);

    ByteSource src;
    ArchiveHeader header;
    std::size_t count = 0;
    std::size_t done = 0;
    const std::uint8_t* recordEnd = nullptr;
    const std::uint8_t* listEnd;
    bool opened = false;
};

RecordListDecoder::RecordListDecoder(std::span<const std::uint8_t> bytes)
    : d(std::make_unique<Impl>(bytes)) {}

RecordListDecoder::~RecordListDecoder() = default;

bool RecordListDecoder::open(std::optional<std::string_view> expectedKind) {
    ByteSource& s = d->src;
    if (!parseHeader(s, d->header)) return false;
    d->header.bodyOffset = static_cast<std::size_t>(s.pos - s.begin);
    s.header = &d->header;
    if (expectedKind && d->header.kind != *expectedKind)
        return s.fail(ArchiveProblem::OtherKind,
                      "The file holds a document of kind \"" + d->header.kind + "\", not \"" +
                          std::string(*expectedKind) + "\".",
                      nullptr);
    std::uint32_t n = 0;
    if (!s.tag(kTagRecordList)) return false;
    const std::uint8_t* at = s.pos;
    if (!s.u32(n)) return false;
    if (static_cast<std::uint64_t>(n) * kSmallestRecord > s.left())
        return s.fail("The file's record count runs past its end.", at);
    d->count = n;
    d->opened = true;
    return true;
}

const ArchiveHeader& RecordListDecoder::header() const { return d->header; }
std::size_t RecordListDecoder::count() const { return d->count; }
std::size_t RecordListDecoder::plausibleCount() const {
    return std::min(d->count - d->done, d->src.left() / kSmallestRecord);
}

bool RecordListDecoder::Impl::enterRecord(std::optional<std::string_view> className) {
    ByteSource& s = src;
    if (!opened || recordEnd) return s.fail("Records read out of order.");
    if (done == count) return s.fail("More records were asked for than the file holds.");
    const std::uint8_t* start = s.pos;
    std::uint16_t index = 0;
    std::uint32_t length = 0;
    if (!s.tag(kTagRecord) || !s.u16(index) || !s.u32(length)) return false;
    if (index >= header.classes.size())
        return s.fail("A record refers to a class missing from the file's class table.", start);
    const std::string& name = header.classes[index].name;
    if (className && name != *className)
        return s.fail("The file holds a record of unknown class \"" + name + "\".", start);
    if (length > s.left()) return s.fail("A record's length runs past the end of the file.", start);
    recordEnd = s.pos + length;
    // Confine the record's reads to its own bytes.
    listEnd = s.end;
    s.end = recordEnd;
    return true;
}

bool RecordListDecoder::beginRecord(std::string_view className, ArchiveReader*& reader) {
    if (!d->enterRecord(className)) return false;
    reader = &d->src;
    return true;
}

bool RecordListDecoder::skipRecord() {
    if (!d->enterRecord(std::nullopt)) return false;
    while (d->src.pos < d->recordEnd)
        if (!d->src.skipValue()) return false;
    return endRecord();
}

bool RecordListDecoder::endRecord() {
    ByteSource& s = d->src;
    if (!d->recordEnd) return s.fail("Records read out of order.");
    if (s.failed()) return false;
    if (s.pos != d->recordEnd) return s.fail("A record holds more values than its class reads.");
    s.end = d->listEnd;
    d->recordEnd = nullptr;
    ++d->done;
    return true;
}

bool RecordListDecoder::finish() {
    ByteSource& s = d->src;
    if (s.failed()) return false;
    if (!d->opened || d->recordEnd || d->done != d->count)
        return s.fail("The file's record list is incomplete.");
    if (s.pos != s.end) return s.fail("The file has unexpected bytes after its records.");
    return true;
}

const std::string& RecordListDecoder::error() const { return d->src.failure.message; }
const ArchiveError& RecordListDecoder::failure() const { return d->src.failure; }

// ---- colour archive --------------------------------------------------------

std::vector<std::uint8_t> encodeColourArchive(const Colour& colour) {
    ByteSink sink;
    writeHeader(sink, kColourKind, {});
    sink.writeColour(colour);
    return std::move(sink.out);
}

std::optional<Colour> decodeColourArchive(std::span<const std::uint8_t> bytes) {
    ByteSource src(bytes);
    ArchiveHeader header;
    if (!parseHeader(src, header) || header.kind != kColourKind) return std::nullopt;
    std::optional<Colour> colour;
    if (!src.readColour(colour) || src.pos != src.end) return std::nullopt;
    return colour;
}

}  // namespace divelog
