#include "exchange/DiveImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/Units.h"
#include "document/DocumentFile.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/ImportRules.h"
#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "settings/SettingsStore.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using F = Plongee::Field;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The element names of the file's first part, lower case and without
// prefix, the root first; none when the text does not start like XML in a
// byte-wide encoding.
std::vector<std::string> elementNames(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                std::min<std::size_t>(bytes.size(), 256 * 1024));
    std::vector<std::string> names;
    std::set<std::string, std::less<>> seen;
    for (std::size_t at = text.find('<'); at != std::string_view::npos;
         at = text.find('<', at + 1)) {
        if (at + 1 >= text.size()) break;
        const char c = text[at + 1];
        if (c == '?' || c == '!' || c == '/') {
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
        std::string l = lower(name);
        if (seen.insert(l).second) names.push_back(std::move(l));
    }
    return names;
}

bool holdsAny(const std::vector<std::string>& names, std::initializer_list<std::string_view> of) {
    for (const std::string& n : names)
        for (std::string_view o : of)
            if (n == o) return true;
    return false;
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

// What a reader's number stands for, to be kept in the logbook's units.
enum class Measure { None, Depth, Altitude, Temperature };

Measure measureOf(F field) {
    switch (field) {
        case F::profondeur:
        case F::decoDepth_Level_1:
        case F::decoDepth_Level_2:
        case F::decoDepth_Level_3:
        case F::decoDepth_Level_4:
        case F::decoDepth_Level_5: return Measure::Depth;
        case F::altitude: return Measure::Altitude;
        case F::tempEau:
        case F::tempAir: return Measure::Temperature;
        default: return Measure::None;
    }
}

// A depth as a dive computer measures it: 0.01 m, or 0.1 ft.
double keptDepth(double metres, bool usUnits) {
    return usUnits ? std::round(units::feetOfMetres(metres) * 10) / 10
                   : std::round(metres * 100) / 100;
}

// A reader's text for a number field, in metres and degrees Celsius, as the
// logbook keeps it; a whole field takes the nearest whole number.
std::string keptText(F field, const std::string& text, bool usUnits) {
    const auto v = readDecimal(text);
    if (!v) return text;
    const double x = std::clamp(*v, -1e12, 1e12);
    double kept = x;
    switch (measureOf(field)) {
        case Measure::Depth: kept = keptDepth(x, usUnits); break;
        case Measure::Altitude: kept = usUnits ? units::feetOfMetres(x) : x; break;
        case Measure::Temperature:
            // "Not given" is the same value in either unit.
            if (x == units::kNoTemperature) break;
            kept = std::round((usUnits ? units::fahrenheitOfCelsius(x) : x) * 10) / 10;
            break;
        case Measure::None: break;
    }
    if (Plongee::info(field).kind == Plongee::Kind::INT) return integerText(std::llround(kept));
    return kept == x && measureOf(field) == Measure::None ? text : decimalText(kept);
}

// Profiles are kept in metres and bar whatever the units of the logbook.
void keepProfile(ProfileSeries& p) {
    for (double& m : p.profilProfondeur) m = keptDepth(m, false);
    for (double& bar : p.PRESS_Data) bar = std::round(bar * 10) / 10;
}

// What makes an imported dive technical: a helium mix, a closed circuit,
// decompression stops made or flagged in the profile.
bool technical(const Plongee& d) {
    if (gas::breathesHelium(d.gaz())) return true;
    if (gas::breathesHelium(d.gaz_2()) && (d.volumeBloc_2() > 0 || d.pressionDepart_2() > 0))
        return true;
    if (DiveCodes::isClosedCircuit(d.rebreather())) return true;
    for (F f : Plongee::kStopSwitch)
        if (std::get<std::int32_t>(d.value(f)) == 1) return true;
    for (F f : Plongee::kStopTime)
        if (std::get<std::int32_t>(d.value(f)) > 0) return true;
    if (const auto& stops = d.ASC_Flag())
        return std::find(stops->begin(), stops->end(), 1) != stops->end();
    return false;
}

void apply(DiveForm& form, const DiveDraft::Value& v, bool usUnits) {
    // The draft's fields are checked for their kind when the reader is compiled.
    switch (v.value.index()) {
        case 0:
            form.setText(v.field, keptText(v.field, std::get<std::string>(v.value), usUnits));
            break;
        case 1: form.setTag(v.field, std::get<std::int32_t>(v.value)); break;
        case 2: form.setSwitch(v.field, std::get<bool>(v.value)); break;
        case 3: form.setDate(v.field, std::get<Date>(v.value)); break;
    }
}

}  // namespace

