#include "exchange/XmlReading.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace divelog {

namespace {

bool sameName(std::string_view a, std::string_view b, bool anyCase) {
    if (a.size() != b.size()) return false;
    if (!anyCase) return a == b;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::string_view localName(pugi::xml_node n) { return withoutPrefix(n.name()); }

pugi::xml_attribute attributeNamed(pugi::xml_node element, std::string_view name) {
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute())
        if (withoutPrefix(a.name()) == name) return a;
    return {};
}

void parseXml(std::span<const std::uint8_t> bytes, ParsedXml& into) {
    const pugi::xml_parse_result r = into.document.load_buffer(
        bytes.data(), bytes.size(), kXmlParseOptions, pugi::encoding_auto);
    into.complete = static_cast<bool>(r);
    into.errorOffset = into.complete ? 0 : static_cast<std::size_t>(r.offset);
    into.any = static_cast<bool>(into.document.document_element());
}

std::vector<pugi::xml_node> children(pugi::xml_node parent, std::string_view name, bool anyCase) {
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && sameName(localName(c), name, anyCase))
            out.push_back(c);
    return out;
}

pugi::xml_node lastChild(pugi::xml_node parent, std::string_view name, bool anyCase) {
    for (pugi::xml_node c = parent.last_child(); c; c = c.previous_sibling())
        if (c.type() == pugi::node_element && sameName(localName(c), name, anyCase)) return c;
    return {};
}

pugi::xml_node firstChild(pugi::xml_node parent, std::string_view name, bool anyCase) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && sameName(localName(c), name, anyCase)) return c;
    return {};
}

std::vector<pugi::xml_node> elementsAt(pugi::xml_node parent,
                                       std::initializer_list<std::string_view> path, bool anyCase) {
    std::vector<pugi::xml_node> level{parent};
    for (std::string_view name : path) {
        std::vector<pugi::xml_node> next;
        for (pugi::xml_node n : level)
            for (pugi::xml_node c : children(n, name, anyCase)) next.push_back(c);
        level = std::move(next);
    }
    return level;
}

void reportNotXml(const ParsedXml& xml, ImportResult& result) {
    if (xml.any) return;
    result.readable = false;
    result.notes.emplace_back("the file is not XML");
}

std::string damageNote(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t dives) {
    offset = std::min(offset, bytes.size());
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset; ++i) line += bytes[i] == '\n';
    std::string where = "the file is damaged near byte " + std::to_string(offset) + " (line " +
                        std::to_string(line) + "): ";
    if (dives == 0) return where + "no dive was found before it";
    return where + (dives == 1 ? "the dive" : "the " + std::to_string(dives) + " dives") +
           " before it " + (dives == 1 ? "was" : "were") + " read, nothing after it";
}

std::vector<pugi::xml_node> elementsUnder(pugi::xml_node root, std::string_view parent,
                                          std::string_view name, bool anyCase) {
    std::vector<pugi::xml_node> out;
    pugi::xml_node n = root.first_child();
    while (n) {
        bool descend = true;
        if (n.type() == pugi::node_element && sameName(localName(n), name, anyCase) &&
            sameName(localName(n.parent()), parent, anyCase)) {
            out.push_back(n);
            descend = false;
        }
        if (descend && n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != root && !n.next_sibling()) n = n.parent();
        if (!n || n == root) break;
        n = n.next_sibling();
    }
    return out;
}

std::vector<pugi::xml_node> descendants(pugi::xml_node root, std::string_view name, bool anyCase) {
    std::vector<pugi::xml_node> out;
    // An explicit walk: a file nested 200,000 deep must not exhaust the stack.
    pugi::xml_node n = root.first_child();
    while (n) {
        if (n.type() == pugi::node_element && sameName(localName(n), name, anyCase))
            out.push_back(n);
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != root && !n.next_sibling()) n = n.parent();
        if (!n || n == root) break;
        n = n.next_sibling();
    }
    return out;
}

std::string_view trimmedText(pugi::xml_node element) { return trimmedXml(element.child_value()); }

std::string textOf(pugi::xml_node element) { return std::string(trimmedText(element)); }

namespace {

// A plain decimal of at most 15 digits, the form nearly every number of a
// file takes, read without the general reader: its digits and the power of
// ten are exact doubles, so one division rounds as the general reader does.
std::optional<double> plainDecimal(std::string_view text) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    i += negative;
    std::uint64_t digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
            decimals += point;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (count == 0 || count > 15) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) return std::nullopt;
    const double v = static_cast<double>(digits) / kPowers[decimals];
    return negative ? -v : v;
}

}  // namespace

std::optional<double> leadingNumber(std::string_view text) {
    while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (const auto plain = plainDecimal(text)) return plain;
    double v = 0;
    const auto r =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    // "inf" and "nan" read as numbers for from_chars; they are no depth or time.
    if (const char c = text.front(); c == 'i' || c == 'I' || c == 'n' || c == 'N')
        return std::nullopt;
    return v;
}

std::optional<std::int64_t> leadingInteger(std::string_view text) {
    const auto v = leadingNumber(text);
    if (!v || std::fabs(*v) > 9e15) return std::nullopt;
    return static_cast<std::int64_t>(std::trunc(*v));
}

std::optional<Date> calendarDate(std::int64_t year, std::int64_t month, std::int64_t day,
                                 std::int64_t hour, std::int64_t minute) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        return std::nullopt;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && !leap ? 28 : kDays[month - 1];
    if (day < 1 || day > last) return std::nullopt;
    return dateFromLocalParts(DateParts{static_cast<int>(year), static_cast<int>(month),
                                        static_cast<int>(day), static_cast<int>(hour),
                                        static_cast<int>(minute), 0});
}

}  // namespace divelog
