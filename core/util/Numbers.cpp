#include "util/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace divelog {

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The text in the grammar std::from_chars expects, or nullopt.
std::optional<std::string> normalised(std::string_view text) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    // from_chars takes no leading '+'; a second sign after it stays an error.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::string s(text);
    for (char& c : s) {
        if (c == ',') c = '.';
        // The whitelist keeps out the words and hex forms from_chars would take.
        bool ok =
            (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!ok) return std::nullopt;
    }
    return s;
}

template <class T>
std::optional<T> parse(std::string_view text) {
    auto s = normalised(text);
    if (!s) return std::nullopt;
    T value{};
    const char* end = s->data() + s->size();
    auto [ptr, ec] = std::from_chars(s->data(), end, value);
    if (ec != std::errc{} || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

template <class T>
std::string shortest(T value) {
    if (!std::isfinite(value)) return "0";
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc{}) return "0";
    return std::string(buf, ptr);
}

}  // namespace

std::optional<double> readDecimal(std::string_view text) { return parse<double>(text); }

std::optional<float> readFloat(std::string_view text) { return parse<float>(text); }

std::optional<std::int32_t> readInteger(std::string_view text) {
    auto d = readDecimal(text);
    if (!d) return std::nullopt;
    double whole = std::trunc(*d);
    if (whole < -2147483648.0 || whole > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

float narrowToFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax) return std::numeric_limits<float>::max();
    if (value < -kMax) return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

std::string integerText(std::int64_t value) { return std::to_string(value); }

std::string decimalText(float value) { return shortest(value); }

std::string decimalText(double value) { return shortest(value); }

}  // namespace divelog
