#include "exchange/XmlWriter.h"

namespace divelog {

void XmlWriter::declaration() { out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }

void XmlWriter::indent() {
    for (std::size_t i = 0; i < open_.size(); ++i) out_ << "    ";
}

namespace {

// Length of the valid UTF-8 sequence at `i`, 0 when there is none.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and values past U+10FFFF.
    if (n == 3 && ((c == 0xE0 && b(i + 1) < 0xA0) || (c == 0xED && b(i + 1) >= 0xA0))) return 0;
    if (n == 4 && ((c == 0xF0 && b(i + 1) < 0x90) || (c == 0xF4 && b(i + 1) >= 0x90))) return 0;
    // U+FFFE and U+FFFF are no XML characters.
    if (n == 3 && c == 0xEF && b(i + 1) == 0xBF && b(i + 2) >= 0xBE) return 0;
    return n;
}

}  // namespace

void XmlWriter::escaped(std::string_view text, bool attribute) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const char* entity = nullptr;
        if (c >= 0x80) {
            const std::size_t n = utf8Length(text, i);
            if (n) {
                i += n - 1;
                continue;
            }
            entity = "\xEF\xBF\xBD";  // U+FFFD for a byte that is no character
        } else {
            switch (c) {
                case '&': entity = "&amp;"; break;
                case '<': entity = "&lt;"; break;
                case '>': entity = "&gt;"; break;
                case '"': entity = attribute ? "&quot;" : nullptr; break;
                case '\r': entity = "&#13;"; break;  // kept through a reader's line-end rules
                case '\n': entity = attribute ? "&#10;" : nullptr; break;
                case '\t': entity = attribute ? "&#9;" : nullptr; break;
                default: entity = c < 0x20 ? "" : nullptr; break;  // no XML character
            }
        }
        if (!entity) continue;
        out_ << text.substr(plain, i - plain) << entity;
        plain = i + 1;
    }
    out_ << text.substr(plain);
}

void XmlWriter::attributes(
    std::initializer_list<std::pair<std::string_view, std::string_view>> list) {
    for (const auto& [key, value] : list) {
        out_ << ' ' << key << "=\"";
        escaped(value, true);
        out_ << '"';
    }
}

void XmlWriter::comment(std::string_view text) {
    indent();
    out_ << "<!--";
    // "--" may not appear inside a comment.
    for (std::size_t i = 0; i < text.size(); ++i) {
        out_ << text[i];
        if (text[i] == '-' && i + 1 < text.size() && text[i + 1] == '-') out_ << ' ';
    }
    out_ << "-->\n";
}

void XmlWriter::open(
    std::string_view name,
    std::initializer_list<std::pair<std::string_view, std::string_view>> attributes) {
    indent();
    out_ << '<' << name;
    this->attributes(attributes);
    out_ << ">\n";
    open_.emplace_back(name);
}

void XmlWriter::close() {
    if (open_.empty()) return;
    std::string name = std::move(open_.back());
    open_.pop_back();
    indent();
    out_ << "</" << name << ">\n";
}

void XmlWriter::element(std::string_view name, std::string_view text,
                        std::initializer_list<std::pair<std::string_view, std::string_view>> list) {
    indent();
    out_ << '<' << name;
    attributes(list);
    out_ << '>';
    escaped(text, false);
    out_ << "</" << name << ">\n";
}

void XmlWriter::empty(std::string_view name,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> list) {
    indent();
    out_ << '<' << name;
    attributes(list);
    out_ << "/>\n";
}

}  // namespace divelog
