#include "exchange/UddfImport.h"

#include <array>

#include "exchange/UdcfDiveReader.h"
#include "exchange/UddfDiveReader.h"
#include "exchange/XmlBlockScanner.h"
#include "exchange/XmlBlockTree.h"
#include "exchange/XmlReading.h"

namespace divelog {

namespace {

constexpr std::array<std::string_view, 3> kDivePath = {"profiledata", "repetitiongroup", "dive"};
// The application's own "Export UDDF" file: the UDCF dive element in a uddf root.
constexpr std::array<std::string_view, 2> kOwnDivePath = {"REPGROUP", "DIVE"};
constexpr std::array<std::string_view, 1> kMixes = {"gasdefinitions"};
constexpr std::array<std::string_view, 1> kSites = {"divesite"};
constexpr std::array<std::string_view, 1> kDiver = {"diver"};
constexpr std::array<std::string_view, 1> kTrips = {"divetrip"};
constexpr std::array<XmlBlockScanner::Path, 6> kPaths = {kDivePath, kOwnDivePath, kMixes,
                                                         kSites,    kDiver,       kTrips};
constexpr std::array<XmlBlockScanner::Path, 2> kDivePaths = {kDivePath, kOwnDivePath};
constexpr std::size_t kStandardDive = 0, kOwnDive = 1;

// A dive larger than this has its waypoints parsed a batch at a time: a
// tree takes several times the text it holds, so a dive of a million
// waypoints would otherwise need a tree of hundreds of megabytes.
constexpr std::size_t kLargeDive = 4u << 20;
constexpr std::size_t kWaypointBatch = 4096;
constexpr std::array<std::string_view, 1> kSamples = {"samples"};
constexpr std::array<XmlBlockScanner::Path, 1> kSamplesPath = {kSamples};
constexpr std::array<std::string_view, 1> kWaypoint = {"waypoint"};
constexpr std::array<XmlBlockScanner::Path, 1> kWaypointPath = {kWaypoint};

// Both dive readers of one file, and what they found.
struct Readers {
    explicit Readers(const UddfDefinitions& definitions, const ReadContext& context)
        : standard(definitions), own(false, context) {}
    UddfDiveReader standard;
    UdcfDiveReader own;

    void read(pugi::xml_node dive, bool ownLayout, ImportResult& result,
              const UddfDiveReader::Waypoints& waypoints = {}) {
        auto d =
            ownLayout ? own.read(dive, result.notes) : standard.read(dive, result.notes, waypoints);
        if (d) result.dives.push_back(std::move(*d));
    }
    void report(ImportResult& result) {
        result.skipped += standard.skipped() + own.skipped();
        standard.report(result.notes);
        own.report(result.notes);
    }
};

ImportResult readWhole(std::span<const std::uint8_t> bytes, const ReadContext& context) {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportNotXml(xml, result);
    if (!result.readable) return result;
    UddfDefinitions definitions;
    for (std::string_view kind : {"gasdefinitions", "divesite", "diver", "divetrip"})
        for (pugi::xml_node n : descendants(xml.document, kind, false)) definitions.read(n);
    Readers readers(definitions, context);
    for (pugi::xml_node dive : elementsUnder(xml.document, "repetitiongroup", "dive", false))
        if (localName(dive.parent().parent()) == "profiledata") readers.read(dive, false, result);
    for (pugi::xml_node dive : elementsUnder(xml.document, "REPGROUP", "DIVE", false))
        readers.read(dive, true, result);
    if (!xml.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, xml.errorOffset, result.dives.size()));
    readers.report(result);
    return result;
}

}  // namespace

