#pragma once

#include <cstddef>
#include <string_view>

namespace divelog {

// The small rules of XML text every reader of it shares, free of any parser.

// XML's own white space; the C library's isspace is a call per byte.
constexpr bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
// The text without the white space around it.
constexpr std::string_view trimmedXml(std::string_view t) {
    while (!t.empty() && isXmlSpace(t.front())) t.remove_prefix(1);
    while (!t.empty() && isXmlSpace(t.back())) t.remove_suffix(1);
    return t;
}

// The name without a namespace prefix: "uddf:dive" is a dive.
constexpr std::string_view withoutPrefix(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace divelog
