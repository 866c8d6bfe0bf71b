#pragma once

// Where the exchange test files are, and a dive as "key: value" lines that
// the case files' expectations compare with.

#include <filesystem>
#include <map>
#include <string>

#include "dive/DiveCodes.h"
#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"
#include "util/Numbers.h"

namespace divelog::testing {

// The source tree, found upwards from the working folder (ctest runs in the
// build tree, which lies inside it).
inline std::filesystem::path sourceTree() {
    for (auto p = std::filesystem::current_path(); !p.empty(); p = p.parent_path()) {
        if (std::filesystem::exists(p / "tests/data/exchange")) return p;
        if (p == p.parent_path()) break;
    }
    return {};
}

inline std::string joined(const std::vector<double>& values) {
    std::string s;
    for (double v : values) s += (s.empty() ? "" : " ") + decimalText(v);
    return s;
}

inline std::map<std::string, std::string> describe(const Plongee& d) {
    std::map<std::string, std::string> m;
    auto i = [](std::int64_t v) { return integerText(v); };
    if (d.date() && d.heure()) {
        const DateParts day = localParts(*d.date()), clock = localParts(*d.heure());
        m["start"] =
            formatText("%04d-%02d-%02dT%02d:%02d",
                       {std::int64_t{day.year}, std::int64_t{day.month}, std::int64_t{day.day},
                        std::int64_t{clock.hour}, std::int64_t{clock.minute}});
    }
    m["number"] = i(d.noPlongee());
    m["depth"] = decimalText(d.profondeur());
    m["minutes"] = i(d.temps());
    m["water"] = i(d.tempEau());
    m["air"] = i(d.tempAir());
    m["altitude"] = i(d.altitude());
    m["gas"] = i(d.gaz()) + " " + i(d.o2Mix()) + "/" + i(d.heMix());
    m["gas2"] = i(d.gaz_2()) + " " + i(d.o2Mix_2()) + "/" + i(d.heMix_2());
    m["tank"] =
        i(d.volumeBloc()) + " l " + i(d.pressionDepart()) + "-" + i(d.pressionFin()) + " bar";
    m["tank2"] =
        i(d.volumeBloc_2()) + " l " + i(d.pressionDepart_2()) + "-" + i(d.pressionFin_2()) + " bar";
    m["interval"] = i(DiveCodes::samplingSeconds(d.samplingRate()).value_or(-1));
    m["profile"] = joined(d.profilProfondeur().value_or(std::vector<double>{}));
    m["pressures"] = joined(d.PRESS_Data().value_or(std::vector<double>{}));
    std::string flags;
    const auto& depths = d.profilProfondeur().value_or(std::vector<double>{});
    for (const auto& [series, letter] :
         {std::pair{&d.ASC_Flag(), 'D'}, std::pair{&d.SLOW_Flag(), 'A'},
          std::pair{&d.SURF_Flag(), 'S'}, std::pair{&d.CEIL_Flag(), 'E'}})
        if (*series && (*series)->size() == depths.size())
            for (std::size_t k = 0; k < depths.size(); ++k)
                if ((**series)[k] == 1) flags += letter + i(static_cast<std::int64_t>(k)) + " ";
    m["alarms"] = flags.empty() ? "none" : flags.substr(0, flags.size() - 1);
    m["place"] = d.lieu().value_or("");
    m["site"] = d.site().value_or("");
    m["country"] = d.pays().value_or("");
    std::string notes = d.notes().value_or("");
    for (std::size_t k = 0; (k = notes.find('\n', k)) != std::string::npos;)
        notes.replace(k, 1, "\\n");
    m["notes"] = notes;
    m["surface"] = d.surface().value_or("");
    m["buddies"] = d.partenaires().value_or("");
    m["boat"] = d.bateau().value_or("");
    m["gps"] = d.gps().value_or("");
    m["visibility"] = i(d.visibilite());
    m["current"] = i(d.courant());
    m["mark"] = i(d.inoubliable());
    m["apparatus"] = i(d.rebreather()) + " set point " + i(d.ppO2());
    m["weight"] = decimalText(d.lestage());
    m["configuration"] = i(d.configuration());
    std::string switches;
    if (d.GAZ_Flag() && d.GAZ_Flag()->size() == depths.size())
        for (std::size_t k = 0; k < depths.size(); ++k)
            if ((*d.GAZ_Flag())[k] != 0)
                switches += (switches.empty() ? "" : " ") + i((*d.GAZ_Flag())[k]) + "@" +
                            i(static_cast<std::int64_t>(k));
    m["switches"] = switches.empty() ? "none" : switches;
    return m;
}

// A file's dives as the logbook would store them, numbered from 1, and the
// import's report.
struct ReadBack {
    std::vector<std::string> report;
    Carnet::DiveList dives;
    std::string format;
};
// An empty format: the reader the content and the name point to. `lists`:
// the logbook's pick lists; `usUnits`: a logbook kept in feet and Fahrenheit.
inline ReadBack readBack(std::string_view format, std::string_view bytes,
                         const std::map<std::string, SettingList>& lists = {},
                         std::string_view fileName = {}, bool usUnits = false,
                         std::int32_t firstNumber = 1) {
    InMemorySettingsStore settings;
    for (const auto& [key, list] : lists) settings.setList(key, list);
    settings.setBool("us units", usUnits);
    static Localisation texts;
    DiveImport::Outcome out =
        DiveImport::run({{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                         fileName,
                         format.empty() ? nullptr : ExchangeFormats::importer(format)},
                        firstNumber, settings, texts);
    return {std::move(out.report), std::move(out.dives), std::move(out.format)};
}

}  // namespace divelog::testing
