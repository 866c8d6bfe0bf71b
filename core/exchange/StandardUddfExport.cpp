#include "exchange/StandardUddfExport.h"

#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "dive/DiveCodes.h"
#include "dive/Units.h"
#include "exchange/DiveElementWriter.h"
#include "exchange/GpsPosition.h"
#include "exchange/UddfCodes.h"
#include "exchange/XmlWriter.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using F = Plongee::Field;
constexpr std::string_view kNamespace = "http://www.streit.cc/uddf/3.2/";
constexpr std::string_view kHomePage = "https://divelog.example.org";

std::string two(int v) { return formatText("%02d", {std::int64_t{v}}); }

// The schema's date-time, local and without a zone: the diver's wall clock.
std::string dateTime(const DateParts& day, const DateParts& clock) {
    return formatText("%04d", {std::int64_t{day.year}}) + "-" + two(day.month) + "-" +
           two(day.day) + "T" + two(clock.hour) + ":" + two(clock.minute) + ":" + two(clock.second);
}

std::string kelvin(std::int32_t typed, bool usUnits) {
    return formatText("%.2f", {units::kelvinOfCelsius(units::celsiusOfTyped(typed, usUnits))});
}

std::string metres(double typed, bool usUnits) {
    return decimalText(narrowToFloat(units::metresOfTypedDepth(typed, usUnits)));
}

std::string pascals(double bar) { return formatText("%.0f", {bar * units::kPascalsPerBar}); }

std::int32_t intOf(const Plongee& d, F f) { return std::get<std::int32_t>(d.value(f)); }

struct Gas {
    std::int64_t o2, he;
    friend auto operator<=>(const Gas&, const Gas&) = default;
};
std::string mixId(Gas g) { return "mix" + integerText(g.o2) + "_" + integerText(g.he); }

// One cylinder of a dive with the mix it holds.
struct Cylinder {
    CylinderRole role;
    std::int32_t code;  // the gas code; -1: named by the fractions
    Gas gas;
    std::int32_t litres, start, end, material;
};

// A stop's gas; an oxygen not given (below 5 %) is air.
Gas stopGas(const Plongee& d, int stop) {
    const std::int64_t o2 = intOf(d, Plongee::kStopO2[static_cast<std::size_t>(stop - 1)]);
    const std::int64_t he = intOf(d, Plongee::kStopHe[static_cast<std::size_t>(stop - 1)]);
    return o2 < 5 ? Gas{21, 0} : Gas{o2, std::max<std::int64_t>(he, 0)};
}

bool stopGasGiven(const Plongee& d, int stop) {
    return intOf(d, Plongee::kStopO2[static_cast<std::size_t>(stop - 1)]) >= 5;
}

// The cylinders the dive used: cylinder 1 always, the others when they hold
// a volume or a pressure; and a tank for each stop gas given, so the gases
// of the stops come back to their stops.
std::vector<Cylinder> cylindersOf(const Plongee& d) {
    std::vector<Cylinder> c;
    c.push_back({CylinderRole::Main,
                 d.gaz(),
                 {d.o2Mix(), d.heMix()},
                 d.volumeBloc(),
                 d.pressionDepart(),
                 d.pressionFin(),
                 d.alliageBloc()});
    auto add = [&](Cylinder cylinder, bool given = false) {
        if (given || cylinder.litres > 0 || cylinder.start > 0 || cylinder.end > 0)
            c.push_back(cylinder);
    };
    add({CylinderRole::Second,
         d.gaz_2(),
         {d.o2Mix_2(), d.heMix_2()},
         d.volumeBloc_2(),
         d.pressionDepart_2(),
         d.pressionFin_2(),
         d.alliageBloc_2()});
    for (int k = 0; k < 3; ++k)
        add({static_cast<CylinderRole>(static_cast<int>(CylinderRole::Stage1) + k), -1,
             stopGas(d, k + 1), intOf(d, Plongee::kStageVolume[static_cast<std::size_t>(k)]),
             intOf(d, Plongee::kStageStart[static_cast<std::size_t>(k)]),
             intOf(d, Plongee::kStageEnd[static_cast<std::size_t>(k)]), 0},
            stopGasGiven(d, k + 1));
    for (int k = 0; k < 2; ++k)
        add({static_cast<CylinderRole>(static_cast<int>(CylinderRole::Bailout1) + k),
             -1,
             {intOf(d, Plongee::kBailoutO2[static_cast<std::size_t>(k)]),
              intOf(d, Plongee::kBailoutHe[static_cast<std::size_t>(k)])},
             intOf(d, Plongee::kBailoutVolume[static_cast<std::size_t>(k)]),
             intOf(d, Plongee::kBailoutStart[static_cast<std::size_t>(k)]),
             intOf(d, Plongee::kBailoutEnd[static_cast<std::size_t>(k)]),
             0});
    for (int stop : {4, 5})
        add({stop == 4 ? CylinderRole::Stop4 : CylinderRole::Stop5, -1, stopGas(d, stop), 0, 0, 0,
             0},
            stopGasGiven(d, stop));
    return c;
}

