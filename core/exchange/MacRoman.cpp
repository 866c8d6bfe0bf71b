#include "exchange/MacRoman.h"

#include <iconv.h>
#include <utf8proc.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace divelog {

namespace {

// The conversions that glibc's table makes otherwise than Apple's.
std::optional<char> appleOnly(std::int32_t codePoint) {
    switch (codePoint) {
        case 0xF8FF: return static_cast<char>(0xF0);  // Apple logo (glibc: U+E01E)
        case 0x2206: return static_cast<char>(0xC6);  // increment (glibc: Greek capital delta)
        default: return std::nullopt;
    }
}

// What glibc's table gives a code that Apple's gives to another character:
// Apple has no code for these, so they fail the save as any other would.
bool glibcOnly(std::int32_t codePoint) {
    return codePoint == 0x0394 || codePoint == 0xE01E;  // Greek capital delta, a private use
}

std::string composed(std::string_view utf8) {
    utf8proc_uint8_t* out = nullptr;
    const utf8proc_ssize_t n =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                     static_cast<utf8proc_ssize_t>(utf8.size()), &out,
                     static_cast<utf8proc_option_t>(UTF8PROC_COMPOSE | UTF8PROC_STABLE));
    if (n < 0) return std::string(utf8);  // not UTF-8: iconv will say so
    std::string s(reinterpret_cast<const char*>(out), static_cast<std::size_t>(n));
    std::free(out);
    return s;
}

struct Converter {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    Converter() : cd(iconv_open("MACINTOSH", "UTF-8")) {}
    ~Converter() {
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
    // False when a character has no code; `out` then holds what came before.
    bool run(std::string_view in, std::string& out) {
        if (in.empty()) return true;
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        const std::size_t start = out.size();
        out.resize(start + in.size());  // one byte per character at most
        char* dst = out.data() + start;
        std::size_t room = in.size();
        const bool ok = iconv(cd, &src, &left, &dst, &room) != static_cast<std::size_t>(-1);
        out.resize(static_cast<std::size_t>(dst - out.data()));
        return ok && left == 0;
    }
};

}  // namespace

MacRoman::Result MacRoman::encode(std::string_view utf8) {
    const std::string text = composed(utf8);
    const std::string_view all(text);
    thread_local Converter converter;
    Result result;
    result.bytes.reserve(text.size());
    // Runs of ordinary characters go to iconv whole; the characters Apple
    // maps otherwise are written between them.
    std::size_t run = 0, i = 0;
    auto fail = [&](std::size_t from) {
        // Name the first character of the run that has no code.
        std::string one;
        for (std::size_t at = from; at < all.size();) {
            utf8proc_int32_t cp = -1;
            const utf8proc_ssize_t len =
                utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(all.data() + at),
                                 static_cast<utf8proc_ssize_t>(all.size() - at), &cp);
            const std::size_t step = len > 0 ? static_cast<std::size_t>(len) : 1;
            if (len <= 0 || glibcOnly(cp) ||
                (!appleOnly(cp) && !converter.run(all.substr(at, step), one))) {
                result.missing = std::string(all.substr(at, step));
                break;
            }
            at += step;
        }
        if (!result.missing) result.missing = std::string(all.substr(from, 1));
        result.bytes.clear();
        return result;
    };
    while (i < all.size()) {
        utf8proc_int32_t cp = -1;
        const utf8proc_ssize_t len =
            utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(all.data() + i),
                             static_cast<utf8proc_ssize_t>(all.size() - i), &cp);
        if (len <= 0) return fail(run);
        if (glibcOnly(cp)) return fail(run);
        if (const auto special = appleOnly(cp)) {
            if (!converter.run(all.substr(run, i - run), result.bytes)) return fail(run);
            result.bytes += *special;
            run = i + static_cast<std::size_t>(len);
        }
        i += static_cast<std::size_t>(len);
    }
    if (!converter.run(all.substr(run), result.bytes)) return fail(run);
    return result;
}

}  // namespace divelog
