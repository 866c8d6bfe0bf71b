#pragma once

#include "exchange/ExchangeFormat.h"

namespace divelog {

// The dive list as delimited text, one line per dive under a header line of
// twenty column titles. Three variants in Mac OS Roman for older software,
// and one in UTF-8 with a byte-order mark and CRLF for current spreadsheets.
class DiveListExport final : public DiveExporter {
public:
    enum class Variant { Semicolon, Comma, Tab, Utf8Semicolon };
    explicit DiveListExport(Variant variant) : variant_(variant) {}

    std::string_view typeName() const override;
    std::string_view extension() const override;
    bool write(const Carnet::DiveList& dives, const ExportContext& context, ByteOutput& out,
               std::string& error) const override;

private:
    Variant variant_;
};

// Every profile sample of every dive, one line each, comma separated, in Mac OS Roman.
class ProfileCsvExport final : public DiveExporter {
public:
    std::string_view typeName() const override { return "Export Profils CSV (Virgule)"; }
    std::string_view extension() const override { return "csv"; }
    bool write(const Carnet::DiveList& dives, const ExportContext& context, ByteOutput& out,
               std::string& error) const override;
};

}  // namespace divelog
