#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// Dives of a UDCF file, element names in any case: every `DIVE` of every
// `REPGROUP`, wherever the group stands. Files of other programs are read too: `UNITS` "Imperial"
// (feet, Fahrenheit, psi, converted to the logbook's metric values), a date
// written as one date-time text, `DURATION` instead of `DIVETIME`, and
// samples timed by their own `T` elements instead of `DELTA` steps.
// A UTF-8 file is cut into its dives and parsed one dive at a time, a very
// large dive's samples a batch at a time; other encodings are parsed whole.
class UdcfImport final : public DiveImporter {
public:
    std::string_view name() const override { return "UDCF"; }
    std::vector<std::string_view> extensions() const override { return {"udcf", "xml", "txt"}; }
    using DiveImporter::read;
    ImportResult read(std::span<const std::uint8_t> bytes,
                      const ReadContext& context) const override;
};

}  // namespace divelog
