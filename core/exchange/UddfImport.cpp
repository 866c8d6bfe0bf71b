#include "exchange/UddfImport.h"

#include <array>

#include "exchange/UddfDiveReader.h"
#include "exchange/XmlBlockScanner.h"
#include "exchange/XmlReading.h"

namespace divelog {

namespace {

constexpr std::array<std::string_view, 3> kDivePath = {"profiledata", "repetitiongroup", "dive"};
constexpr std::array<std::string_view, 1> kMixes = {"gasdefinitions"};
constexpr std::array<std::string_view, 1> kSites = {"divesite"};
constexpr std::array<std::string_view, 1> kDiver = {"diver"};
constexpr std::array<XmlBlockScanner::Path, 4> kPaths = {kDivePath, kMixes, kSites, kDiver};

// The same options as the whole-file reader: no document type, the five
// entities and character references only.
constexpr unsigned kParseOptions = pugi::parse_default & ~pugi::parse_doctype;

std::string damageNote(std::size_t offset) {
    return "the file is damaged near byte " + std::to_string(offset) +
           "; what comes after was not read";
}

ImportResult readWhole(std::span<const std::uint8_t> bytes) {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    if (!xml.any) {
        result.readable = false;
        result.notes.emplace_back("the file is not XML");
        return result;
    }
    if (!xml.complete) result.notes.push_back(damageNote(xml.errorOffset));
    const pugi::xml_node root = xml.document.document_element();
    UddfDefinitions definitions;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) definitions.read(c);
    UddfDiveReader reader(definitions);
    for (pugi::xml_node data : children(root, "profiledata", false))
        for (pugi::xml_node group : children(data, "repetitiongroup", false))
            for (pugi::xml_node dive : children(group, "dive", false))
                result.dives.push_back(reader.read(dive, result.notes));
    reader.report(result.notes);
    return result;
}

}  // namespace

ImportResult UddfImport::read(std::span<const std::uint8_t> bytes) const {
    if (!XmlBlockScanner::cuttable(bytes)) return readWhole(bytes);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const XmlBlockScanner::Result scan = XmlBlockScanner::scan(text, kPaths);
    ImportResult result;
    if (!scan.anyElement) {
        result.readable = false;
        result.notes.emplace_back("the file is not XML");
        return result;
    }
    if (!scan.complete) result.notes.push_back(damageNote(scan.errorOffset));

    // One buffer and one tree, reused for every block: the file's own bytes
    // are never copied whole.
    std::vector<char> buffer;
    pugi::xml_document tree;
    auto parse = [&](const XmlBlockScanner::Block& b) -> pugi::xml_node {
        buffer.assign(text.begin() + static_cast<std::ptrdiff_t>(b.begin),
                      text.begin() + static_cast<std::ptrdiff_t>(b.end));
        const pugi::xml_parse_result r = tree.load_buffer_inplace(
            buffer.data(), buffer.size(), kParseOptions, pugi::encoding_utf8);
        // A block the scan found cut short is already reported.
        if (!r && (scan.complete || b.end != scan.errorOffset))
            result.notes.push_back("the file is damaged near byte " +
                                   std::to_string(b.begin + static_cast<std::size_t>(r.offset)) +
                                   "; the rest of that element was not read");
        return tree.document_element();
    };
    // The definitions first, wherever they stand: dives refer to them by id.
    UddfDefinitions definitions;
    for (const auto& b : scan.blocks)
        if (b.path != 0) definitions.read(parse(b));
    UddfDiveReader reader(definitions);
    for (const auto& b : scan.blocks)
        if (b.path == 0) result.dives.push_back(reader.read(parse(b), result.notes));
    reader.report(result.notes);
    return result;
}

}  // namespace divelog
