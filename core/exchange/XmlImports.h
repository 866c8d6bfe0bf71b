#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// Dives of a UDDF file in the standard's structure: every `dive` of every
// `repetitiongroup` of every `profiledata`, in document order.
class UddfImport final : public DiveImporter {
public:
    std::string_view name() const override { return "UDDF"; }
    std::vector<std::string_view> extensions() const override { return {"uddf", "xml", "txt"}; }
    ImportResult read(std::span<const std::uint8_t> bytes) const override;
};

// Dives of a UDCF file, element names in any case: every `DIVE` of every `REPGROUP`.
class UdcfImport final : public DiveImporter {
public:
    std::string_view name() const override { return "UDCF"; }
    std::vector<std::string_view> extensions() const override { return {"udcf", "xml", "txt"}; }
    ImportResult read(std::span<const std::uint8_t> bytes) const override;
};

// Dives of the mobile companion application's file: summaries without samples.
class CompanionImport final : public DiveImporter {
public:
    std::string_view name() const override { return "Companion"; }
    std::vector<std::string_view> extensions() const override { return {"xml", "txt"}; }
    ImportResult read(std::span<const std::uint8_t> bytes) const override;
};

}  // namespace divelog
