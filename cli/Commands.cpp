#include "Commands.h"

#include <cstdio>
#include <ostream>

namespace divelog::cli {

namespace {

// Length of the valid UTF-8 character at `i` (overlong forms, surrogates
// and values past U+10FFFF are not); 0 when there is none.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    const std::size_t n = c >= 0xF0 && c <= 0xF4   ? 4
                          : c >= 0xE0 && c <= 0xEF ? 3
                          : c >= 0xC2 && c <= 0xDF ? 2
                                                   : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80) return 0;
    if (n == 3 && ((c == 0xE0 && b(i + 1) < 0xA0) || (c == 0xED && b(i + 1) >= 0xA0))) return 0;
    if (n == 4 && ((c == 0xF0 && b(i + 1) < 0x90) || (c == 0xF4 && b(i + 1) >= 0x90))) return 0;
    return n;
}

void escape(std::string& out, unsigned char c) {
    char buf[5];
    std::snprintf(buf, sizeof buf, "\\x%02x", c);
    out += buf;
}

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            escape(out, c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const std::size_t n = utf8Length(text, i)) {
            out.append(text.substr(i, n));
            i += n - 1;
        } else {
            escape(out, c);  // not UTF-8: the terminal would show it as garbage
        }
    }
    return out;
}

void reportRefusal(std::ostream& err, std::string_view file, std::string_view reason) {
    err << "divelog-convert: " << printable(file) << ": " << printable(reason) << '\n';
}

}  // namespace divelog::cli
