#include "exchange/UddfImport.h"

#include <array>
#include <memory>
#include <optional>

#include "exchange/UdcfDiveReader.h"
#include "exchange/UddfDiveReader.h"
#include "exchange/UddfWaypointScanner.h"
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

// How the dives of a cut file are read: a dive of the usual size has its
// waypoints read straight from the text where they are in the plain form
// and the rest as a tree; a large one has its waypoints parsed a batch at a
// time; any other is parsed whole. One buffer and tree serve every dive.
class DiveBlocks {
public:
    DiveBlocks(std::string_view text, bool textWaypoints)
        : text_(text), textWaypoints_(textWaypoints) {}

    // `whole` parses the dives read whole.
    void read(const XmlBlockScanner::Block& b, Readers& readers, ImportResult& result,
              XmlBlockTree& whole) {
        if (b.path == kStandardDive) {
            const std::string_view dive = text_.substr(b.begin, b.end - b.begin);
            if (b.end - b.begin >= kLargeDive) {
                if (readLarge(dive, readers, result)) return;
            } else if (readPlain(dive, readers, result) != npos) {
                return;
            }
        }
        readers.read(whole.parse(b), b.path == kOwnDive, result);
    }

    // A dive of the usual size from its start tag in `from`: the position
    // past its end tag once read, npos when it is not in the plain form.
    std::size_t readPlain(std::string_view from, Readers& readers, ImportResult& result) {
        if (!textWaypoints_) return npos;
        from = from.substr(0, kLargeDive);  // a larger dive is read in batches
        std::size_t name = 1;
        while (name < from.size() && !isXmlSpace(from[name]) && from[name] != '>' &&
               from[name] != '/')
            ++name;
        const std::optional<XmlBlockScanner::Start> s =
            XmlBlockScanner::firstStart(from, kSamplesPath);
        if (!s || s->level != 1 || s->selfClosing) return npos;
        const std::size_t samplesEnd = waypoints_.scan(from, s->tagEnd, s->name);
        if (samplesEnd == npos) return npos;
        const std::size_t end =
            XmlBlockScanner::elementEnd(from, samplesEnd, from.substr(1, name - 1));
        if (end == npos) return npos;
        const std::string_view dive = from.substr(0, end);
        if (dive.find('\0') != std::string_view::npos) return npos;
        if (!parseWithout(dive, s->begin, samplesEnd))
            return npos;  // damaged: the whole tree says where
        const pugi::xml_node node = tree_.document_element();
        if ((!lastChild(node, "informationbeforedive", false) &&
             !lastChild(node, "informationafterdive", false)) ||
            lastChild(node, "samples", false))
            return npos;  // the 2.x structure, or samples written twice
        if (waypoints_.size() == 0) {
            readers.read(node, false, result);
        } else {
            readers.read(node, false, result, [&](const auto& visit) {
                for (std::size_t i = 0; i < waypoints_.size(); ++i) visit(waypoints_[i]);
                return true;
            });
        }
        return end;
    }

private:
    static constexpr std::size_t npos = std::string_view::npos;

    // The dive's tree without its samples, which lie from `begin` to `end`.
    bool parseWithout(std::string_view dive, std::size_t begin, std::size_t end) {
        buffer_.assign(dive.begin(), dive.begin() + static_cast<std::ptrdiff_t>(begin));
        buffer_.insert(buffer_.end(), dive.begin() + static_cast<std::ptrdiff_t>(end), dive.end());
        return static_cast<bool>(tree_.load_buffer_inplace(buffer_.data(), buffer_.size(),
                                                           kXmlParseOptions, pugi::encoding_utf8));
    }

    // A large dive: its own elements in one tree, its waypoints in batches.
    bool readLarge(std::string_view dive, Readers& readers, ImportResult& result) {
        const XmlBlockScanner::Result found = XmlBlockScanner::scan(dive, kSamplesPath);
        if (found.blocks.empty()) return false;
        const XmlBlockScanner::Block s = found.blocks.back();
        parseWithout(dive, s.begin, s.end);
        const pugi::xml_node node = tree_.document_element();
        if (!lastChild(node, "informationbeforedive", false) &&
            !lastChild(node, "informationafterdive", false))
            return false;  // the 2.x structure: read whole
        const std::string_view samples = dive.substr(s.begin, s.end - s.begin);
        std::vector<WaypointChild> scratch;
        readers.read(node, false, result, [&](const auto& visit) {
            std::size_t first = npos, last = 0, count = 0;
            bool any = false;
            auto flush = [&] {
                if (count == 0) return;
                batchBuffer_.assign({'<', 'w', '>'});
                batchBuffer_.insert(batchBuffer_.end(),
                                    samples.begin() + static_cast<std::ptrdiff_t>(first),
                                    samples.begin() + static_cast<std::ptrdiff_t>(last));
                for (char c : std::string_view("</w>")) batchBuffer_.push_back(c);
                batchTree_.load_buffer_inplace(batchBuffer_.data(), batchBuffer_.size(),
                                               kXmlParseOptions, pugi::encoding_utf8);
                for (pugi::xml_node w : batchTree_.document_element().children())
                    if (w.type() == pugi::node_element && localName(w) == "waypoint") {
                        visit(UddfDiveReader::waypointElement(w, scratch));
                        any = true;
                    }
                first = npos;
                count = 0;
            };
            XmlBlockScanner::scan(samples, kWaypointPath, [&](const XmlBlockScanner::Block& w) {
                if (first == npos) first = w.begin;
                last = w.end;
                if (++count == kWaypointBatch) flush();
            });
            flush();
            return any;
        });
        return true;
    }

