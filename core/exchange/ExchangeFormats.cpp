#include "exchange/ExchangeFormats.h"

#include "exchange/CompanionImport.h"
#include "exchange/DelimitedExports.h"
#include "exchange/StandardUddfExport.h"
#include "exchange/SubsurfaceImport.h"
#include "exchange/UdcfImport.h"
#include "exchange/UddfImport.h"
#include "exchange/XmlExports.h"

namespace divelog {

namespace {

std::vector<std::unique_ptr<DiveExporter>> makeExporters() {
    using V = DiveListExport::Variant;
    std::vector<std::unique_ptr<DiveExporter>> e;
    e.push_back(std::make_unique<DiveListExport>(V::Semicolon));
    e.push_back(std::make_unique<DiveListExport>(V::Comma));
    e.push_back(std::make_unique<DiveListExport>(V::Tab));
    e.push_back(std::make_unique<ProfileCsvExport>());
    e.push_back(std::make_unique<UdcfExport>());
    e.push_back(std::make_unique<UddfExport>());
    e.push_back(std::make_unique<StandardUddfExport>());
    e.push_back(std::make_unique<DiveListExport>(V::Utf8Semicolon));
    return e;
}

std::vector<std::unique_ptr<DiveImporter>> makeImporters() {
    std::vector<std::unique_ptr<DiveImporter>> i;
    i.push_back(std::make_unique<UdcfImport>());
    i.push_back(std::make_unique<UddfImport>());
    i.push_back(std::make_unique<CompanionImport>());
    i.push_back(std::make_unique<SubsurfaceImport>());
    return i;
}

}  // namespace

std::span<const std::unique_ptr<DiveExporter>> ExchangeFormats::exporters() {
    static const auto all = makeExporters();
    return all;
}

const DiveExporter* ExchangeFormats::exporter(std::string_view typeName) {
    for (const auto& e : exporters())
        if (e->typeName() == typeName) return e.get();
    return nullptr;
}

std::span<const std::unique_ptr<DiveImporter>> ExchangeFormats::importers() {
    static const auto all = makeImporters();
    return all;
}

const DiveImporter* ExchangeFormats::importer(std::string_view name) {
    for (const auto& i : importers())
        if (i->name() == name) return i.get();
    return nullptr;
}

bool exportDives(const Carnet::DiveList& dives, std::string_view typeName,
                 const ExportContext& context, ByteOutput& out, std::string& error) {
    const DiveExporter* e = ExchangeFormats::exporter(typeName);
    if (!e) {
        error = "A logbook cannot be written as \"" + std::string(typeName) + "\".";
        return false;
    }
    return e->write(dives, context, out, error);
}

}  // namespace divelog
