#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// Dives of a Subsurface logbook file: a `divelog` root with its dive sites
// and dives (in trips or not), or the older `dives` root whose dives carry
// their own location. Every value is a text with its unit; metres, feet,
// degrees Celsius, Fahrenheit and kelvin, bar, psi, litres and cubic feet are
// converted. A UTF-8 file is cut into its dives and parsed one dive at a time,
// as the UDDF import does; other encodings are parsed whole.
class SubsurfaceImport final : public DiveImporter {
public:
    std::string_view name() const override { return "Subsurface"; }
    std::vector<std::string_view> extensions() const override { return {"ssrf", "xml"}; }
    using DiveImporter::read;
    ImportResult read(std::span<const std::uint8_t> bytes,
                      const ReadContext& context) const override;
};

}  // namespace divelog
