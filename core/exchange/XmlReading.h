#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "exchange/ExchangeFormat.h"
#include "exchange/XmlText.h"
#include "util/Date.h"

namespace divelog {

// Reading foreign XML defensively. The parser expands no entity of its own
// (only the five of XML and character references) and fetches nothing, so
// an entity bomb or an external entity is only text; what a damaged file
// holds before the damage is still read.
struct ParsedXml {
    pugi::xml_document document;
    bool complete = false;        // false: the file is damaged or truncated
    std::size_t errorOffset = 0;  // where, when it is
    bool any = false;             // an element was found at all
};
void parseXml(std::span<const std::uint8_t> bytes, ParsedXml& into);
// The parser's options for every reader of outside XML: no document type,
// the five entities and character references only.
inline constexpr unsigned kXmlParseOptions = pugi::parse_default & ~pugi::parse_doctype;

// Children by name; `anyCase` matches "REPGROUP", "repgroup" and "RepGroup" alike.
std::vector<pugi::xml_node> children(pugi::xml_node parent, std::string_view name, bool anyCase);
pugi::xml_node lastChild(pugi::xml_node parent, std::string_view name, bool anyCase);
pugi::xml_node firstChild(pugi::xml_node parent, std::string_view name, bool anyCase);
// The elements at the end of a path of names, through every element of each
// name on the way, in document order.
std::vector<pugi::xml_node> elementsAt(pugi::xml_node parent,
                                       std::initializer_list<std::string_view> path, bool anyCase);
// Says in `result` that the file is no XML; call before reading its dives.
void reportNotXml(const ParsedXml& xml, ImportResult& result);
// Where a damaged file is damaged and what was read before it, once its
// dives are read: "the file is damaged near byte 812 (line 30): the 3 dives
// before it were read, nothing after it".
std::string damageNote(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t dives);
// Every element named so below `root`, in document order, without recursion.
std::vector<pugi::xml_node> descendants(pugi::xml_node root, std::string_view name, bool anyCase);
// Every element named `name` whose parent is named `parent`, wherever it
// stands below `root` (a group nested in an element a damaged file left
// open), in document order; what lies inside one is not searched.
std::vector<pugi::xml_node> elementsUnder(pugi::xml_node root, std::string_view parent,
                                          std::string_view name, bool anyCase);

std::string textOf(pugi::xml_node element);            // the element's own text, trimmed
std::string_view trimmedText(pugi::xml_node element);  // the same, without a copy
// The name without a namespace prefix: "uddf:dive" is a dive.
std::string_view localName(pugi::xml_node element);
// An attribute by its name without a prefix; an empty attribute when absent.
pugi::xml_attribute attributeNamed(pugi::xml_node element, std::string_view name);
// The number a text begins with, after blanks; none for a text without one,
// or for infinities, not-a-numbers and values past a double.
std::optional<double> leadingNumber(std::string_view text);
std::optional<std::int64_t> leadingInteger(std::string_view text);

// A calendar date at an hour and minute, in the local time zone; none for a
// month, day, hour or minute that does not exist.
std::optional<Date> calendarDate(std::int64_t year, std::int64_t month, std::int64_t day,
                                 std::int64_t hour, std::int64_t minute);

}  // namespace divelog
