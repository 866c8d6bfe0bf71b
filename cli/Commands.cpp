#include "Commands.h"

#include <cstdio>
#include <ostream>

namespace divelog::cli {

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7f) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void reportRefusal(std::ostream& err, std::string_view file, std::string_view reason) {
    err << "divelog-convert: " << printable(file) << ": " << printable(reason) << '\n';
}

}  // namespace divelog::cli
