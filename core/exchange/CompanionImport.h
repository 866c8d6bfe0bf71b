#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// Dives of the mobile companion application's file: summaries without samples.
class CompanionImport final : public DiveImporter {
public:
    std::string_view name() const override { return "Companion"; }
    std::vector<std::string_view> extensions() const override { return {"xml", "txt"}; }
    using DiveImporter::read;
    ImportResult read(std::span<const std::uint8_t> bytes,
                      const ReadContext& context) const override;
};

}  // namespace divelog
