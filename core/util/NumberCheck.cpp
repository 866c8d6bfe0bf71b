#include "util/NumberCheck.h"

#include "util/Numbers.h"

namespace divelog {

NumberVerdict checkNumberText(const NumberRule& rule, std::string_view t) {
    using V = NumberVerdict;
    if (t.empty()) return V::Acceptable;
    std::size_t i = 0, digits = 0;
    bool separator = false, exponent = false;
    if (t[0] == '-') {
        if (!rule.negative && !rule.dashForNone) return V::Invalid;
        if (t.size() == 1) return rule.dashForNone ? V::Acceptable : V::Intermediate;
        if (!rule.negative) return V::Invalid;
        i = 1;
    }
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (exponent) {
            // At most three digits after "e", a sign first.
            const std::string_view power = t.substr(i);
            std::size_t j = power[0] == '-' || power[0] == '+' ? 1 : 0;
            if (power.size() - j > 3) return V::Invalid;
            for (; j < power.size(); ++j)
                if (power[j] < '0' || power[j] > '9') return V::Invalid;
            break;
        }
        if ((c == 'e' || c == 'E') && rule.exponent && digits > 0) {
            exponent = true;
        } else if (c >= '0' && c <= '9') {
            if (!separator && ++digits > static_cast<std::size_t>(rule.maxDigits))
                return V::Invalid;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return V::Invalid;
        }
    }
    const auto value = readDecimal(t);
    if (!value) return V::Intermediate;  // "12," on the way to "12,5"
    if (separator && !rule.decimals) return V::Intermediate;
    // Further digits only move a value away from zero.
    if (*value > rule.max) return *value >= 0 ? V::Invalid : V::Intermediate;
    if (*value < rule.min) return *value < 0 || t[0] == '-' ? V::Invalid : V::Intermediate;
    return V::Acceptable;
}

}  // namespace divelog