// The mix breathed from the start: the diluent of a closed circuit.
Gas firstGas(const Plongee& d) {
    return DiveCodes::isClosedCircuit(d.rebreather()) ? Gas{d.o2Mix_2(), d.heMix_2()}
                                                      : Gas{d.o2Mix(), d.heMix()};
}

// The mix a gas-switch code of the profile names: 1 the bottom gas, 2 to 6
// the gases of stops 1 to 5.
std::optional<Gas> switchedGas(const Plongee& d, std::int32_t code) {
    if (code == 1) return firstGas(d);
    if (code >= 2 && code <= 6) return stopGas(d, code - 1);
    return std::nullopt;
}

std::vector<std::string> buddiesOf(const Plongee& d) {
    std::vector<std::string> names;
    const std::string text = d.partenaires().value_or("");
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t end = text.find(';', from);
        if (end == std::string::npos) end = text.size();
        std::string_view name = std::string_view(text).substr(from, end - from);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (!name.empty()) names.emplace_back(name);
        from = end + 1;
    }
    return names;
}

using SiteKey = std::tuple<std::string, std::string, std::string, std::string>;
SiteKey siteOf(const Plongee& d) {
    std::string position;
    // The standard's latitude and longitude are WGS84 (datum 1, or not given).
    if (d.gpsSystem() != 2)
        if (auto p = GpsPosition::parse(d.gps().value_or(""))) position = p->text();
    return {d.lieu().value_or(""), d.site().value_or(""), d.pays().value_or(""), position};
}
bool hasSite(const SiteKey& k) {
    return !std::get<0>(k).empty() || !std::get<1>(k).empty() || !std::get<3>(k).empty();
}

std::string tankId(CylinderRole role, std::int32_t material) {
    std::string id = "tank-" + std::string(cylinderRoleName(role));
    for (char& c : id)
        if (c == ' ') c = '-';
    return id + "-" + integerText(material);
}

class Writer {
public:
    Writer(XmlWriter& xml, const ExportContext& context) : xml_(xml), context_(context) {}

    void definitions(const Carnet::DiveList& dives);
    void dive(const Plongee& d, std::size_t index);

private:
    void samples(const Plongee& d);
    void gas(Gas g, std::string name) { mixNames_.try_emplace(g, std::move(name)); }

    XmlWriter& xml_;
    const ExportContext& context_;
    std::map<Gas, std::string> mixNames_;
    std::map<SiteKey, std::string> siteIds_;
    std::vector<SiteKey> sites_;  // in order of first use
    std::map<std::string, std::string> buddyIds_;
    std::vector<std::string> buddies_;
    std::map<std::string, std::vector<std::size_t>> boats_;  // name -> dives
    std::set<std::pair<CylinderRole, std::int32_t>> tanks_;
    std::set<std::int32_t> rebreathers_;
};

