#include "exchange/XmlWriter.h"

namespace divelog {

void XmlWriter::declaration() { out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }

void XmlWriter::indent() {
    for (std::size_t i = 0; i < open_.size(); ++i) out_ << "    ";
}

void XmlWriter::escaped(std::string_view text, bool attribute) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
            case '&': entity = "&amp;"; break;
            case '<': entity = "&lt;"; break;
            case '>': entity = "&gt;"; break;
            case '"': entity = attribute ? "&quot;" : nullptr; break;
            case '\r': entity = "&#13;"; break;  // kept through a reader's line-end rules
            default: break;
        }
        if (!entity) continue;
        out_ << text.substr(plain, i - plain) << entity;
        plain = i + 1;
    }
    out_ << text.substr(plain);
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

void XmlWriter::open(std::string_view name,
                     std::initializer_list<std::pair<std::string_view, std::string_view>> attributes) {
    indent();
    out_ << '<' << name;
    for (const auto& [key, value] : attributes) {
        out_ << ' ' << key << "=\"";
        escaped(value, true);
        out_ << '"';
    }
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

void XmlWriter::element(std::string_view name, std::string_view text) {
    indent();
    out_ << '<' << name << '>';
    escaped(text, false);
    out_ << "</" << name << ">\n";
}

void XmlWriter::empty(std::string_view name) {
    indent();
    out_ << '<' << name << "/>\n";
}

}  // namespace divelog
