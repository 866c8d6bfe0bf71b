#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace divelog {

// One child element of a UDDF waypoint, as the dive reader takes it.
struct WaypointChild {
    std::string_view name;       // without a namespace prefix
    std::string_view text;       // its own text, trimmed
    std::string_view ref, type;  // those attributes' values, as written; empty when absent
};

// A waypoint: its child elements, and its own text (a waypoint without
// children is its depth alone).
struct WaypointElement {
    std::span<const WaypointChild> children;
    std::string_view text;
};

// Reads the waypoints of a `samples` element straight from the text, without
// a tree: waypoints are most of a file's bytes, and a tree of them costs more
// than all the rest of an import. Only the plain form programs write is read
// this way: elements, attributes and text, without entity or character
// references, comments, CDATA, processing instructions or a waypoint's child
// holding elements of its own. Anything else ends the scan unread, and the
// caller gives the element to the XML parser instead, so what is read here is
// always what the parser would have read.
class UddfWaypointScanner {
public:
    // From just past the `samples` start tag, whose name is `samplesName` as
    // written, to its end tag. The position just past that end tag, or npos
    // when the element is not in the plain form (what was read is then void).
    std::size_t scan(std::string_view text, std::size_t from, std::string_view samplesName);

    std::size_t size() const { return waypoints_.size(); }
    // The waypoint at `index`; valid while the scanned text lives.
    WaypointElement operator[](std::size_t index) const {
        const Extent& w = waypoints_[index];
        return {std::span<const WaypointChild>(children_).subspan(w.first, w.count), w.text};
    }

private:
    struct Extent {
        std::uint32_t first = 0, count = 0;
        std::string_view text;
    };
    std::vector<WaypointChild> children_;
    std::vector<Extent> waypoints_;
};

}  // namespace divelog
