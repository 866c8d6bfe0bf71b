#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ExchangeFormat.h"

namespace divelog {

// The one list of the formats a logbook is exported to and imported from;
// the save panel's export types and the import commands are built from it.
class ExchangeFormats {
public:
    // In the order the save panel offers them.
    static std::span<const std::unique_ptr<DiveExporter>> exporters();
    static const DiveExporter* exporter(std::string_view typeName);
    static std::span<const std::unique_ptr<DiveImporter>> importers();
    static const DiveImporter* importer(std::string_view name);
};

// Writes the dives under an export type: false with a reason for an unknown
// type or a text the format cannot hold.
[[nodiscard]] bool exportDives(const Carnet::DiveList& dives, std::string_view typeName,
                               const ExportContext& context, ByteOutput& out, std::string& error);

}  // namespace divelog
