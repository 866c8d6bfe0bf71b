#include "exchange/XmlImports.h"

#include <algorithm>
#include <cmath>

#include "exchange/ImportRules.h"
#include "exchange/XmlReading.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

// The dive elements of every group, in document order.
std::vector<pugi::xml_node> divesOf(pugi::xml_node parent, std::initializer_list<std::string_view> path,
                                    bool anyCase) {
    std::vector<pugi::xml_node> level{parent};
    for (std::string_view name : path) {
        std::vector<pugi::xml_node> next;
        for (pugi::xml_node n : level)
            for (pugi::xml_node c : children(n, name, anyCase)) next.push_back(c);
        level = std::move(next);
    }
    return level;
}

// What every reader does when the file could not be read to its end.
void reportDamage(const ParsedXml& xml, ImportResult& result) {
    if (!xml.any) {
        result.readable = false;
        result.notes.emplace_back("the file is not XML");
    } else if (!xml.complete) {
        result.notes.emplace_back("the file is damaged near byte " + std::to_string(xml.errorOffset) +
                                  "; what comes after was not read");
    }
}

std::string numberText(std::optional<double> v) { return v ? decimalText(*v) : std::string(); }

// The blank profile's single surface sample, then one sample per depth.
ProfileSeries profileOf(const std::vector<double>& depths, bool keepSurfaceSample) {
    ProfileSeries p;
    if (keepSurfaceSample) p.profilProfondeur.push_back(0.0);
    p.profilProfondeur.insert(p.profilProfondeur.end(), depths.begin(), depths.end());
    for (SeriesId id : {SeriesId::Ascent, SeriesId::Slow, SeriesId::Surface, SeriesId::Ceiling,
                        SeriesId::Gas})
        p.flags(id).assign(p.profilProfondeur.size(), 0);
    p.fillPlaceholders();
    return p;
}

}  // namespace

ImportResult UddfImport::read(std::span<const std::uint8_t> bytes) const {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportDamage(xml, result);
    const pugi::xml_node root = xml.document.document_element();
    for (pugi::xml_node dive : divesOf(root, {"profiledata", "repetitiongroup", "dive"}, false)) {
        ImportedDive d;
        // Conditions were not recorded; the type of dive is not known.
        d.setTag("meteo", 7);
        d.setTag("courant", 6);
        d.setTag("visibilite", 7);
        d.setTag("typePlongee", 8);
        ImportRules::dateAndTime(d, lastChild(dive, "date", false), lastChild(dive, "time", false),
                                 false, result.notes);
        for (auto [element, control] : {std::pair{"airtemperature", "tempAir"},
                                        std::pair{"lowesttemperature", "tempEau"}})
            if (pugi::xml_node t = lastChild(dive, element, false))
                if (auto k = leadingNumber(textOf(t)))
                    d.set(control, integerText(ImportRules::celsiusOfKelvin(*k)));
        if (pugi::xml_node depth = lastChild(dive, "greatestdepth", false))
            d.set("profondeur", textOf(depth));
        if (pugi::xml_node notes = lastChild(lastChild(dive, "notes", false), "text", false))
            d.set("notes", notes.child_value());
        pugi::xml_node samples = lastChild(dive, "samples", false);
        std::vector<double> depths;
        std::size_t rejected = 0;
        for (pugi::xml_node wp : children(samples, "waypoint", false)) {
            pugi::xml_node depthChild = lastChild(wp, "depth", false);
            const auto v = depthChild ? leadingNumber(textOf(depthChild))
                                      : leadingNumber(wp.text().get());
            if (v && ImportRules::plausibleDepth(*v))
                depths.push_back(*v);
            else
                ++rejected;
        }
        if (rejected) result.notes.push_back(std::to_string(rejected) + " samples without a usable depth were left out");
        if (!depths.empty()) d.profile = profileOf(depths, true);
        if (pugi::xml_node last = lastChild(samples, "waypoint", false))
            if (pugi::xml_node t = lastChild(last, "divetime", false))
                if (auto s = leadingInteger(textOf(t))) d.set("temps", integerText(std::clamp<std::int64_t>(*s / 60, 0, 1000000)));
        result.dives.push_back(std::move(d));
    }
    return result;
}

