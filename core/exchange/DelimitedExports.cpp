#include "exchange/DelimitedExports.h"

#include <array>

#include "dive/DiveCodes.h"
#include "exchange/MacRoman.h"
#include "exchange/TextOutput.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using F = Plongee::Field;

constexpr std::array<std::string_view, 20> kTitles = {
    "Dive #",      "Date",         "Location",    "Site",      "Country",
    "Tide coeff",  "Surface time", "Start time",  "Depth",     "Dive time",
    "Pressure in", "Pressure out", "O2 mix",      "He mix",    "Weather",
    "Current",     "Visibility",   "Water temp.", "Air temp.", "Buddies"};

std::string two(int v) { return formatText("%02d", {std::int64_t{v}}); }

std::string label(F field, std::int32_t code, const Localisation& texts) {
    const CodeMeaning* m = DiveCodes::meaning(field, code);
    if (!m || m->title.empty()) return {};
    if (m->notGiven) return "N/A";  // written as it is, whatever the language
    return DiveCodes::title(field, code, texts);
}

std::array<std::string, 20> fieldsOf(const Plongee& d, const Localisation& texts) {
    std::string day, start;
    if (d.date()) {
        const DateParts p = localParts(*d.date());
        day = two(p.day) + "/" + two(p.month) + "/" + formatText("%04d", {std::int64_t{p.year}});
    }
    if (d.heure()) {
        const DateParts p = localParts(*d.heure());
        start = two(p.hour) + ":" + two(p.minute);
    }
    return {integerText(d.noPlongee()),
            day,
            d.lieu().value_or(""),
            d.site().value_or(""),
            d.pays().value_or(""),
            integerText(d.coeff()),
            d.surface().value_or(""),
            start,
            formatText("%.7g", {double{d.profondeur()}}),
            integerText(d.temps()),
            integerText(d.pressionDepart()),
            integerText(d.pressionFin()),
            integerText(d.o2Mix()),
            integerText(d.heMix()),
            label(F::meteo, d.meteo(), texts),
            label(F::courant, d.courant(), texts),
            label(F::visibilite, d.visibilite(), texts),
            integerText(d.tempEau()),
            integerText(d.tempAir()),
            d.partenaires().value_or("")};
}

// A field that holds the separator, a quotation mark or a line break is
// quoted, its quotation marks doubled; in the quoted variant every field is
// between quotation marks already, so only its marks are doubled.
std::string fieldText(std::string_view field, char separator, bool quoted) {
    const bool special =
        field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos;
    if (!special) return std::string(field);
    std::string out = quoted ? "" : "\"";
    for (char c : field) {
        out += c;
        if (c == '"') out += '"';
    }
    if (!quoted) out += '"';
    return out;
}

// Writes one line in the file's encoding; false, with the reason, for a
// character the encoding cannot hold.
bool put(TextOutput& out, const std::string& line, bool macRoman, std::string_view what,
         std::string& error) {
    if (!macRoman) {
        out << line;
        return true;
    }
    MacRoman::Result r = MacRoman::encode(line);
    if (r.missing) {
        error =
            "The character \u201C" + *r.missing + "\u201D of " + std::string(what) +
            " has no code in Mac OS Roman, the text encoding of this file. Nothing was written.";
        return false;
    }
    out << r.bytes;
    return true;
}

}  // namespace

std::string_view DiveListExport::typeName() const {
    switch (variant_) {
        case Variant::Semicolon: return "Export Carnet CSV (Point-virgule)";
        case Variant::Comma: return "Export Carnet CSV (Virgule)";
        case Variant::Tab: return "Export Carnet TXT (Tabulation)";
        case Variant::Utf8Semicolon: return "Export Carnet CSV (UTF-8)";
    }
    return {};
}

std::string_view DiveListExport::extension() const {
    return variant_ == Variant::Tab ? "txt" : "csv";
}

bool DiveListExport::write(const Carnet::DiveList& dives, const ExportContext& context,
                           ByteOutput& bytes, std::string& error) const {
    const bool quoted = variant_ == Variant::Semicolon || variant_ == Variant::Utf8Semicolon;
    const bool macRoman = variant_ != Variant::Utf8Semicolon;
    const char separator = variant_ == Variant::Comma ? ',' : variant_ == Variant::Tab ? '\t' : ';';
    const std::string sep = quoted ? "\";\"" : std::string(1, separator);
    const std::string ends = quoted ? "\"" : "";
    const std::string headerEnd = macRoman ? "\r" : "\r\n", lineEnd = macRoman ? "\n" : "\r\n";

    TextOutput out(bytes);
    if (!macRoman) out << "\xEF\xBB\xBF";
    auto line = [&](const auto& fields) {
        std::string s = ends;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) s += sep;
            s += fieldText(fields[i], separator, quoted);
        }
        return s + ends;
    };
    std::array<std::string, 20> titles;
    for (std::size_t i = 0; i < titles.size(); ++i) titles[i] = kTitles[i];
    if (!put(out, line(titles) + headerEnd, macRoman, "the header", error)) return false;
    for (const auto& d : dives) {
        const std::string what = "dive " + integerText(d->noPlongee());
        if (!put(out, line(fieldsOf(*d, context.texts)) + lineEnd, macRoman, what, error))
            return false;
    }
    if (!out.flush()) error = "The file could not be written.";
    return out.ok();
}

bool ProfileCsvExport::write(const Carnet::DiveList& dives, const ExportContext&, ByteOutput& bytes,
                             std::string& error) const {
    TextOutput out(bytes);
    out << "Dive #,Point,Depth,ASC,SLOW,CEIL,SURF,GAS,PRESS\n";
    for (const auto& d : dives) {
        if (!d->profilProfondeur()) continue;
        const auto& depth = *d->profilProfondeur();
        const std::string number = integerText(d->noPlongee());
        // A series that is not one entry per sample leaves its column empty.
        auto full = [&](const auto& series) { return series && series->size() == depth.size(); };
        const Plongee::Ints* flags[] = {&d->ASC_Flag(), &d->SLOW_Flag(), &d->CEIL_Flag(),
                                        &d->SURF_Flag(), &d->GAZ_Flag()};
        std::string line;
        for (std::size_t i = 0; i < depth.size(); ++i) {
            line = number + "," + integerText(static_cast<std::int64_t>(i + 1)) + "," +
                   formatText("%.1f", {depth[i]});
            for (const Plongee::Ints* f : flags)
                line += "," + (full(*f) ? integerText((**f)[i]) : "");
            line +=
                "," + (full(d->PRESS_Data()) ? formatText("%.1f", {(*d->PRESS_Data())[i]}) : "");
            line += '\n';
            out << line;  // digits, signs and commas: the same bytes in Mac OS Roman
        }
    }
    if (!out.flush()) error = "The file could not be written.";
    return out.ok();
}

}  // namespace divelog
