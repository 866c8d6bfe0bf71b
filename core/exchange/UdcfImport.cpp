#include "exchange/UdcfImport.h"

#include <algorithm>
#include <array>

#include "exchange/UdcfDiveReader.h"
#include "exchange/XmlBlockScanner.h"
#include "exchange/XmlReading.h"

namespace divelog {

namespace {

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr std::array<std::string_view, 2> kDive = {"REPGROUP", "DIVE"};
constexpr std::array<std::string_view, 1> kUnits = {"UNITS"};
constexpr std::array<XmlBlockScanner::Path, 2> kPaths = {kDive, kUnits};
constexpr std::array<std::string_view, 1> kSamples = {"SAMPLES"};
constexpr std::array<XmlBlockScanner::Path, 1> kSamplesPath = {kSamples};
constexpr std::array<std::string_view, 1> kDelta = {"DELTA"};
constexpr std::array<XmlBlockScanner::Path, 1> kDeltaPath = {kDelta};
constexpr std::array<std::string_view, 1> kD = {"D"}, kT = {"T"}, kAlarm = {"ALARM"};
constexpr std::array<XmlBlockScanner::Path, 3> kSamplePaths = {kD, kT, kAlarm};
// A dive larger than this has its samples parsed a batch at a time (see UddfImport).
constexpr std::size_t kLargeDive = 4u << 20;
constexpr std::size_t kBatch = 4096;

ImportResult readWhole(std::span<const std::uint8_t> bytes, const ReadContext& context) {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportNotXml(xml, result);
    const pugi::xml_node root = xml.document.document_element();
    const bool imperial = sameText(trimmedText(lastChild(root, "UNITS", true)), "imperial");
    UdcfDiveReader reader(imperial, context);
    // Wherever a group stands: a damaged file may leave the element before it open.
    for (pugi::xml_node dive : elementsUnder(xml.document, "REPGROUP", "DIVE", true))
        if (auto d = reader.read(dive, result.notes)) result.dives.push_back(std::move(*d));
    result.skipped += reader.skipped();
    if (xml.any && !xml.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, xml.errorOffset, result.dives.size()));
    reader.report(result.notes);
    return result;
}

}  // namespace

ImportResult UdcfImport::read(std::span<const std::uint8_t> bytes,
                              const ReadContext& context) const {
    if (!XmlBlockScanner::cuttable(bytes)) return readWhole(bytes, context);
    // Cut into its dives, as the UDDF import is: one dive's tree at a time.
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const XmlBlockScanner::Result scan = XmlBlockScanner::scan(text, kPaths, {}, true);
    ImportResult result;
    if (!scan.anyElement) {
        result.readable = false;
        result.notes.emplace_back("the file is not XML");
        return result;
    }
    std::vector<char> buffer, batchBuffer;
    pugi::xml_document tree, batchTree;
    auto parseText = [&](std::string_view part, std::vector<char>& into, pugi::xml_document& doc) {
        into.assign(part.begin(), part.end());
        doc.load_buffer_inplace(into.data(), into.size(), kXmlParseOptions, pugi::encoding_utf8);
        return doc.document_element();
    };
    bool imperial = false;
    for (const auto& b : scan.blocks)
        if (b.path == 1)
            imperial = sameText(
                trimmedText(parseText(text.substr(b.begin, b.end - b.begin), buffer, tree)),
                "imperial");
    UdcfDiveReader reader(imperial, context);
    for (const auto& b : scan.blocks) {
        if (b.path != 0) continue;
        const std::string_view dive = text.substr(b.begin, b.end - b.begin);
        XmlBlockScanner::Result found;
        if (dive.size() >= kLargeDive) found = XmlBlockScanner::scan(dive, kSamplesPath, {}, true);
        if (found.blocks.empty()) {
            if (auto d = reader.read(parseText(dive, buffer, tree), result.notes))
                result.dives.push_back(std::move(*d));
            continue;
        }
        // A large dive: its own elements in one tree, its samples in batches.
        const XmlBlockScanner::Block s = found.blocks.front();
        const std::string_view samples = dive.substr(s.begin, s.end - s.begin);
        std::string delta;
        XmlBlockScanner::scan(
            samples, kDeltaPath,
            [&](const XmlBlockScanner::Block& e) {
                delta = std::string(trimmedText(
                    parseText(samples.substr(e.begin, e.end - e.begin), batchBuffer, batchTree)));
            },
            true);
        buffer.assign(dive.begin(), dive.begin() + static_cast<std::ptrdiff_t>(s.begin));
        buffer.insert(buffer.end(), dive.begin() + static_cast<std::ptrdiff_t>(s.end), dive.end());
        tree.load_buffer_inplace(buffer.data(), buffer.size(), kXmlParseOptions,
                                 pugi::encoding_utf8);
        UdcfDiveReader::Samples apart{
            delta, [&](const auto& visit) {
                std::size_t first = std::string_view::npos, last = 0, count = 0;
                auto flush = [&] {
                    if (count == 0) return;
                    const std::string part =
                        "<w>" + std::string(samples.substr(first, last - first)) + "</w>";
                    for (pugi::xml_node c : parseText(part, batchBuffer, batchTree).children())
                        visit(c);
                    first = std::string_view::npos;
                    count = 0;
                };
                XmlBlockScanner::scan(
                    samples, kSamplePaths,
                    [&](const XmlBlockScanner::Block& e) {
                        if (first == std::string_view::npos) first = e.begin;
                        last = e.end;
                        if (++count == kBatch) flush();
                    },
                    true);
                flush();
            }};
        if (auto d = reader.read(tree.document_element(), result.notes, &apart))
            result.dives.push_back(std::move(*d));
    }
    result.skipped += reader.skipped();
    if (!scan.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, scan.errorOffset, result.dives.size()));
    reader.report(result.notes);
    return result;
}

}  // namespace divelog
