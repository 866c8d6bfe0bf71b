#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// Dives of a UDDF file, 2.x or 3.x: every `dive` of every `repetitiongroup`
// of every `profiledata`, in document order, element names with any
// namespace prefix; and the `DIVE` elements of the application's own
// "Export UDDF" file, which carries the UDCF dive in a uddf root. A UTF-8 file is cut into its
// dives and parsed one dive at a time into one reused buffer, so the import holds little more than
// the file itself; other encodings are parsed whole.
class UddfImport final : public DiveImporter {
public:
    // Waypoints in their plain form are read straight from the text; with
    // `textWaypoints` false every dive goes through the parser, which is what
    // the text reading must always give.
    explicit UddfImport(bool textWaypoints = true) : textWaypoints_(textWaypoints) {}
    std::string_view name() const override { return "UDDF"; }
    std::vector<std::string_view> extensions() const override { return {"uddf", "xml", "txt"}; }
    using DiveImporter::read;
    ImportResult read(std::span<const std::uint8_t> bytes,
                      const ReadContext& context) const override;

private:
    bool textWaypoints_;
};

}  // namespace divelog