ImportResult UdcfImport::read(std::span<const std::uint8_t> bytes) const {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportDamage(xml, result);
    const pugi::xml_node root = xml.document.document_element();
    for (pugi::xml_node dive : divesOf(root, {"REPGROUP", "DIVE"}, true)) {
        ImportedDive d;
        d.setTag("meteo", 7);
        d.setTag("courant", 6);
        d.setTag("visibilite", 7);
        d.setTag("typePlongee", 8);
        // The export writes the place and the site joined by " - ".
        if (pugi::xml_node place = lastChild(dive, "PLACE", true)) {
            const std::string text = place.child_value();
            const std::size_t cut = text.find(" - ");
            d.set("lieu", cut == std::string::npos ? text : text.substr(0, cut));
            if (cut != std::string::npos) d.set("site", text.substr(cut + 3));
        }
        ImportRules::dateAndTime(d, lastChild(dive, "DATE", true), lastChild(dive, "TIME", true), true,
                                 result.notes);
        if (pugi::xml_node t = lastChild(dive, "TEMPERATURE", true)) d.set("tempEau", textOf(t));
        if (pugi::xml_node a = lastChild(dive, "ALTITUDE", true)) d.set("altitude", textOf(a));
        if (pugi::xml_node s = lastChild(dive, "SURFACEINTERVAL", true); s && textOf(s) == "infinity")
            d.set("surface", "--:--");

        // Samples: each D a depth; each ALARM sets a flag of the sample it follows.
        pugi::xml_node samples = firstChild(dive, "SAMPLES", true);
        std::int64_t interval = 0;
        if (pugi::xml_node delta = lastChild(samples, "DELTA", true))
            interval = leadingInteger(textOf(delta)).value_or(0);
        if (auto code = ImportRules::samplingCode(interval)) d.setTag("samplingRate", *code);
        std::vector<double> depths;
        std::vector<std::array<std::int32_t, 4>> alarms;
        std::size_t rejected = 0;
        for (pugi::xml_node c = samples.first_child(); c; c = c.next_sibling()) {
            const std::string_view name = c.name();
            if (name.size() == 1 && (name[0] == 'D' || name[0] == 'd')) {
                const auto v = leadingNumber(textOf(c));
                if (!v || !ImportRules::plausibleDepth(*v)) {
                    ++rejected;
                    continue;
                }
                depths.push_back(*v);
                alarms.push_back({0, 0, 0, 0});
            } else if (!alarms.empty() && name.size() == 5 &&
                       std::equal(name.begin(), name.end(), "ALARM",
                                  [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; })) {
                const std::string what = textOf(c);
                const std::size_t slot = what == "deco" ? 0 : what == "ascent" ? 1 : what == "surface" ? 2 : what == "error" ? 3 : 4;
                if (slot < 4) alarms.back()[slot] = 1;
            }
        }
        if (rejected) result.notes.push_back(std::to_string(rejected) + " samples without a usable depth were left out");
        // The export frames the samples with a surface point at each end.
        if (depths.size() >= 2 && depths.front() == 0 && depths.back() == 0 &&
            alarms.front() == std::array<std::int32_t, 4>{} && alarms.back() == std::array<std::int32_t, 4>{}) {
            depths.erase(depths.begin());
            depths.pop_back();
            alarms.erase(alarms.begin());
            alarms.pop_back();
        }
        if (!depths.empty()) {
            ProfileSeries p = profileOf(depths, false);
            const SeriesId order[] = {SeriesId::Ascent, SeriesId::Slow, SeriesId::Surface, SeriesId::Ceiling};
            for (std::size_t i = 0; i < alarms.size(); ++i)
                for (std::size_t k = 0; k < 4; ++k) p.flags(order[k])[i] = alarms[i][k];
            d.profile = std::move(p);
        }
        // The deepest of the written maximum and the samples.
        std::optional<double> deepest;
        if (pugi::xml_node m = lastChild(dive, "MAXDEPTH", true)) deepest = leadingNumber(textOf(m));
        for (double v : depths) deepest = std::max(deepest.value_or(v), v);
        if (deepest) d.set("profondeur", numberText(*deepest));
        if (pugi::xml_node t = lastChild(dive, "DIVETIME", true); t && leadingInteger(textOf(t)))
            d.set("temps", integerText(std::clamp<std::int64_t>(*leadingInteger(textOf(t)), 0, 1000000)));
        else if (!depths.empty() && interval > 0)
            d.set("temps", integerText(static_cast<std::int64_t>(depths.size()) * std::min<std::int64_t>(interval, 86400) / 60));

        pugi::xml_node mix = firstChild(firstChild(dive, "GASES", true), "MIX", true);
        if (mix) {
            const auto o2 = leadingNumber(textOf(lastChild(mix, "O2", true)));
            const auto he = leadingNumber(textOf(lastChild(mix, "HE", true)));
            if (o2 || he) ImportRules::gas(d, o2.value_or(0), he.value_or(0));
            if (pugi::xml_node tank = firstChild(mix, "TANK", true)) {
                for (auto [element, control] : {std::pair{"TANKVOLUME", "volumeBloc"},
                                                std::pair{"PSTART", "pressionDepart"},
                                                std::pair{"PEND", "pressionFin"}})
                    if (pugi::xml_node e = lastChild(tank, element, true)) d.set(control, textOf(e));
            }
        }
        result.dives.push_back(std::move(d));
    }
    return result;
}

