// The record archive's byte layer: exact round trips and refusal of damaged
// or hostile input without crashing or allocating what the file claims.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "LargestAllocation.h"
#include "archive/BinaryArchive.h"
#include "archive/RecordList.h"

using namespace divelog;

namespace {

// A record with one value of every kind, to exercise the coder without the dive's order.
struct Sample {
    static constexpr const char* kClassName = "Sample";
    static constexpr int kClassVersion = 3;
    static constexpr int kOldestVersion = 2;

    std::int32_t i = 0;
    float f = 0;
    std::optional<std::string> s;
    std::optional<Date> d;
    std::optional<double> n;
    std::optional<std::vector<std::int32_t>> ints;
    std::optional<std::vector<double>> reals;
    std::optional<std::vector<std::string>> list;
    std::optional<Image> image;
    std::optional<Colour> colour;
    int decodedVersion = -1;

    void encode(ArchiveWriter& w) const {
        w.writeInt(i);
        w.writeFloat(f);
        w.writeString(s);
        w.writeDate(d);
        w.writeNumber(n);
        w.writeIntArray(ints);
        w.writeRealArray(reals);
        w.writeStringList(list);
        w.writeImage(image);
        w.writeColour(colour);
    }
    bool decode(ArchiveReader& r, int version) {
        decodedVersion = version;
        return r.readInt(i) && r.readFloat(f) && r.readString(s) && r.readDate(d) &&
               r.readNumber(n) && r.readIntArray(ints) && r.readRealArray(reals) &&
               r.readStringList(list) && r.readImage(image) && r.readColour(colour);
    }
};

using Samples = std::vector<std::unique_ptr<Sample>>;

Samples twoSamples() {
    Samples v;
    auto a = std::make_unique<Sample>();
    a->i = -7;
    a->f = std::numeric_limits<float>::quiet_NaN();
    a->s = "Épave du \"Donator\"\n";
    a->d = Date{-12345.5};
    a->n = 3.25;
    a->ints = std::vector<std::int32_t>{1, -2, 3};
    a->reals = std::vector<double>{0.0, 12.5, -0.0, 1e300};
    a->list = std::vector<std::string>{"", "b"};
    a->image = Image{{0x89, 'P', 'N', 'G'}};
    a->colour = Colour{0.5f, 0.25f, 1, 0.75f};
    v.push_back(std::move(a));
    auto b = std::make_unique<Sample>();  // every object absent, arrays empty vs absent
    b->ints = std::vector<std::int32_t>{};
    v.push_back(std::move(b));
    return v;
}

std::vector<std::uint8_t> encodeSamples(const Samples& s, int version = Sample::kClassVersion) {
    RecordListEncoder enc("samples", {{"Sample", version}}, s.size());
    for (const auto& r : s) {
        r->encode(enc.beginRecord("Sample"));
        enc.endRecord();
    }
    return enc.finish();
}

bool decodeSamples(const std::vector<std::uint8_t>& bytes, Samples& out, std::string& error) {
    return decodeRecordList(bytes, "samples", out, error);
}

std::string refusal(const std::vector<std::uint8_t>& bytes) {
    Samples out;
    std::string error;
    EXPECT_FALSE(decodeSamples(bytes, out, error));
    EXPECT_TRUE(out.empty());
    return error;
}

// Offset of the first record's first value: header, list tag + count, record tag,
// class index and body length.
std::size_t firstValueOffset(const std::vector<std::uint8_t>& bytes) {
    ArchiveHeader h;
    std::string e;
    EXPECT_TRUE(readArchiveHeader(bytes, h, e));
    return h.bodyOffset + 5 + 7;
}

void putU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}

}  // namespace

TEST(Archive, RoundTripsEveryValueKindBitForBit) {
    Samples in = twoSamples();
    auto bytes = encodeSamples(in);
    Samples out;
    std::string error;
    ASSERT_TRUE(decodeSamples(bytes, out, error)) << error;
    ASSERT_EQ(out.size(), 2u);
    const Sample& a = *out[0];
    EXPECT_EQ(a.i, -7);
    EXPECT_TRUE(std::isnan(a.f));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(a.f), std::bit_cast<std::uint32_t>(in[0]->f));
    EXPECT_EQ(a.s, in[0]->s);
    EXPECT_EQ(a.d, in[0]->d);
    EXPECT_EQ(a.n, 3.25);
    EXPECT_EQ(a.ints, in[0]->ints);
    ASSERT_TRUE(a.reals);
    EXPECT_TRUE(std::signbit((*a.reals)[2]));
    EXPECT_EQ((*a.reals)[3], 1e300);
    EXPECT_EQ(a.list, in[0]->list);
    EXPECT_EQ(a.image, in[0]->image);
    EXPECT_EQ(a.colour, in[0]->colour);
    EXPECT_EQ(a.decodedVersion, 3);

    const Sample& b = *out[1];
    EXPECT_FALSE(b.s || b.d || b.n || b.reals || b.list || b.image || b.colour);
    ASSERT_TRUE(b.ints);  // an empty array is not an absent one
    EXPECT_TRUE(b.ints->empty());

    EXPECT_EQ(encodeSamples(out), bytes);
}