void Writer::definitions(const Carnet::DiveList& dives) {
    const Localisation& texts = context_.texts;
    for (std::size_t i = 0; i < dives.size(); ++i) {
        const Plongee& d = *dives[i];
        for (const Cylinder& c : cylindersOf(d)) {
            gas(c.gas, DiveElementWriter::mixName(c.code, c.gas.o2, c.gas.he, texts));
            tanks_.emplace(c.role, c.material);
        }
        if (const auto& flags = d.GAZ_Flag())
            for (std::int32_t code : *flags)
                if (auto g = switchedGas(d, code))
                    gas(*g, DiveElementWriter::mixName(-1, g->o2, g->he, texts));
        if (d.rebreather() != 0 && !UddfCodes::apparatusName(d.rebreather()).empty())
            rebreathers_.insert(d.rebreather());
        if (const SiteKey k = siteOf(d); hasSite(k) && !siteIds_.count(k)) {
            sites_.push_back(k);
            siteIds_.emplace(k, "site" + integerText(static_cast<std::int64_t>(sites_.size())));
        }
        for (const std::string& b : buddiesOf(d))
            if (buddyIds_
                    .emplace(b,
                             "buddy" + integerText(static_cast<std::int64_t>(buddies_.size() + 1)))
                    .second)
                buddies_.push_back(b);
        if (const std::string boat = d.bateau().value_or(""); !boat.empty())
            boats_[boat].push_back(i);
    }

    // The diver: the tanks and rebreathers the dives name, and the buddies.
    xml_.open("diver");
    xml_.open("owner", {{"id", "owner"}});
    xml_.open("personal");
    xml_.element("firstname", "");
    xml_.element("lastname", "");
    xml_.close();
    xml_.open("equipment");
    for (std::int32_t r : rebreathers_) {
        xml_.open("rebreather", {{"id", "rebreather-" + integerText(r)}});
        xml_.element("name", UddfCodes::apparatusName(r));
        xml_.close();
    }
    for (const auto& [role, material] : tanks_) {
        xml_.open("tank", {{"id", tankId(role, material)}});
        xml_.element("name", cylinderRoleName(role));
        if (const auto word = UddfCodes::materialWord(material); !word.empty())
            xml_.element("tankmaterial", word);
        xml_.close();
    }
    xml_.close();
    xml_.close();
    for (const std::string& b : buddies_) {
        xml_.open("buddy", {{"id", buddyIds_[b]}});
        xml_.open("personal");
        xml_.element("firstname", b);
        xml_.element("lastname", "");
        xml_.close();
        xml_.close();
    }
    xml_.close();

    if (!sites_.empty()) {
        xml_.open("divesite");
        for (const SiteKey& k : sites_) {
            const auto& [place, site, country, position] = k;
            xml_.open("site", {{"id", siteIds_[k]}});
            xml_.element("name", site.empty() ? place : site);
            xml_.open("geography");
            // A site without a place leaves the place empty: read back, the
            // site would otherwise come home as the place.
            xml_.element("location", place);
            if (!country.empty()) {
                xml_.open("address");
                xml_.element("country", country);
                xml_.close();
            }
            if (auto p = GpsPosition::parse(position)) {
                xml_.element("latitude", formatText("%.8f", {p->latitude}));
                xml_.element("longitude", formatText("%.8f", {p->longitude}));
            }
            xml_.close();
            xml_.close();
        }
        xml_.close();
    }
    if (!boats_.empty()) {
        xml_.open("divetrip");
        std::int64_t n = 0;
        for (const auto& [boat, dives] : boats_) {
            ++n;
            xml_.open("trip", {{"id", "trip" + integerText(n)}});
            xml_.element("name", boat);
            xml_.open("trippart");
            xml_.element("name", boat);
            xml_.open("operator");
            xml_.element("name", "");
            xml_.close();
            xml_.open("vessel", {{"id", "vessel" + integerText(n)}});
            xml_.element("name", boat);
            xml_.close();
            xml_.open("relateddives");
            for (std::size_t i : dives)
                xml_.empty("link",
                           {{"ref", "dive" + integerText(static_cast<std::int64_t>(i + 1))}});
            xml_.close();
            xml_.close();
            xml_.close();
        }
        xml_.close();
    }
    if (!mixNames_.empty()) {
        xml_.open("gasdefinitions");
        for (const auto& [g, name] : mixNames_) {
            xml_.open("mix", {{"id", mixId(g)}});
            xml_.element("name", name);
            xml_.element("o2", decimalText(static_cast<double>(g.o2) / 100));
            xml_.element("n2", decimalText(static_cast<double>(100 - g.o2 - g.he) / 100));
            xml_.element("he", decimalText(static_cast<double>(g.he) / 100));
            xml_.close();
        }
        xml_.close();
    }
}

