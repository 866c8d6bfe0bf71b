#include "exchange/UddfWaypointScanner.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "exchange/XmlText.h"

namespace divelog {

namespace {

constexpr std::size_t npos = std::string_view::npos;

enum : std::uint8_t { kNameStart = 1, kName = 2, kSpace = 4, kNotPlain = 8 };

// The parser's name characters (a byte of a multi-byte character is one),
// XML's white space, and what a plain text or attribute value never holds:
// a reference, a line end the parser would normalise, a byte it stops at.
constexpr std::array<std::uint8_t, 256> kClass = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const bool start =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
        if (start) t[c] = kNameStart | kName;
        if ((c >= '0' && c <= '9') || c == '-' || c == '.') t[c] = kName;
    }
    for (char c : {' ', '\t', '\n', '\r'}) t[static_cast<unsigned char>(c)] = kSpace;
    for (char c : {'&', '\r', '\0', '<'}) t[static_cast<unsigned char>(c)] |= kNotPlain;
    return t;
}();

bool is(char c, std::uint8_t what) { return kClass[static_cast<unsigned char>(c)] & what; }

bool plain(std::string_view value) {
    for (char c : value)
        if (is(c, kNotPlain)) return false;
    return true;
}

class Cursor {
public:
    explicit Cursor(std::string_view text) : data_(text.data()), size_(text.size()) {}

    std::string_view slice(std::size_t from, std::size_t to) const {
        return {data_ + from, to - from};
    }
    std::size_t nextTag(std::size_t from) const {
        // Texts and blanks between tags are short: a call costs more than the bytes.
        for (const std::size_t near = std::min(size_, from + 32); from < near; ++from)
            if (data_[from] == '<') return from;
        const void* lt = std::memchr(data_ + from, '<', size_ - from);
        return lt ? static_cast<std::size_t>(static_cast<const char*>(lt) - data_) : npos;
    }
    bool endTagAt(std::size_t at) const { return at + 1 < size_ && data_[at + 1] == '/'; }
    bool at(std::size_t i, char c) const { return i < size_ && data_[i] == c; }
    // The end of a name beginning at `at`; `at` when none begins there.
    std::size_t nameEnd(std::size_t at) const {
        if (at >= size_ || !is(data_[at], kNameStart)) return at;
        do ++at;
        while (at < size_ && is(data_[at], kName));
        return at;
    }
    std::size_t blanks(std::size_t at) const {
        while (at < size_ && is(data_[at], kSpace)) ++at;
        return at;
    }
    // Past the end tag of `name` whose '<' is at `at`; npos for another name.
    std::size_t endTag(std::size_t at, std::string_view name) const {
        const std::size_t n = at + 2;
        if (size_ - n < name.size()) return npos;
        for (std::size_t k = 0; k < name.size(); ++k)
            if (data_[n + k] != name[k]) return npos;
        const std::size_t close = blanks(n + name.size());
        return close < size_ && data_[close] == '>' ? close + 1 : npos;
    }
    // A start tag's attributes, from just past its name, to past its '>'.
    // The first `ref` and `type` go to `into` when given.
    std::size_t attributes(std::size_t at, WaypointChild* into, bool& selfClosing) const {
        bool ref = false, type = false;
        for (;;) {
            const std::size_t before = at;
            at = blanks(at);
            if (at >= size_) return npos;
            if (data_[at] == '>') {
                selfClosing = false;
                return at + 1;
            }
            if (data_[at] == '/') {
                selfClosing = true;
                return at + 1 < size_ && data_[at + 1] == '>' ? at + 2 : npos;
            }
            const std::size_t name = at;
            at = nameEnd(at);
            if (before == name || at == name) return npos;  // attributes are parted by blanks
            const std::string_view attribute = slice(name, at);
            at = blanks(at);
            if (at >= size_ || data_[at] != '=') return npos;
            at = blanks(at + 1);
            if (at >= size_ || (data_[at] != '"' && data_[at] != '\'')) return npos;
            const char quote = data_[at++];
            const void* close = std::memchr(data_ + at, quote, size_ - at);
            if (!close) return npos;
            const auto end = static_cast<std::size_t>(static_cast<const char*>(close) - data_);
            const std::string_view value = slice(at, end);
            // The parser turns blanks inside a value into spaces.
            for (char c : value)
                if (is(c, kNotPlain | kSpace) && c != ' ') return npos;
            at = end + 1;
            if (!into) continue;
            const std::string_view local = withoutPrefix(attribute);
            if (!ref && local == "ref") {
                into->ref = value;
                ref = true;
            } else if (!type && local == "type") {
                into->type = value;
                type = true;
            }
        }
    }

private:
    const char* data_;
    std::size_t size_;
};

}  // namespace

std::size_t UddfWaypointScanner::scan(std::string_view text, std::size_t from,
                                      std::string_view samplesName) {
    children_.clear();
    waypoints_.clear();
    if (from > text.size()) return npos;
    const Cursor in(text);
    std::size_t pos = from;
    for (;;) {
        const std::size_t lt = in.nextTag(pos);
        if (lt == npos) return npos;
        if (in.endTagAt(lt)) {
            const std::size_t end = in.endTag(lt, samplesName);
            // The parser stops at a zero byte wherever it stands.
            if (end == npos || std::memchr(text.data() + from, 0, end - from)) return npos;
            return end;
        }
        // Only waypoints: a comment, CDATA or another element is the parser's.
        const std::size_t nameEnd = in.nameEnd(lt + 1);
        const std::string_view name = in.slice(lt + 1, nameEnd);
        if (withoutPrefix(name) != "waypoint") return npos;
        bool selfClosing = false;
        pos = in.attributes(nameEnd, nullptr, selfClosing);
        if (pos == npos) return npos;
        Extent w;
        w.first = static_cast<std::uint32_t>(children_.size());
        const std::size_t content = pos;
        while (!selfClosing) {
            const std::size_t at = in.nextTag(pos);
            if (at == npos) return npos;
            if (in.endTagAt(at)) {
                // Text beside children is not the waypoint's depth.
                if (children_.size() == w.first) {
                    w.text = trimmedXml(in.slice(content, at));
                    if (!plain(w.text)) return npos;
                }
                pos = in.endTag(at, name);
                if (pos == npos) return npos;
                break;
            }
            const std::size_t childEnd = in.nameEnd(at + 1);
            if (childEnd == at + 1) return npos;
            const std::string_view childName = in.slice(at + 1, childEnd);
            WaypointChild c;
            c.name = withoutPrefix(childName);
            bool empty = false;
            // Most children have no attribute.
            pos = in.at(childEnd, '>') ? childEnd + 1 : in.attributes(childEnd, &c, empty);
            if (pos == npos) return npos;
            if (!empty) {
                const std::size_t close = in.nextTag(pos);
                // A child holding elements, a comment or CDATA.
                if (close == npos || !in.endTagAt(close)) return npos;
                c.text = trimmedXml(in.slice(pos, close));
                if (!plain(c.text)) return npos;
                pos = in.endTag(close, childName);
                if (pos == npos) return npos;
            }
            children_.push_back(c);
        }
        w.count = static_cast<std::uint32_t>(children_.size()) - w.first;
        waypoints_.push_back(w);
    }
}

}  // namespace divelog