    std::string_view text_;
    bool textWaypoints_;
    std::vector<char> buffer_, batchBuffer_;
    pugi::xml_document tree_, batchTree_;
    UddfWaypointScanner waypoints_;
};

// The dives read while the file is scanned, each where it stands, on the
// definitions before it: most files define first, so most dives are read in
// one pass over the text. A definition after a dive already read, or any
// damage, leaves the dives to be read once the whole file is scanned.
struct EarlyDives {
    struct Dive {
        std::size_t begin;  // of its block
        ImportResult read;
    };
    std::vector<Dive> dives;
    bool valid = true;
};

}  // namespace

ImportResult UddfImport::read(std::span<const std::uint8_t> bytes,
                              const ReadContext& context) const {
    if (!XmlBlockScanner::cuttable(bytes)) return readWhole(bytes, context);
    constexpr std::size_t npos = std::string_view::npos;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    auto definitions = std::make_unique<UddfDefinitions>();
    auto readers = std::make_unique<Readers>(*definitions, context);
    DiveBlocks dives(text, textWaypoints_);
    EarlyDives early;
    std::vector<char> buffer;
    pugi::xml_document tree;
    const XmlBlockScanner::Result scan =
        XmlBlockScanner::scanEntering(text, kPaths, [&](const XmlBlockScanner::Start& start) {
            if (!early.valid || start.path == kOwnDive) return npos;
            if (start.path == kStandardDive) {
                EarlyDives::Dive d{start.begin, {}};
                const std::size_t end = dives.readPlain(text.substr(start.begin), *readers, d.read);
                if (end == npos) return npos;  // read once the file is scanned
                early.dives.push_back(std::move(d));
                return start.begin + end;
            }
            // A definition, for the dives after it.
            const std::size_t end = XmlBlockScanner::elementEnd(text, start.tagEnd, start.name);
            if (end != npos) {
                buffer.assign(text.begin() + static_cast<std::ptrdiff_t>(start.begin),
                              text.begin() + static_cast<std::ptrdiff_t>(end));
                if (tree.load_buffer_inplace(buffer.data(), buffer.size(), kXmlParseOptions,
                                             pugi::encoding_utf8)) {
                    definitions->read(tree.document_element());
                    early.valid = early.dives.empty();
                    return end;
                }
            }
            early.valid = false;
            return npos;
        });
    ImportResult result;
    if (!scan.anyElement) {
        result.readable = false;
        result.notes.emplace_back("the file is not XML");
        return result;
    }
    std::vector<XmlBlockScanner::Block> diveBlocks;
    for (const auto& b : scan.blocks)
        if (b.path == kStandardDive || b.path == kOwnDive) diveBlocks.push_back(b);
    // An element of the definitions left open would hold the dives after it:
    // a damaged file is scanned again for its dives alone.
    if (!scan.complete) {
        early.valid = false;
        XmlBlockScanner::Result again = XmlBlockScanner::scan(text, kDivePaths);
        if (again.blocks.size() > diveBlocks.size()) diveBlocks = std::move(again.blocks);
    }
    XmlBlockTree whole(text, scan, result.notes);
    if (!early.valid) {
        // The definitions first, wherever they stand: dives refer to them by id.
        early.dives.clear();
        definitions = std::make_unique<UddfDefinitions>();
        readers = std::make_unique<Readers>(*definitions, context);
        for (const auto& b : scan.blocks)
            if (b.path != kStandardDive && b.path != kOwnDive) definitions->read(whole.parse(b));
    }
    auto next = early.dives.begin();
    for (const auto& b : diveBlocks) {
        if (next != early.dives.end() && next->begin == b.begin) {
            for (auto& d : next->read.dives) result.dives.push_back(std::move(d));
            for (auto& n : next->read.notes) result.notes.push_back(std::move(n));
            ++next;
            continue;
        }
        dives.read(b, *readers, result, whole);
    }
    if (!scan.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, scan.errorOffset, result.dives.size()));
    readers->report(result);
    return result;
}

}  // namespace divelog
