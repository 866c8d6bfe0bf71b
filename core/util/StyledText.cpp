#include "util/StyledText.h"

namespace divelog {

std::size_t StyledText::byteOffset(std::string_view text, std::size_t chars) {
    std::size_t i = 0;
    for (; i < text.size() && chars > 0; --chars) {
        ++i;
        // Continuation bytes belong to the character just started.
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

void StyledText::add(std::string_view text, TextStyle style, bool underline) {
    if (text.empty()) return;
    if (runs_.empty() || runs_.back().style != style || runs_.back().underline != underline)
        runs_.push_back({std::string(), style, underline});
    std::string& out = runs_.back().text;
    const std::size_t from = out.size();
    out.append(text);
    for (std::size_t i = from; i < out.size(); ++i)
        if (out[i] == '\r') out[i] = '\n';
}

void StyledText::append(std::string_view text, TextStyle style) { add(text, style, false); }

void StyledText::appendHeader(std::string_view text, std::size_t underlineFrom) {
    const std::size_t at = byteOffset(text, underlineFrom);
    add(text.substr(0, at), TextStyle::Header, false);
    add(text.substr(at), TextStyle::Header, true);
}

void StyledText::append(const StyledText& other) {
    for (const StyledRun& r : other.runs_) add(r.text, r.style, r.underline);
}

std::string StyledText::plainText() const {
    std::string s;
    for (const StyledRun& r : runs_) s += r.text;
    return s;
}

}  // namespace divelog
