#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// The logbook as a UDDF 2.2.0 file: its header blocks, then every dive in
// the dive element the UDCF export writes, with the date and time in lower
// case.
class UddfExport final : public DiveExporter {
public:
    std::string_view typeName() const override {
        return "Export UDDF (Universal Dive Data Format)";
    }
    std::string_view extension() const override { return "uddf"; }
    bool write(const Carnet::DiveList& dives, const ExportContext& context, ByteOutput& out,
               std::string& error) const override;
};

// The logbook as a UDCF file.
class UdcfExport final : public DiveExporter {
public:
    std::string_view typeName() const override {
        return "Export UDCF (Universal Dive Computer Format)";
    }
    std::string_view extension() const override { return "udcf"; }
    bool write(const Carnet::DiveList& dives, const ExportContext& context, ByteOutput& out,
               std::string& error) const override;
};

}  // namespace divelog
