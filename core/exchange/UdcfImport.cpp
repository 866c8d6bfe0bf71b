#include "exchange/UdcfImport.h"

#include <algorithm>

#include "exchange/UdcfDiveReader.h"
#include "exchange/XmlReading.h"

namespace divelog {

namespace {

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

ImportResult UdcfImport::read(std::span<const std::uint8_t> bytes,
                              const ReadContext& context) const {
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

}  // namespace divelog