void Writer::dive(const Plongee& d, std::size_t index) {
    const bool us = context_.usUnits;
    xml_.open("dive", {{"id", "dive" + integerText(static_cast<std::int64_t>(index + 1))}});
    xml_.open("informationbeforedive");
    if (const auto site = siteIds_.find(siteOf(d)); site != siteIds_.end())
        xml_.empty("link", {{"ref", site->second}});
    for (const std::string& b : buddiesOf(d)) xml_.empty("link", {{"ref", buddyIds_[b]}});
    if (d.noPlongee() > 0) xml_.element("divenumber", integerText(d.noPlongee()));
    const DateParts day = d.date() ? localParts(*d.date()) : DateParts{};
    DateParts clock = d.heure() ? localParts(*d.heure()) : DateParts{};
    clock.second = 0;
    xml_.element("datetime", dateTime(day, clock));
    if (d.tempAir() != units::kNoTemperature)
        xml_.element("airtemperature", kelvin(d.tempAir(), us));
    // The surface interval, typed as hours:minutes; "--:--" is not given.
    if (const std::string s = d.surface().value_or(""); s.size() >= 3 && s.find(':') != 0) {
        const auto colon = s.find(':');
        const auto hours = readInteger(s.substr(0, colon)),
                   minutes = readInteger(s.substr(colon + 1));
        if (colon != std::string::npos && hours && minutes && *hours >= 0 && *minutes >= 0) {
            xml_.open("surfaceintervalbeforedive");
            xml_.element("passedtime", integerText((std::int64_t{*hours} * 60 + *minutes) * 60));
            xml_.close();
        }
    }
    if (d.altitude() != 0)
        xml_.element("altitude",
                     decimalText(narrowToFloat(units::metresOfTypedDepth(d.altitude(), us))));
    const bool rebreather =
        !UddfCodes::apparatusName(d.rebreather()).empty() && d.rebreather() != 0;
    if (d.lestage() > 0 || rebreather) {
        xml_.open("equipmentused");
        if (d.lestage() > 0) xml_.element("leadquantity", decimalText(d.lestage()));
        if (rebreather) xml_.empty("link", {{"ref", "rebreather-" + integerText(d.rebreather())}});
        xml_.close();
    }
    xml_.element("apparatus", rebreather ? "rebreather" : "open-scuba");
    xml_.close();
    for (const Cylinder& c : cylindersOf(d)) {
        xml_.open("tankdata");
        xml_.empty("link", {{"ref", mixId(c.gas)}});
        xml_.empty("link", {{"ref", tankId(c.role, c.material)}});
        if (c.litres > 0) xml_.element("tankvolume", decimalText(c.litres / 1000.0));
        xml_.element("tankpressurebegin", pascals(c.start));
        if (c.end > 0) xml_.element("tankpressureend", pascals(c.end));
        xml_.close();
    }
    samples(d);
    xml_.open("informationafterdive");
    if (d.tempEau() != units::kNoTemperature)
        xml_.element("lowesttemperature", kelvin(d.tempEau(), us));
    xml_.element("greatestdepth", metres(d.profondeur(), us));
    if (auto m = UddfCodes::visibilityMetres(d.visibilite()))
        xml_.element("visibility", decimalText(*m));
    if (const auto word = UddfCodes::currentWord(d.courant()); !word.empty())
        xml_.element("current", word);
    if (const std::string notes = d.notes().value_or(""); !notes.empty()) {
        xml_.open("notes");
        std::size_t from = 0;
        for (std::size_t eol; (eol = notes.find('\n', from)) != std::string::npos; from = eol + 1)
            xml_.element("para", std::string_view(notes).substr(from, eol - from));
        xml_.element("para", std::string_view(notes).substr(from));
        xml_.close();
    }
    if (auto rating = UddfCodes::markRating(d.inoubliable())) {
        xml_.open("rating");
        xml_.element("ratingvalue", integerText(*rating));
        xml_.close();
    }
    xml_.element("diveduration", integerText(std::int64_t{d.temps()} * 60));
    xml_.close();
    xml_.close();
}

