#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// The logbook as standard UDDF 3.2.3, in its namespace and SI units, for
// other dive software: the generator, the dive sites, one `mix` per distinct
// gas, then every dive in `profiledata`, one `repetitiongroup` per day,
// with its place, date and time, cylinders, samples and summary. Depths and
// temperatures typed in feet and Fahrenheit are written in metres and
// kelvins. Every file it writes validates against the standard's schema.
class StandardUddfExport final : public DiveExporter {
public:
    std::string_view typeName() const override { return "Export UDDF 3.2 (standard)"; }
    std::string_view extension() const override { return "uddf"; }
    bool write(const Carnet::DiveList& dives, const ExportContext& context, ByteOutput& out,
               std::string& error) const override;
};

}  // namespace divelog