ImportResult CompanionImport::read(std::span<const std::uint8_t> bytes) const {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportDamage(xml, result);
    const pugi::xml_node root = xml.document.document_element();
    for (pugi::xml_node dive : divesOf(root, {"repgroup", "dive"}, true)) {
        ImportedDive d;
        auto text = [&](const char* element) -> std::optional<std::string> {
            pugi::xml_node e = lastChild(dive, element, true);
            if (!e) return std::nullopt;
            return textOf(e);
        };
        auto whole = [&](const char* element) -> std::optional<std::string> {
            auto t = text(element);
            if (!t) return std::nullopt;
            return integerText(leadingInteger(*t).value_or(0));
        };
        if (auto v = text("place")) d.set("lieu", lastChild(dive, "place", true).child_value());
        if (auto v = text("site")) d.set("site", lastChild(dive, "site", true).child_value());
        ImportRules::dateAndTime(d, lastChild(dive, "date", true), lastChild(dive, "time", true), true,
                                 result.notes);
        for (auto [element, control] : {std::pair{"weather", "meteo"}, std::pair{"current", "courant"},
                                        std::pair{"visibility", "visibilite"},
                                        std::pair{"divetype", "typePlongee"}})
            if (auto v = text(element))
                if (auto code = ImportRules::choiceAt(control, leadingInteger(*v).value_or(-1)))
                    d.setTag(control, *code);
        for (auto [element, control] : {std::pair{"maxdepth", "profondeur"}, std::pair{"divetime", "temps"},
                                        std::pair{"watertemperature", "tempEau"},
                                        std::pair{"airrtemperature", "tempAir"},
                                        std::pair{"altitude", "altitude"}})
            if (auto v = whole(element)) d.set(control, *v);
        if (auto v = text("surfaceinterval"); v && *v == "infinity") d.set("surface", "--:--");
        pugi::xml_node mix = firstChild(firstChild(dive, "gases", true), "mix", true);
        if (mix) {
            const auto o2 = leadingNumber(textOf(lastChild(mix, "o2", true)));
            const auto he = leadingNumber(textOf(lastChild(mix, "he", true)));
            if (o2 || he) ImportRules::gas(d, o2.value_or(0), he.value_or(0));
            if (pugi::xml_node tank = firstChild(mix, "tank", true))
                for (auto [element, control] : {std::pair{"tankvolume", "volumeBloc"},
                                                std::pair{"pstart", "pressionDepart"},
                                                std::pair{"pend", "pressionFin"}})
                    if (pugi::xml_node e = lastChild(tank, element, true)) d.set(control, textOf(e));
        }
        result.dives.push_back(std::move(d));
    }
    return result;
}

}  // namespace divelog
