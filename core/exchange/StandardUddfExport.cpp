#include "exchange/StandardUddfExport.h"

#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "dive/DiveCodes.h"
#include "dive/Units.h"
#include "exchange/XmlWriter.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

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

struct Gas {
    std::int64_t o2, he;
    friend auto operator<=>(const Gas&, const Gas&) = default;
};
using SiteKey = std::tuple<std::string, std::string, std::string>;  // place, site, country

Gas gasOf(const Plongee& d, int cylinder) {
    return cylinder == 2 ? Gas{d.o2Mix_2(), d.heMix_2()} : Gas{d.o2Mix(), d.heMix()};
}
bool secondCylinder(const Plongee& d) {
    return d.volumeBloc_2() > 0 || d.pressionDepart_2() > 0 || d.pressionFin_2() > 0;
}
SiteKey siteOf(const Plongee& d) {
    return {d.lieu().value_or(""), d.site().value_or(""), d.pays().value_or("")};
}
bool hasSite(const SiteKey& k) { return !std::get<0>(k).empty() || !std::get<1>(k).empty(); }

std::string mixId(Gas g) { return "mix" + integerText(g.o2) + "_" + integerText(g.he); }

class Writer {
public:
    Writer(XmlWriter& xml, const ExportContext& context) : xml_(xml), context_(context) {}

    void definitions(const Carnet::DiveList& dives);
    void dive(const Plongee& d, std::size_t index);

private:
    void tank(const Plongee& d, int cylinder);
    void samples(const Plongee& d);

    XmlWriter& xml_;
    const ExportContext& context_;
    std::map<Gas, std::string> mixNames_;
    std::map<SiteKey, std::string> siteIds_;
    std::vector<SiteKey> sites_;  // in order of first use
};

void Writer::definitions(const Carnet::DiveList& dives) {
    for (const auto& d : dives) {
        for (int c : {1, 2}) {
            if (c == 2 && !secondCylinder(*d)) continue;
            const Gas g = gasOf(*d, c);
            std::string name =
                DiveCodes::gasLabel(c == 2 ? d->gaz_2() : d->gaz(), g.o2, g.he, context_.texts);
            if (name.empty()) name = DiveCodes::gasLabel(0, g.o2, g.he, context_.texts);
            mixNames_.try_emplace(g, std::move(name));
        }
        if (const SiteKey k = siteOf(*d); hasSite(k) && !siteIds_.count(k)) {
            sites_.push_back(k);
            siteIds_.emplace(k, "site" + integerText(static_cast<std::int64_t>(sites_.size())));
        }
    }
    if (!sites_.empty()) {
        xml_.open("divesite");
        for (const SiteKey& k : sites_) {
            const auto& [place, site, country] = k;
            xml_.open("site", {{"id", siteIds_[k]}});
            xml_.element("name", site.empty() ? place : site);
            xml_.open("geography");
            xml_.element("location", place.empty() ? site : place);
            if (!country.empty()) {
                xml_.open("address");
                xml_.element("country", country);
                xml_.close();
            }
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
    if (d.noPlongee() > 0) xml_.element("divenumber", integerText(d.noPlongee()));
    const DateParts day = d.date() ? localParts(*d.date()) : DateParts{};
    DateParts clock = d.heure() ? localParts(*d.heure()) : DateParts{};
    clock.second = 0;
    xml_.element("datetime", dateTime(day, clock));
    if (d.tempAir() != units::kNoTemperature)
        xml_.element("airtemperature", kelvin(d.tempAir(), us));
    if (d.altitude() != 0)
        xml_.element("altitude",
                     decimalText(std::round(units::metresOfTypedDepth(d.altitude(), us))));
    xml_.close();
    tank(d, 1);
    if (secondCylinder(d)) tank(d, 2);
    samples(d);
    xml_.open("informationafterdive");
    if (d.tempEau() != units::kNoTemperature)
        xml_.element("lowesttemperature", kelvin(d.tempEau(), us));
    xml_.element("greatestdepth", metres(d.profondeur(), us));
    if (const std::string notes = d.notes().value_or(""); !notes.empty()) {
        xml_.open("notes");
        std::size_t from = 0;
        for (std::size_t eol; (eol = notes.find('\n', from)) != std::string::npos; from = eol + 1)
            xml_.element("para", std::string_view(notes).substr(from, eol - from));
        xml_.element("para", std::string_view(notes).substr(from));
        xml_.close();
    }
    xml_.element("diveduration", integerText(std::int64_t{d.temps()} * 60));
    xml_.close();
    xml_.close();
}

void Writer::tank(const Plongee& d, int cylinder) {
    const bool second = cylinder == 2;
    xml_.open("tankdata");
    xml_.empty("link", {{"ref", mixId(gasOf(d, cylinder))}});
    if (const std::int32_t litres = second ? d.volumeBloc_2() : d.volumeBloc(); litres > 0)
        xml_.element("tankvolume", decimalText(litres / 1000.0));
    xml_.element("tankpressurebegin", pascals(second ? d.pressionDepart_2() : d.pressionDepart()));
    if (const std::int32_t end = second ? d.pressionFin_2() : d.pressionFin(); end > 0)
        xml_.element("tankpressureend", pascals(end));
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
    const auto& pressures = d.PRESS_Data();
    const bool withPressure = pressures && pressures->size() == depths.size();
    const std::string mix = mixId(gasOf(d, 1));
    xml_.open("samples");
    for (std::size_t i = 0; i < depths.size(); ++i) {
        xml_.open("waypoint");
        for (const auto& [flags, text] : alarms)
            if (flags && (*flags)[i] == 1) xml_.element("alarm", text);
        xml_.element("depth", decimalText(depths[i]));
        xml_.element("divetime", integerText(static_cast<std::int64_t>(i) * interval));
        if (i == 0) xml_.empty("switchmix", {{"ref", mix}});
        if (withPressure && (*pressures)[i] > 0 && std::isfinite((*pressures)[i]))
            xml_.element("tankpressure", pascals((*pressures)[i]));
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