TEST(Archive, HeaderNamesKindFormatAndClassVersions) {
    auto bytes = encodeSamples(twoSamples(), 2);
    ArchiveHeader h;
    std::string error;
    ASSERT_TRUE(readArchiveHeader(bytes, h, error));
    EXPECT_EQ(h.kind, "samples");
    EXPECT_EQ(h.formatVersion, kArchiveFormatVersion);
    ASSERT_EQ(h.classes.size(), 1u);
    EXPECT_EQ(h.classes[0], (ClassVersion{"Sample", 2}));

    Samples out;
    ASSERT_TRUE(decodeSamples(bytes, out, error)) << error;
    EXPECT_EQ(out[0]->decodedVersion, 2);
}

TEST(Archive, EveryTruncationIsRefusedAndPlacedWithinTheFile) {
    auto bytes = encodeSamples(twoSamples());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
        Samples out;
        std::string error;
        ASSERT_FALSE(decodeSamples(cut, out, error)) << "prefix of " << n << " bytes";
        EXPECT_FALSE(error.empty());
        const ArchiveError structure = checkArchiveStructure(cut);
        ASSERT_TRUE(structure) << n;
        if (n < 8) continue;  // too short to be recognised as an archive at all
        ASSERT_TRUE(structure.offset) << n;
        EXPECT_LE(*structure.offset, n);
    }
}

// The structure check reads less than any record class does, so it must
// never refuse what a class accepts: its offset would blame sound bytes.
TEST(Archive, EveryFlippedByteIsRefusedOrDecodedWithoutHarm) {
    auto bytes = encodeSamples(twoSamples());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (std::uint8_t v : {0x00, 0x7f, 0x80, 0xff}) {
            auto damaged = bytes;
            damaged[at] = v;
            Samples out;
            std::string error;
            const ArchiveError structure = checkArchiveStructure(damaged);
            if (!decodeSamples(damaged, out, error)) {
                EXPECT_FALSE(error.empty());
            } else {
                EXPECT_FALSE(structure) << "byte " << at << ": " << structure.message;
            }
        }
    }
}

TEST(Archive, StructureCheckPlacesDamageAtItsByte) {
    auto bytes = encodeSamples(twoSamples());
    EXPECT_FALSE(checkArchiveStructure(bytes));
    const std::size_t value = firstValueOffset(bytes);

    auto trailing = bytes;
    trailing.push_back(0);
    ArchiveError e = checkArchiveStructure(trailing);
    EXPECT_EQ(e.problem, ArchiveProblem::Damaged);
    EXPECT_EQ(e.offset, bytes.size());

    auto badTag = bytes;
    badTag[value + 5] = 'Z';  // the float's code
    e = checkArchiveStructure(badTag);
    EXPECT_EQ(e.offset, value + 5);
    EXPECT_NE(e.message.find("type code"), std::string::npos);

    auto pastEnd = bytes;
    putU32(pastEnd, value + 11, 0x7fffffffu);  // the string's length
    EXPECT_EQ(checkArchiveStructure(pastEnd).offset, value + 11);

    ArchiveHeader h;
    std::string ignored;
    ASSERT_TRUE(readArchiveHeader(bytes, h, ignored));
    auto recordLength = bytes;
    putU32(recordLength, h.bodyOffset + 5 + 3, 0xffffffffu);
    EXPECT_EQ(checkArchiveStructure(recordLength).offset, h.bodyOffset + 5);

    std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    e = checkArchiveStructure(text);
    EXPECT_EQ(e.problem, ArchiveProblem::NotAnArchive);
    EXPECT_FALSE(e.offset);
    auto newer = bytes;
    newer[8] = static_cast<std::uint8_t>(kArchiveFormatVersion + 1);
    EXPECT_EQ(checkArchiveStructure(newer).problem, ArchiveProblem::NewerFormat);
}

// A count that the file can back at four bytes per entry is still no size to
// allocate: every entry is a whole std::string in memory, eight times that.
TEST(Archive, HostileStringListAllocatesNoMoreThanTheFileHolds) {
    Sample sample;
    sample.list = std::vector<std::string>{"x"};
    sample.image = Image{std::vector<std::uint8_t>(1 << 20, 0xff)};
    RecordListEncoder enc("samples", {{"Sample", Sample::kClassVersion}}, 1);
    sample.encode(enc.beginRecord("Sample"));
    enc.endRecord();
    auto bytes = enc.finish();
    // Values: i, f, then five absent objects, then the list's code and count.
    const std::size_t countAt = firstValueOffset(bytes) + 5 + 5 + 5 + 1;
    ASSERT_EQ(bytes[countAt - 1], 'L');
    // As many entries as the rest of the record could hold; the second one's
    // length is made of the image's bytes and runs past the end.
    const std::size_t rest = bytes.size() - countAt - 4;
    putU32(bytes, countAt, static_cast<std::uint32_t>(rest / 4));

    {
        LargestAllocation watch;
        EXPECT_NE(refusal(bytes).find("past"), std::string::npos);
        EXPECT_LE(watch.bytes(), bytes.size());
    }
    EXPECT_TRUE(checkArchiveStructure(bytes));
}

