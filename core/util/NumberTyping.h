#pragma once

#include <string_view>

namespace divelog {

// What a number field lets the user type. A keystroke that could never lead
// to a number the field takes is refused as it is typed, so no text is later
// read as a silent 0: "73 m", "1 500", "35 €" and "?" never get in.
struct NumberTyping {
    bool decimals = false;     // one "," or "." allowed
    bool negative = false;     // a leading "-" allowed
    bool dashForNone = false;  // "-" alone means not given
    int maxDigits = 6;         // before the decimal point
};

enum class Typed {
    Refused,     // no further typing makes it a number of the field
    Unfinished,  // on the way to one: a lone sign or decimal point
    Complete,    // a number, the field's "-" for none, or nothing at all
};

Typed checkTyping(const NumberTyping& rule, std::string_view text);

}  // namespace divelog
