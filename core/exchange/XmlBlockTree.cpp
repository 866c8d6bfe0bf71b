#include "exchange/XmlBlockTree.h"

#include "exchange/XmlReading.h"

namespace divelog {

pugi::xml_node XmlBlockTree::parse(const XmlBlockScanner::Block& b) {
    buffer_.assign(text_.begin() + static_cast<std::ptrdiff_t>(b.begin),
                   text_.begin() + static_cast<std::ptrdiff_t>(b.end));
    const pugi::xml_parse_result r = tree_.load_buffer_inplace(
        buffer_.data(), buffer_.size(), kXmlParseOptions, pugi::encoding_utf8);
    if (!r && (scan_.complete || b.end != scan_.errorOffset))
        notes_.push_back("the file is damaged near byte " +
                         std::to_string(b.begin + static_cast<std::size_t>(r.offset)) +
                         "; the rest of that element was not read");
    return tree_.document_element();
}

}  // namespace divelog