TEST(Archive, HostileLengthsAndCountsAreLimitsNotSizes) {
    auto bytes = encodeSamples(twoSamples());
    std::size_t value = firstValueOffset(bytes);
    // Values of the first record: i(5) f(5), then the string's tag and length.
    std::size_t stringLength = value + 10 + 1;

    auto negative = bytes;
    putU32(negative, stringLength, 0xfffffff0u);  // -16 as a signed length
    EXPECT_NE(refusal(negative).find("past"), std::string::npos);

    auto pastEnd = bytes;
    putU32(pastEnd, stringLength, static_cast<std::uint32_t>(bytes.size()));
    EXPECT_FALSE(refusal(pastEnd).empty());

    // A record count that would need more bytes than the file has.
    ArchiveHeader h;
    std::string e;
    ASSERT_TRUE(readArchiveHeader(bytes, h, e));
    auto count = bytes;
    putU32(count, h.bodyOffset + 1, 0x7fffffffu);
    EXPECT_FALSE(refusal(count).empty());

    // An array count whose byte size overflows 32 bits.
    std::size_t intArrayCount = value + 10 + 1 + 4 + 20 + 9 + 9 + 1;  // after s, d, n
    ASSERT_EQ(bytes[intArrayCount - 1], 'I');
    auto overflow = bytes;
    putU32(overflow, intArrayCount, 0x40000001u);
    EXPECT_FALSE(refusal(overflow).empty());

    // A record body length past the end.
    auto body = bytes;
    putU32(body, h.bodyOffset + 5 + 3, 0xffffffffu);
    EXPECT_FALSE(refusal(body).empty());
}

TEST(Archive, UnknownClassTypeCodeAndVersionsAreRefused) {
    Samples in = twoSamples();
    {
        RecordListEncoder enc("samples", {{"Other", 3}}, 1);
        in[0]->encode(enc.beginRecord("Other"));
        enc.endRecord();
        EXPECT_NE(refusal(enc.finish()).find("Sample"), std::string::npos);
    }
    {
        RecordListEncoder enc("samples", {{"Sample", 3}, {"Other", 1}}, 1);
        in[0]->encode(enc.beginRecord("Other"));
        enc.endRecord();
        EXPECT_NE(refusal(enc.finish()).find("unknown class"), std::string::npos);
    }
    auto bytes = encodeSamples(in);
    auto badTag = bytes;
    badTag[firstValueOffset(bytes)] = 'Z';
    EXPECT_NE(refusal(badTag).find("type code"), std::string::npos);

    auto wrongType = bytes;
    wrongType[firstValueOffset(bytes)] = 'f';  // a float where the record reads an int
    EXPECT_FALSE(refusal(wrongType).empty());

    EXPECT_NE(refusal(encodeSamples(in, 4)).find("newer"), std::string::npos);
    EXPECT_NE(refusal(encodeSamples(in, 1)).find("older"), std::string::npos);

    auto newerFormat = bytes;
    newerFormat[8] = static_cast<std::uint8_t>(kArchiveFormatVersion + 1);
    EXPECT_NE(refusal(newerFormat).find("newer"), std::string::npos);
}

TEST(Archive, KindMagicAndCleanEndAreChecked) {
    auto bytes = encodeSamples(twoSamples());
    Samples out;
    std::string error;
    EXPECT_FALSE(decodeRecordList(bytes, "logbook", out, error));
    EXPECT_NE(error.find("samples"), std::string::npos);

    auto trailing = bytes;
    trailing.push_back(0);
    EXPECT_NE(refusal(trailing).find("after"), std::string::npos);

    std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    EXPECT_NE(refusal(text).find("not a dive log"), std::string::npos);
    EXPECT_FALSE(refusal({}).empty());
}

TEST(Archive, RecordThatLeavesValuesUnreadIsRefused) {
    struct Short : Sample {
        bool decode(ArchiveReader& r, int) { return r.readInt(i); }
    };
    auto bytes = encodeSamples(twoSamples());
    std::vector<std::unique_ptr<Short>> out;
    std::string error;
    EXPECT_FALSE(decodeRecordList(bytes, "samples", out, error));
    EXPECT_NE(error.find("more values"), std::string::npos);
}

TEST(Archive, ColourArchive) {
    Colour c{0.725f, 1, 0.674f, 1};
    auto bytes = encodeColourArchive(c);
    EXPECT_EQ(decodeColourArchive(bytes), c);
    bytes.pop_back();
    EXPECT_FALSE(decodeColourArchive(bytes));
    EXPECT_FALSE(decodeColourArchive(encodeSamples(twoSamples())));
    EXPECT_FALSE(decodeColourArchive({}));
}
