#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "exchange/ExchangeFormat.h"
#include "exchange/ImportRules.h"

namespace divelog {

// One `DIVE` element as the UDCF export writes it, and as the UDDF 2.2
// export writes it inside its own root (the date and time in lower case):
// element names in any case. What the whole file left behind is counted
// and told once.
class UdcfDiveReader {
public:
    UdcfDiveReader(bool imperial, const ReadContext& context)
        : numbers_(imperial), context_(context) {}

    // None for an element that holds nothing of a dive: no date, depth,
    // duration or sample (some programs write one to carry a surface interval).
    // For a dive too large for one tree, its `SAMPLES` read apart: the text
    // of its last `DELTA`, and its children given in document order.
    struct Samples {
        std::string_view delta;
        std::function<void(const std::function<void(pugi::xml_node)>& visit)> children;
    };
    std::optional<DiveDraft> read(pugi::xml_node dive, std::vector<std::string>& notes,
                                  const Samples* apart = nullptr);
    // The report's lines for the dives read so far, the skipped ones included.
    void report(std::vector<std::string>& notes) const;
    std::size_t skipped() const { return empty_; }

private:
    QuantityReader numbers_;
    const ReadContext& context_;
    std::size_t extraMixes_ = 0, extraTanks_ = 0, empty_ = 0, repeated_ = 0, rejected_ = 0;
};

}  // namespace divelog
