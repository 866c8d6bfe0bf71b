#include "util/TextFold.h"

#include <utf8proc.h>

#include <cstdlib>

namespace divelog {

namespace {

bool isAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::string foldForSearch(std::string_view text) {
    // Most logbook text is plain ASCII: skip the library's allocation then.
    if (isAscii(text)) return asciiLower(text);
    utf8proc_uint8_t* folded = nullptr;
    const auto options =
        static_cast<utf8proc_option_t>(UTF8PROC_CASEFOLD | UTF8PROC_COMPOSE | UTF8PROC_STABLE);
    const utf8proc_ssize_t n =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
                     static_cast<utf8proc_ssize_t>(text.size()), &folded, options);
    if (n < 0) return asciiLower(text);
    std::string out(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(n));
    std::free(folded);
    return out;
}

namespace {

// Case folded and accents stripped: the letters a reader sorts by.
std::string sortKey(std::string_view text) {
    if (isAscii(text)) return asciiLower(text);
    utf8proc_uint8_t* folded = nullptr;
    const auto options = static_cast<utf8proc_option_t>(UTF8PROC_CASEFOLD | UTF8PROC_DECOMPOSE |
                                                        UTF8PROC_STRIPMARK | UTF8PROC_STABLE);
    const utf8proc_ssize_t n =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
                     static_cast<utf8proc_ssize_t>(text.size()), &folded, options);
    if (n < 0) return asciiLower(text);
    std::string out(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(n));
    std::free(folded);
    return out;
}

}  // namespace

bool readsBefore(std::string_view a, std::string_view b) {
    const std::string ka = sortKey(a), kb = sortKey(b);
    if (ka != kb) return ka < kb;
    return a < b;
}

bool containsFolded(std::string_view haystack, std::string_view folded) {
    if (folded.empty()) return true;
    return foldForSearch(haystack).find(folded) != std::string::npos;
}

}  // namespace divelog