void Writer::samples(const Plongee& d) {
    // A single sample is the placeholder of a dive without a profile.
    if (!d.profilProfondeur() || d.profilProfondeur()->size() < 2) return;
    const std::vector<double>& depths = *d.profilProfondeur();
    const std::int64_t interval = DiveCodes::samplingSeconds(d.samplingRate()).value_or(10);
    auto series = [&](const Plongee::Ints& flags) -> const std::vector<std::int32_t>* {
        return flags && flags->size() == depths.size() ? &*flags : nullptr;
    };
    const std::pair<const std::vector<std::int32_t>*, std::string_view> alarms[] = {
        {series(d.ASC_Flag()), "deco"},
        {series(d.SLOW_Flag()), "ascent"},
        {series(d.SURF_Flag()), "surface"},
        {series(d.CEIL_Flag()), "error"}};
    const std::vector<std::int32_t>* switches = series(d.GAZ_Flag());
    const auto& pressures = d.PRESS_Data();
    const bool withPressure = pressures && pressures->size() == depths.size();
    const std::optional<double> setPoint = DiveCodes::isClosedCircuit(d.rebreather())
                                               ? DiveCodes::setPointBar(d.ppO2())
                                               : std::nullopt;
    xml_.open("samples");
    for (std::size_t i = 0; i < depths.size(); ++i) {
        xml_.open("waypoint");
        for (const auto& [flags, text] : alarms)
            if (flags && (*flags)[i] == 1) xml_.element("alarm", text);
        xml_.element("depth", decimalText(depths[i]));
        xml_.element("divetime", integerText(static_cast<std::int64_t>(i) * interval));
        if (i == 0 && setPoint) xml_.element("setpo2", pascals(*setPoint), {{"setby", "user"}});
        // The first mix from the start; then every switch the profile marks.
        std::optional<Gas> mix = i == 0 ? std::optional(firstGas(d)) : std::nullopt;
        if (switches && (*switches)[i] != 0)
            if (auto g = switchedGas(d, (*switches)[i]); g && (i > 0 || *g != *mix)) mix = g;
        if (mix) xml_.empty("switchmix", {{"ref", mixId(*mix)}});
        if (withPressure && (*pressures)[i] > 0 && std::isfinite((*pressures)[i]))
            xml_.element("tankpressure", pascals((*pressures)[i]));
        if (i == 0) xml_.empty("divemode", {{"type", UddfCodes::diveMode(d.rebreather())}});
        xml_.close();
    }
    xml_.close();
}

}  // namespace

bool StandardUddfExport::write(const Carnet::DiveList& dives, const ExportContext& context,
                               ByteOutput& out, std::string& error) const {
    TextOutput text(out);
    XmlWriter xml(text);
    xml.declaration();
    xml.open("uddf", {{"xmlns", kNamespace}, {"version", "3.2.3"}});
    xml.open("generator");
    xml.element("name", "DiveLog");
    xml.element("type", "logbook");
    xml.open("manufacturer", {{"id", "divelog"}});
    xml.element("name", "DiveLog");
    xml.open("contact");
    xml.element("homepage", kHomePage);
    xml.close();
    xml.close();
    xml.element("datetime", dateTime(localParts(context.now), localParts(context.now)));
    xml.close();
    Writer writer(xml, context);
    writer.definitions(dives);
    // The schema wants at least one group holding at least one dive.
    if (!dives.empty()) {
        xml.open("profiledata");
        std::optional<DateParts> groupDay;
        std::int64_t groups = 0;
        for (std::size_t i = 0; i < dives.size(); ++i) {
            // Dives of one day make one repetition group.
            const DateParts day = dives[i]->date() ? localParts(*dives[i]->date()) : DateParts{};
            if (!groupDay || day.year != groupDay->year || day.month != groupDay->month ||
                day.day != groupDay->day) {
                if (groupDay) xml.close();
                xml.open("repetitiongroup", {{"id", "group" + integerText(++groups)}});
                groupDay = day;
            }
            writer.dive(*dives[i], i);
        }
        xml.close();
        xml.close();
    }
    xml.close();
    if (!text.flush()) error = "The file could not be written.";
    return text.ok();
}

}  // namespace divelog
