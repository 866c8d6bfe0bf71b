#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace divelog {

// Text in the 8-bit Macintosh Roman set of older spreadsheets and dive
// software, converted whole or not at all.
class MacRoman {
public:
    struct Result {
        std::string bytes;                   // the converted text, when every character fits
        std::optional<std::string> missing;  // else the first character that has no code
    };
    // UTF-8 in; composed (NFC) first, so an accent typed as a separate mark
    // still finds its precomposed letter. Apple's table: 0xDB is the euro
    // sign, 0xBD the capital omega, 0xC6 the increment sign, 0xF0 U+F8FF.
    static Result encode(std::string_view utf8);
};

}  // namespace divelog
