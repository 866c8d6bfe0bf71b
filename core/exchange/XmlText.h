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
    // Names are short: a loop costs less than a call to search them.
    for (std::size_t i = 0; i < name.size(); ++i)
        if (name[i] == ':') return name.substr(i + 1);
    return name;
}

}  // namespace divelog
