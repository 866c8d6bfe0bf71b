#include "localisation/Localisation.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace divelog {

namespace {

bool readQuoted(std::string_view line, std::size_t& i, std::string& out) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size() || line[i] != '"') return false;
    ++i;
    out.clear();
    while (i < line.size()) {
        char c = line[i++];
        if (c == '"') return true;
        if (c == '\\' && i < line.size()) {
            char e = line[i++];
            switch (e) {
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                default: out += e; break;
            }
        } else {
            out += c;
        }
    }
    return false;
}

// A number as printf would write it in the "C" locale, whatever locale the
// process runs in: a decimal point is always a point.
std::string decimalFormat(double v, char conv, std::string_view flags) {
    bool left = false, plus = false, space = false, zero = false;
    std::size_t i = 0;
    for (; i < flags.size() && std::string_view("-+ #0").find(flags[i]) != std::string_view::npos;
         ++i) {
        left = left || flags[i] == '-';
        plus = plus || flags[i] == '+';
        space = space || flags[i] == ' ';
        zero = zero || flags[i] == '0';
    }
    int width = 0, precision = 6;
    for (; i < flags.size() && std::isdigit(static_cast<unsigned char>(flags[i])); ++i)
        width = std::min(width * 10 + (flags[i] - '0'), 256);
    if (i < flags.size() && flags[i] == '.') {
        precision = 0;
        for (++i; i < flags.size() && std::isdigit(static_cast<unsigned char>(flags[i])); ++i)
            precision = std::min(precision * 10 + (flags[i] - '0'), 256);
    }
    precision = std::min(precision, 60);
    std::string body;
    if (!std::isfinite(v)) {
        body = std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
        zero = false;
    } else {
        char buf[400];
        const auto format = conv == 'f'   ? std::chars_format::fixed
                            : conv == 'e' ? std::chars_format::scientific
                                          : std::chars_format::general;
        if (conv == 'g' && precision == 0) precision = 1;
        auto r = std::to_chars(buf, buf + sizeof buf, v, format, precision);
        body.assign(buf, r.ptr);
        if (conv == 'e') {
            // printf writes at least two exponent digits: 1e+05, not 1e+5.
            std::size_t e = body.find('e');
            if (e != std::string::npos && body.size() - e == 3) body.insert(e + 2, "0");
        }
    }
    if (!body.empty() && body[0] != '-' && (plus || space)) body.insert(0, 1, plus ? '+' : ' ');
    if (static_cast<int>(body.size()) < width) {
        const std::size_t pad = static_cast<std::size_t>(width) - body.size();
        if (left)
            body.append(pad, ' ');
        else if (zero)
            body.insert(body[0] == '-' || body[0] == '+' || body[0] == ' ' ? 1 : 0, pad, '0');
        else
            body.insert(0, pad, ' ');
    }
    return body;
}

std::string argText(const FormatArg& a) {
    if (auto i = std::get_if<std::int64_t>(&a)) return std::to_string(*i);
    if (auto d = std::get_if<double>(&a)) return decimalFormat(*d, 'g', "");
    return std::get<std::string>(a);
}

}  // namespace

std::string formatText(std::string_view fmt, std::initializer_list<FormatArg> args) {
    std::vector<FormatArg> list(args);
    std::size_t next = 0;
    std::string out;
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%') {
            out += fmt[i];
            continue;
        }
        std::size_t start = i++;
        if (i < fmt.size() && fmt[i] == '%') {
            out += '%';
            continue;
        }
        // "%2$@" names its argument, so a translation can put them in its own order.
        std::size_t position = 0;
        std::size_t digits = i;
        while (digits < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[digits])))
            position = std::min<std::size_t>(position * 10 + (fmt[digits++] - '0'), 1000);
        if (digits > i && digits < fmt.size() && fmt[digits] == '$' && position > 0)
            i = digits + 1;
        else
            position = 0;
        std::size_t specStart = i;
        while (i < fmt.size() &&
               std::string_view("-+ #0123456789.").find(fmt[i]) != std::string_view::npos)
            ++i;
        while (i < fmt.size() && std::string_view("hlqLjzt").find(fmt[i]) != std::string_view::npos)
            ++i;
        if (i >= fmt.size()) {
            out.append(fmt.substr(start));
            break;
        }
        char conv = fmt[i];
        std::string flags(fmt.substr(specStart, i - specStart));
        std::string width;
        for (char c : flags)
            if (std::string_view("hlqLjzt").find(c) == std::string_view::npos) width += c;
        if (width.size() > 8) width.clear();
        const std::size_t index = position ? position - 1 : next++;
        if (index >= list.size()) continue;
        const FormatArg& a = list[index];
        char buf[128];
        if ((conv == 'd' || conv == 'i' || conv == 'u') &&
            std::holds_alternative<std::int64_t>(a)) {
            std::snprintf(buf, sizeof buf, ("%" + width + "lld").c_str(),
                          static_cast<long long>(std::get<std::int64_t>(a)));
            out += buf;
        } else if ((conv == 'f' || conv == 'g' || conv == 'e') &&
                   !std::holds_alternative<std::string>(a)) {
            double v = std::holds_alternative<double>(a)
                           ? std::get<double>(a)
                           : static_cast<double>(std::get<std::int64_t>(a));
            out += decimalFormat(v, conv, width);
        } else {
            out += argText(a);
        }
    }
    return out;
}

bool Localisation::loadTable(const std::string& table, std::string_view text, std::string* error) {
    auto& entries = tables_[table];
    bool ok = true;
    std::size_t lineNo = 0;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++lineNo;
        std::size_t i = 0;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size() || line.substr(i, 2) == "//") continue;
        std::string key, value;
        bool good = readQuoted(line, i, key);
        if (good) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            good = i < line.size() && line[i] == '=';
            ++i;
        }
        good = good && readQuoted(line, i, value);
        if (!good) {
            if (ok && error)
                *error =
                    table + ": line " + std::to_string(lineNo) + " is not \"key\" = \"value\";";
            ok = false;
            continue;
        }
        entries[key] = value;
    }
    return ok;
}

std::string Localisation::text(std::string_view table, std::string_view key,
                               std::string_view fallback) const {
    auto t = tables_.find(table);
    if (t != tables_.end()) {
        auto e = t->second.find(key);
        if (e != t->second.end()) return e->second;
    }
    return std::string(fallback);
}

std::string Localisation::format(std::string_view table, std::string_view key,
                                 std::string_view fallback,
                                 std::initializer_list<FormatArg> args) const {
    return formatText(text(table, key, fallback), args);
}

bool Localisation::has(std::string_view table, std::string_view key) const {
    auto t = tables_.find(table);
    return t != tables_.end() && t->second.find(key) != t->second.end();
}

std::vector<std::string> Localisation::keys(std::string_view table) const {
    std::vector<std::string> out;
    auto t = tables_.find(table);
    if (t != tables_.end())
        for (const auto& [key, value] : t->second) out.push_back(key);
    return out;
}

}  // namespace divelog
