#include "exchange/DiveImport.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>

#include "document/DocumentFile.h"
#include "exchange/ExchangeFormats.h"
#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {

using F = Plongee::Field;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The root element's name without prefix, from the first bytes; empty when
// the text does not start like XML in a byte-wide encoding.
std::string rootName(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                std::min<std::size_t>(bytes.size(), 65536));
    for (std::size_t at = text.find('<'); at != std::string_view::npos;
         at = text.find('<', at + 1)) {
        if (at + 1 >= text.size()) break;
        const char c = text[at + 1];
        if (c == '?' || c == '!') {
            if (text.compare(at, 4, "<!--") == 0) {
                at = text.find("-->", at);
                if (at == std::string_view::npos) break;
            }
            continue;
        }
        std::size_t end = at + 1;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
               text[end] != '>' && text[end] != '/')
            ++end;
        std::string_view name = text.substr(at + 1, end - at - 1);
        if (const auto colon = name.find(':'); colon != std::string_view::npos)
            name.remove_prefix(colon + 1);
        return lower(name);
    }
    return {};
}

// A corrected field in the report's words.
std::string_view fieldWords(F field) {
    switch (field) {
        case F::coeff: return "tide coefficient";
        case F::tempEau: return "water temperature";
        case F::tempAir: return "air temperature";
        case F::profondeur: return "depth";
        case F::temps: return "dive time";
        case F::altitude: return "altitude";
        case F::o2Mix: return "oxygen";
        case F::heMix: return "helium";
        case F::o2Mix_2: return "oxygen of cylinder 2";
        case F::heMix_2: return "helium of cylinder 2";
        case F::lestage: return "weight";
        default: return Plongee::nameOf(field);
    }
}

std::string dives(std::size_t n) { return n == 1 ? "1 dive" : std::to_string(n) + " dives"; }

void apply(DiveForm& form, const DiveDraft::Value& v) {
    // The draft's fields are checked for their kind when the reader is compiled.
    switch (v.value.index()) {
        case 0: form.setText(v.field, std::get<std::string>(v.value)); break;
        case 1: form.setTag(v.field, std::get<std::int32_t>(v.value)); break;
        case 2: form.setSwitch(v.field, std::get<bool>(v.value)); break;
        case 3: form.setDate(v.field, std::get<Date>(v.value)); break;
    }
}

}  // namespace

DiveImport::Built DiveImport::build(const std::vector<DiveDraft>& dives, std::int32_t firstNumber,
                                    const SettingsStore& settings, const Localisation& texts,
                                    const std::function<bool(std::size_t)>& progress) {
    Built built;
    built.dives.reserve(dives.size());
    DiveForm form;
    const ClearContext blank = ClearContext::from(settings, texts, dateNow());
    std::map<F, std::size_t> corrected;
    std::int32_t number = firstNumber;
    for (std::size_t i = 0; i < dives.size(); ++i) {
        if (progress && i % 64 == 0 && !progress(i)) {
            built.dives.clear();
            built.cancelled = true;
            return built;
        }
        const DiveDraft& d = dives[i];
        form.clear(blank);
        form.setDiveNumber(number);
        if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        for (const DiveDraft::Value& v : d.values()) apply(form, v);
        if (d.profile) form.setProfile(*d.profile);
        form.refresh(RefreshContext{settings, texts, 0, std::nullopt});
        StoreResult stored = form.store(settings);
        for (auto& key : stored.alerts)
            if (std::find(built.alerts.begin(), built.alerts.end(), key) == built.alerts.end())
                built.alerts.push_back(std::move(key));
        // The blank form's own values are the form's business, not the file's.
        for (F field : stored.corrected)
            if (d.sets(field)) ++corrected[field];
        built.dives.push_back(std::make_unique<Plongee>(std::move(stored.dive)));
    }
    if (progress) progress(dives.size());
    built.corrected.assign(corrected.begin(), corrected.end());
    return built;
}

std::string DiveImport::correctionNote(const Built& built) {
    if (built.corrected.empty()) return {};
    std::string line =
        "values the logbook cannot hold were corrected as the dive form corrects them:";
    for (const auto& [field, count] : built.corrected)
        line += " " + std::string(fieldWords(field)) + " (" + dives(count) + "),";
    line.pop_back();
    return line;
}

const DiveImporter* DiveImport::importerFor(std::span<const std::uint8_t> bytes,
                                            std::string_view fileName) {
    const std::string root = rootName(bytes);
    if (root == "uddf") return ExchangeFormats::importer("UDDF");
    if (root == "profile") return ExchangeFormats::importer("UDCF");
    const std::string name = lower(fileName);
    for (const char* ext : {".uddf", ".udcf"})
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ext) == 0)
            return ExchangeFormats::importer(ext[3] == 'd' ? "UDDF" : "UDCF");
    // The companion file has no root of its own; UDCF reads it too, so it goes first.
    for (const char* format : {"Companion", "UDDF", "UDCF"})
        if (const DiveImporter* i = ExchangeFormats::importer(format);
            !i->read(bytes).dives.empty())
            return i;
    return nullptr;
}

DiveImport::Outcome DiveImport::run(const Source& source, std::int32_t firstNumber,
                                    const SettingsStore& settings, const Localisation& texts,
                                    const Progress& progress) {
    Outcome out;
    const DiveImporter* importer = source.importer;
    if (!importer) {
        DocumentError refusal;
        if (const DocumentKindInfo* kind = kindOfArchive(source.bytes, refusal)) {
            if (kind->kind != DocumentKind::Carnet) {
                out.refusal = "a " + std::string(kind->englishName) + " holds no dives";
                return out;
            }
            Carnet carnet;
            if (!carnet.load(source.bytes, refusal)) {
                out.refusal = refusal.details;
                return out;
            }
            out.format = "logbook";
            for (const auto& d : carnet.dives()) out.dives.push_back(std::make_unique<Plongee>(*d));
            return out;
        }
        importer = importerFor(source.bytes, source.fileName);
        if (!importer) {
            out.refusal = "not a logbook, UDDF, UDCF or companion file";
            return out;
        }
    }
    ImportResult read = importer->read(source.bytes);
    out.report = std::move(read.notes);
    if (!read.readable) {
        out.refusal = out.report.empty() ? "the file cannot be read" : out.report.front();
        return out;
    }
    out.format = std::string(importer->name());
    const std::size_t total = read.dives.size();
    Built built = build(read.dives, firstNumber, settings, texts,
                        [&](std::size_t done) { return !progress || progress(done, total); });
    out.cancelled = built.cancelled;
    out.dives = std::move(built.dives);
    for (const std::string& key : built.alerts)
        out.report.push_back(texts.text("Carnet", key, key));
    if (std::string note = correctionNote(built); !note.empty())
        out.report.push_back(std::move(note));
    return out;
}

}  // namespace divelog
