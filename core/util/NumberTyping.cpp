#include "util/NumberTyping.h"

namespace divelog {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

Typed checkTyping(const NumberTyping& rule, std::string_view text) {
    if (text.empty()) return Typed::Complete;
    if (rule.dashForNone && text == "-") return Typed::Complete;
    std::size_t i = 0;
    if (text[i] == '-') {
        if (!rule.negative) return Typed::Refused;
        ++i;
    }
    int before = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++before;
    if (before > rule.maxDigits) return Typed::Refused;
    int after = 0;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        if (!rule.decimals) return Typed::Refused;
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++after;
    }
    if (i < text.size()) return Typed::Refused;
    return before + after > 0 ? Typed::Complete : Typed::Unfinished;
}

}  // namespace divelog
