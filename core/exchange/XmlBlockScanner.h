#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace divelog {

// Finds where chosen elements lie in an XML text without building a tree, so
// a large file can be parsed one element at a time into a reused buffer: a
// 100 MB logbook then never holds more than one dive's tree. Tags, comments,
// CDATA, processing instructions and the document type are stepped over;
// nothing is expanded, nothing nests on the stack.
class XmlBlockScanner {
public:
    // Element names without prefix, the element last:
    // {"profiledata", "repetitiongroup", "dive"}.
    using Path = std::span<const std::string_view>;

    struct Block {
        std::size_t begin = 0;  // the '<' of the start tag
        std::size_t end = 0;    // just past the end tag (or where the text stops)
        std::size_t path = 0;   // which of the paths it matched
    };
    struct Result {
        std::vector<Block> blocks;  // in document order
        bool anyElement = false;
        bool complete = false;  // false: damaged or truncated at `errorOffset`
        std::size_t errorOffset = 0;
    };

    // A block's start tag: where it begins and ends, its name as written,
    // its level (1: a child of the root) and which of the paths it matched.
    struct Start {
        std::size_t begin = 0, tagEnd = 0, level = 0;
        std::string_view name;
        bool selfClosing = false;
        std::size_t path = 0;
    };
    // A block begins at an element whose name and its parents' match a path,
    // wherever they stand below the root (a damaged file may nest them in an
    // element it left open); elements inside a block are not matched again. The names of the
    // outer levels are checked against their end tags; a mismatch stops the
    // scan as a damage, with the open block ending there.
    static Result scan(std::string_view text, std::span<const Path> paths);
    // The same, each block given to `each` as soon as it ends instead of
    // kept: a million waypoints need no list of a million blocks. `anyCase`
    // matches the paths' names in any case ("REPGROUP", "repgroup").
    static Result scan(std::string_view text, std::span<const Path> paths,
                       const std::function<void(const Block&)>& each, bool anyCase = false);

    // The same, kept in the result, where `enter`, at each block's start tag
    // (not self-closing), may read the block itself: it returns the
    // position just past the block's end tag, where the scan goes on, or
    // npos to leave the block to the scan.
    using Enter = std::function<std::size_t(const Start&)>;
    static Result scanEntering(std::string_view text, std::span<const Path> paths,
                               const Enter& enter);

    // The first element a path matches inside the text's first element, the
    // scan going no further; none when that element ends first.
    static std::optional<Start> firstStart(std::string_view text, std::span<const Path> paths);
    // From inside the content of an element named `name` as written, just
    // past its end tag; npos when the text is damaged or stops first.
    static std::size_t elementEnd(std::string_view text, std::size_t from, std::string_view name);

    // Whether the bytes can be cut this way: UTF-8 or ASCII, by their
    // byte-order mark and declaration. Other encodings are read whole.
    static bool cuttable(std::span<const std::uint8_t> bytes);
};

}  // namespace divelog
