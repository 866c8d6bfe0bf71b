#pragma once

#include <limits>
#include <string_view>

namespace divelog {

// What a number field accepts: the characters as typed and the range a real
// value fits in. Every form's validator and its refusal before storing ask
// it, so a keystroke is judged as the stored value will be.
struct NumberRule {
    bool decimals = false;     // one "," or "." allowed
    bool negative = false;     // a leading "-" allowed
    bool dashForNone = false;  // "-" alone means not given
    int maxDigits = 6;         // before the decimal point
    double min = std::numeric_limits<double>::lowest();
    double max = std::numeric_limits<double>::max();
    bool exponent = false;  // "1,5e-3": a converted value may show one
};

enum class NumberVerdict {
    Acceptable,    // a value the field holds, or blank
    Intermediate,  // may still become one as the user types on; not stored as it is
    Invalid,       // no further typing makes it one: the keystroke is refused
};

// A whole-number field shows a decimal separator as typed but never accepts
// it: dropping the comma would turn "1,5" into fifteen.
NumberVerdict checkNumberText(const NumberRule& rule, std::string_view text);

}  // namespace divelog