ImportResult UddfImport::read(std::span<const std::uint8_t> bytes,
                              const ReadContext& context) const {
    if (!XmlBlockScanner::cuttable(bytes)) return readWhole(bytes, context);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    XmlBlockScanner::Result scan = XmlBlockScanner::scan(text, kPaths);
    // An element of the definitions left open would hold the dives after it:
    // a damaged file is scanned again for its dives alone.
    std::vector<XmlBlockScanner::Block> diveBlocks;
    for (const auto& b : scan.blocks)
        if (b.path == kStandardDive || b.path == kOwnDive) diveBlocks.push_back(b);
    if (!scan.complete) {
        XmlBlockScanner::Result dives = XmlBlockScanner::scan(text, kDivePaths);
        if (dives.blocks.size() > diveBlocks.size()) diveBlocks = std::move(dives.blocks);
    }
    ImportResult result;
    if (!scan.anyElement) {
        result.readable = false;
        result.notes.emplace_back("the file is not XML");
        return result;
    }

    // A large dive's own elements: one buffer and one tree, reused.
    std::vector<char> buffer;
    pugi::xml_document tree;
    XmlBlockTree blocks(text, scan, result.notes);
    auto parse = [&](const XmlBlockScanner::Block& b) { return blocks.parse(b); };
    // The definitions first, wherever they stand: dives refer to them by id.
    UddfDefinitions definitions;
    for (const auto& b : scan.blocks)
        if (b.path != kStandardDive && b.path != kOwnDive) definitions.read(parse(b));
    Readers readers(definitions, context);
    std::vector<char> batchBuffer;
    pugi::xml_document batchTree;
    // A large dive: its own elements in one tree, its waypoints in batches.
    auto readLarge = [&](const XmlBlockScanner::Block& b) {
        const std::string_view dive = text.substr(b.begin, b.end - b.begin);
        const XmlBlockScanner::Result found = XmlBlockScanner::scan(dive, kSamplesPath);
        if (found.blocks.empty()) return false;
        const XmlBlockScanner::Block s = found.blocks.back();
        buffer.assign(dive.begin(), dive.begin() + static_cast<std::ptrdiff_t>(s.begin));
        buffer.insert(buffer.end(), dive.begin() + static_cast<std::ptrdiff_t>(s.end), dive.end());
        tree.load_buffer_inplace(buffer.data(), buffer.size(), kXmlParseOptions,
                                 pugi::encoding_utf8);
        const pugi::xml_node node = tree.document_element();
        if (!lastChild(node, "informationbeforedive", false) &&
            !lastChild(node, "informationafterdive", false))
            return false;  // the 2.x structure: read whole
        const std::string_view samples = dive.substr(s.begin, s.end - s.begin);
        readers.read(node, false, result, [&](const auto& visit) {
            std::size_t first = std::string_view::npos, last = 0, count = 0;
            auto flush = [&] {
                if (count == 0) return;
                batchBuffer.assign({'<', 'w', '>'});
                batchBuffer.insert(batchBuffer.end(),
                                   samples.begin() + static_cast<std::ptrdiff_t>(first),
                                   samples.begin() + static_cast<std::ptrdiff_t>(last));
                for (char c : std::string_view("</w>")) batchBuffer.push_back(c);
                batchTree.load_buffer_inplace(batchBuffer.data(), batchBuffer.size(),
                                              kXmlParseOptions, pugi::encoding_utf8);
                for (pugi::xml_node w : batchTree.document_element().children()) visit(w);
                first = std::string_view::npos;
                count = 0;
            };
            XmlBlockScanner::scan(samples, kWaypointPath, [&](const XmlBlockScanner::Block& w) {
                if (first == std::string_view::npos) first = w.begin;
                last = w.end;
                if (++count == kWaypointBatch) flush();
            });
            flush();
        });
        return true;
    };
    for (const auto& b : diveBlocks)
        if (b.path != kStandardDive || b.end - b.begin < kLargeDive || !readLarge(b))
            readers.read(parse(b), b.path == kOwnDive, result);
    if (!scan.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, scan.errorOffset, result.dives.size()));
    readers.report(result);
    return result;
}

}  // namespace divelog
