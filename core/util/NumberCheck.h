#pragma once

#include <string_view>

namespace divelog {

// What a number field accepts: the characters as typed and the range a real
// value fits in. The forms' validators and their refusals before storing
// both ask it.
struct NumberRule {
    bool decimals = false;     // one "," or "." allowed
    bool negative = false;     // a leading "-" allowed
    bool dashForNone = false;  // "-" alone means not given
    int maxDigits = 6;         // before the decimal point
    double min = 0;
    double max = 999999;
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
