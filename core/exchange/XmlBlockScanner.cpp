#include "exchange/XmlBlockScanner.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <functional>
#include <string>

#include "exchange/XmlText.h"

namespace divelog {

namespace {

constexpr std::size_t kTracked = 64;  // levels whose names are kept and checked

bool nameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) || c == '_' || c == ':' || u >= 0x80;
}

std::size_t find(std::string_view text, std::size_t from, std::string_view what) {
    return from > text.size() ? std::string_view::npos : text.find(what, from);
}

// Past the '>' that closes a tag begun at `from`, quotes honoured; npos when
// the text stops first. `selfClosing` tells "<a/>".
std::size_t tagEnd(std::string_view text, std::size_t from, bool& selfClosing) {
    const char* data = text.data();
    std::size_t i = from;
    while (i < text.size()) {
        const char c = data[i];
        if (c == '>') {
            selfClosing = data[i - 1] == '/';
            return i + 1;
        }
        if (c == '"' || c == '\'') {
            const void* close = std::memchr(data + i + 1, c, text.size() - i - 1);
            if (!close) return std::string_view::npos;
            i = static_cast<std::size_t>(static_cast<const char*>(close) - data) + 1;
            continue;
        }
        ++i;
    }
    return std::string_view::npos;
}

// Past a "<!DOCTYPE ...>" with its internal subset.
std::size_t declarationEnd(std::string_view text, std::size_t from) {
    int brackets = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos) return close;
            i = close;
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']') {
            --brackets;
        } else if (c == '>' && brackets <= 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

using Path = XmlBlockScanner::Path;
using Block = XmlBlockScanner::Block;
using Result = XmlBlockScanner::Result;

// What a scan does besides finding blocks.
struct Mode {
    const XmlBlockScanner::Enter* enter = nullptr;
    std::optional<XmlBlockScanner::Start>* first = nullptr;  // stop at the first block's start
    std::size_t* closedAt = nullptr;  // begun inside an element: stop at its end tag
};

Result scanText(std::string_view text, std::span<const Path> paths,
                const std::function<void(const Block&)>& each, bool anyCase, Mode mode) {
    auto same = [anyCase](std::string_view a, std::string_view b) {
        if (!anyCase) return a == b;
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    Result r;
    // Blocks go to `each` as they end, or are kept in the result.
    auto finish = [&] {
        if (!each) return;
        each(r.blocks.back());
        r.blocks.pop_back();
    };
    std::size_t pos = text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    std::size_t depth = 0;  // open elements
    // Per tracked level: the open element's name.
    std::array<std::string_view, kTracked> names{};
    std::size_t blockDepth = 0;  // depth of the open block's element; 0: none
    bool inBlock = false;

    auto fail = [&](std::size_t at) {
        r.errorOffset = at;
        if (inBlock) {
            r.blocks.back().end = at;
            finish();
        }
        return r;
    };

    const char* data = text.data();
    while (pos < text.size()) {
        const void* lt = std::memchr(data + pos, '<', text.size() - pos);
        if (!lt) break;
        pos = static_cast<std::size_t>(static_cast<const char*>(lt) - data);
        const char next = pos + 1 < text.size() ? data[pos + 1] : '\0';
        std::size_t after = std::string_view::npos;
        if (next == '?') {
            after = find(text, pos + 2, "?>");
            if (after != std::string_view::npos) after += 2;
        } else if (next == '!') {
            if (text.compare(pos, 4, "<!--") == 0) {
                after = find(text, pos + 4, "-->");
                if (after != std::string_view::npos) after += 3;
            } else if (text.compare(pos, 9, "<![CDATA[") == 0) {
                after = find(text, pos + 9, "]]>");
                if (after != std::string_view::npos) after += 3;
            } else {
                after = declarationEnd(text, pos + 2);
            }
        } else if (next == '/') {
            std::size_t n = pos + 2;
            while (n < text.size() && !isXmlSpace(data[n]) && data[n] != '>') ++n;
            after = text.find('>', n);
            if (depth == 0 && mode.closedAt) {
                *mode.closedAt = pos;
                return r;
            }
            if (after == std::string_view::npos || depth == 0) return fail(pos);
            ++after;
            --depth;
            if (depth == 0 && mode.first) return r;  // the root ends: nothing matched in it
            // The same name as written is the usual case; prefixes are compared only otherwise.
            if (const std::string_view closing = text.substr(pos + 2, n - pos - 2);
                depth < kTracked && closing != names[depth] &&
                withoutPrefix(closing) != withoutPrefix(names[depth]))
                return fail(pos);
            if (inBlock && depth + 1 == blockDepth) {
                r.blocks.back().end = after;
                finish();
                inBlock = false;
            }
        } else if (nameStart(next)) {
            std::size_t n = pos + 1;
            while (n < text.size() && !isXmlSpace(data[n]) && data[n] != '>' && data[n] != '/') ++n;
            bool selfClosing = false;
            after = tagEnd(text, n, selfClosing);
            if (after == std::string_view::npos) return fail(pos);
            r.anyElement = true;
            const std::string_view name = text.substr(pos + 1, n - pos - 1);
            // The root is level 0. A path matches the element and its
            // parents, wherever they stand below the root.
            bool entered = false;
            if (!inBlock && depth >= 1 && depth < kTracked) {
                const std::string_view local = withoutPrefix(name);
                for (std::size_t p = 0; p < paths.size(); ++p) {
                    const Path& path = paths[p];
                    if (path.empty() || path.size() > depth || !same(path.back(), local)) continue;
                    bool all = true;
                    for (std::size_t k = 1; k < path.size() && all; ++k)
                        all = same(withoutPrefix(names[depth - k]), path[path.size() - 1 - k]);
                    if (!all) continue;
                    const XmlBlockScanner::Start start{pos, after, depth, name, selfClosing, p};
                    if (mode.first) {
                        *mode.first = start;
                        return r;
                    }
                    if (mode.enter && !selfClosing)
                        if (const std::size_t end = (*mode.enter)(start);
                            end != std::string_view::npos && end > after) {
                            r.blocks.push_back({pos, end, p});
                            finish();
                            after = end;
                            entered = true;
                            break;
                        }
                    r.blocks.push_back({pos, after, p});
                    if (selfClosing) finish();
                    inBlock = !selfClosing;
                    blockDepth = depth + 1;
                    break;
                }
            }
            if (!selfClosing && !entered) {
                if (depth < kTracked) names[depth] = name;
                ++depth;
            }
        } else {
            return fail(pos);  // a bare '<' in text
        }
        if (after == std::string_view::npos) return fail(pos);
        pos = after;
    }
    if (depth != 0) return fail(text.size());
    r.complete = r.anyElement;
    if (!r.anyElement) r.errorOffset = 0;
    return r;
}

}  // namespace

XmlBlockScanner::Result XmlBlockScanner::scan(std::string_view text, std::span<const Path> paths) {
    return scanText(text, paths, {}, false, {});
}

XmlBlockScanner::Result XmlBlockScanner::scan(std::string_view text, std::span<const Path> paths,
                                              const std::function<void(const Block&)>& each,
                                              bool anyCase) {
    return scanText(text, paths, each, anyCase, {});
}

XmlBlockScanner::Result XmlBlockScanner::scanEntering(std::string_view text,
                                                      std::span<const Path> paths,
                                                      const Enter& enter) {
    return scanText(text, paths, {}, false, Mode{&enter, nullptr, nullptr});
}

std::optional<XmlBlockScanner::Start> XmlBlockScanner::firstStart(std::string_view text,
                                                                  std::span<const Path> paths) {
    std::optional<Start> first;
    scanText(text, paths, {}, false, Mode{nullptr, &first, nullptr});
    return first;
}

std::size_t XmlBlockScanner::elementEnd(std::string_view text, std::size_t from,
                                        std::string_view name) {
    if (from > text.size()) return std::string_view::npos;
    std::size_t at = std::string_view::npos;
    scanText(text.substr(from), {}, {}, false, Mode{nullptr, nullptr, &at});
    if (at == std::string_view::npos) return at;
    at += from;
    // The parser takes the end tag's name as written, blanks after it.
    if (text.compare(at + 2, name.size(), name) != 0) return std::string_view::npos;
    std::size_t close = at + 2 + name.size();
    while (close < text.size() && isXmlSpace(text[close])) ++close;
    return close < text.size() && text[close] == '>' ? close + 1 : std::string_view::npos;
}

bool XmlBlockScanner::cuttable(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
        return false;
    const std::size_t head = std::min<std::size_t>(bytes.size(), 256);
    for (std::size_t i = 0; i < std::min<std::size_t>(head, 4); ++i)
        if (bytes[i] == 0) return false;  // UTF-16 or UTF-32 without a mark
    // A declaration naming another encoding: the whole-tree reader converts it.
    std::string_view start(reinterpret_cast<const char*>(bytes.data()), head);
    if (start.rfind("\xEF\xBB\xBF", 0) == 0) start.remove_prefix(3);
    if (start.rfind("<?xml", 0) != 0) return true;
    const std::size_t close = start.find("?>");
    std::string_view decl = start.substr(0, close);
    const std::size_t at = decl.find("encoding");
    if (at == std::string_view::npos) return true;
    const std::size_t quote = decl.find_first_of("\"'", at);
    if (quote == std::string_view::npos) return true;
    const std::size_t end = decl.find(decl[quote], quote + 1);
    std::string name(decl.substr(quote + 1, end == std::string_view::npos ? 0 : end - quote - 1));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii";
}

}  // namespace divelog