DiveImport::Built DiveImport::build(std::vector<DiveDraft> dives, std::int32_t firstNumber,
                                    const SettingsStore& settings, const Localisation& texts,
                                    const std::function<bool(std::size_t)>& progress) {
    Built built;
    built.dives.reserve(dives.size());
    const bool usUnits = settings.boolForKey("us units");
    // One blank form for every dive: a dive without samples has the blank
    // dive's sampling interval, not the one of the dive before.
    DiveForm blankForm;
    blankForm.clear(ClearContext::from(settings, texts, dateNow()));
    blankForm.setTag(F::samplingRate, NewDiveDefaults{}.samplingRate);
    DiveForm form;
    std::map<F, std::size_t> corrected;
    std::int32_t number = firstNumber;
    for (std::size_t i = 0; i < dives.size(); ++i) {
        if (progress && i % 64 == 0 && !progress(i)) {
            built.dives.clear();
            built.cancelled = true;
            return built;
        }
        DiveDraft& d = dives[i];
        form = blankForm;
        form.setDiveNumber(number);
        if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        for (const DiveDraft::Value& v : d.values()) apply(form, v, usUnits);
        if (d.profile) {
            keepProfile(*d.profile);
            form.setProfile(std::move(*d.profile));
            d.profile.reset();
        }
        form.refresh(RefreshContext{settings, texts, 0, std::nullopt});
        StoreResult stored = form.store(settings);
        if (!d.sets(F::configuration)) stored.dive.setConfiguration(technical(stored.dive) ? 1 : 0);
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
        line += " " + std::string(fieldWords(field)) + " (" + diveCount(count) + "),";
    line.pop_back();
    return line;
}

const DiveImporter* DiveImport::importerFor(std::span<const std::uint8_t> bytes,
                                            std::string_view fileName) {
    const std::vector<std::string> names = elementNames(bytes);
    if (!names.empty() && names.front() == "uddf") return ExchangeFormats::importer("UDDF");
    // Subsurface's roots; its sites would otherwise pass for the companion's.
    if (!names.empty() && (names.front() == "divelog" || names.front() == "dives"))
        return ExchangeFormats::importer("Subsurface");
    // The companion file has no root of its own, and may take UDCF's: its
    // own elements tell it, as samples and units tell UDCF.
    const bool udcf = holdsAny(names, {"samples", "delta", "units", "temperature", "mixname"});
    if (!udcf && holdsAny(names, {"watertemperature", "airrtemperature", "divetype", "weather",
                                  "visibility", "site"}))
        return ExchangeFormats::importer("Companion");
    if (udcf || (!names.empty() && names.front() == "profile"))
        return ExchangeFormats::importer("UDCF");
    const std::string name = lower(fileName);
    for (const char* ext : {".uddf", ".udcf"})
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ext) == 0)
            return ExchangeFormats::importer(ext[3] == 'd' ? "UDDF" : "UDCF");
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".ssrf") == 0)
        return ExchangeFormats::importer("Subsurface");
    for (const char* format : {"Companion", "UDDF", "UDCF", "Subsurface"})
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
            out.refusal = "not a logbook, UDDF, UDCF, Subsurface or companion file";
            return out;
        }
    }
    // The pick lists tell a place from a site where a file joins them.
    const SettingList places = settings.listForKey("lieux"), sites = settings.listForKey("sites");
    ImportResult read = importer->read(source.bytes, ReadContext{places, sites});
    out.report = std::move(read.notes);
    if (!read.readable) {
        out.refusal = out.report.empty() ? "the file cannot be read" : out.report.front();
        return out;
    }
    out.format = std::string(importer->name());
    const std::size_t total = read.dives.size();
    Built built = build(std::move(read.dives), firstNumber, settings, texts,
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
