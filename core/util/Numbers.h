#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace divelog {

// How typed text becomes a number and a number becomes text, for the forms
// and the settings alike. Readers never fail loudly: a text that is not a
// finite number in range gives nullopt and the caller applies its field's
// rule (or 0). They are locale-independent, unlike strtod, so a GUI that sets LC_NUMERIC cannot
// change what "12.5" means.
//
// Accepted: optional blanks around, optional sign, digits with "." or "," as
// the decimal point, optional exponent. Refused: empty text, words ("inf",
// "nan"), hex ("0x1A"), trailing units ("12 m").

// The typed value as a double; nullopt when unreadable or beyond double range.
std::optional<double> readDecimal(std::string_view text);
// The typed value rounded once to float, so the text of a float reads back to
// the same float; nullopt beyond float range.
std::optional<float> readFloat(std::string_view text);
// The integer part of the typed decimal ("12.7" -> 12, "-0.5" -> 0); nullopt
// beyond int32, so a huge entry is treated like an unreadable one rather than
// saturating into a plausible-looking extreme.
std::optional<std::int32_t> readInteger(std::string_view text);

// Float conversion of a double beyond float range is undefined: saturate to
// the largest float instead. NaN stays NaN.
float narrowToFloat(double value);

std::string integerText(std::int64_t value);
// Shortest text that reads back to the same value: 31.5f -> "31.5", 3.f -> "3".
// Non-finite values show "0", as the form never displays nan or inf.
std::string decimalText(float value);
std::string decimalText(double value);

}  // namespace divelog
