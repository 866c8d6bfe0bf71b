#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "exchange/XmlBlockScanner.h"

namespace divelog {

// The blocks of a scanned file parsed one at a time into one buffer and one
// tree, reused for every block, so the file's bytes are never copied whole.
// Damage inside a block is noted, unless it is where the scan already found
// the file cut short.
class XmlBlockTree {
public:
    XmlBlockTree(std::string_view text, const XmlBlockScanner::Result& scan,
                 std::vector<std::string>& notes)
        : text_(text), scan_(scan), notes_(notes) {}

    // The block's element; valid until the next parse.
    pugi::xml_node parse(const XmlBlockScanner::Block& block);

private:
    std::string_view text_;
    const XmlBlockScanner::Result& scan_;
    std::vector<std::string>& notes_;
    std::vector<char> buffer_;
    pugi::xml_document tree_;
};

}  // namespace divelog
