#include "exchange/UdcfImport.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "dive/DiveCodes.h"
#include "dive/Units.h"
#include "exchange/ImportRules.h"
#include "exchange/WaypointProfile.h"
#include "exchange/XmlReading.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using F = Plongee::Field;

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool hasElements(pugi::xml_node n) {
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) return true;
    return false;
}

std::string two(std::int64_t v) { return formatText("%02d", {v}); }

// Units the file's numbers are in; the logbook's are metric.
struct FileUnits {
    bool imperial = false;
    double metres(double v) const {
        return imperial ? std::round(units::metresOfFeet(v) * 100) / 100 : v;
    }
    std::string celsius(std::string_view text) const {
        if (!imperial) return std::string(text);
        const auto f = leadingNumber(text);
        return f ? integerText(std::llround(std::clamp(units::celsiusOfFahrenheit(*f), -1e6, 1e6)))
                 : std::string(text);
    }
    std::string bar(std::string_view text) const {
        if (!imperial) return std::string(text);
        const auto psi = leadingNumber(text);
        return psi ? integerText(std::llround(std::clamp(units::barOfPsi(*psi), -1e9, 1e9)))
                   : std::string(text);
    }
};

// The date and time, split into elements or written as one text
// ("2012-07-30T10:15", or a DATE text with a TIME text "10:15").
void dateAndTime(DiveDraft& d, pugi::xml_node dive, std::vector<std::string>& notes) {
    pugi::xml_node date = lastChild(dive, "DATE", true), time = lastChild(dive, "TIME", true);
    if (pugi::xml_node both = lastChild(dive, "DATETIME", true)) {
        ImportRules::dateTimeText(d, trimmedText(both), notes);
        return;
    }
    const bool splitDate = !date || hasElements(date), splitTime = !time || hasElements(time);
    if (splitDate && splitTime) {
        ImportRules::dateAndTime(d, date, time, true, notes);
        return;
    }
    auto part = [](pugi::xml_node parent, std::string_view name) {
        return leadingInteger(trimmedText(lastChild(parent, name, true))).value_or(0);
    };
    std::string text = splitDate ? formatText("%04d", {part(date, "YEAR")}) + "-" +
                                       two(part(date, "MONTH")) + "-" + two(part(date, "DAY"))
                                 : std::string(trimmedText(date));
    if (time && text.find_first_of("Tt ") == std::string::npos)
        text += "T" + (splitTime ? two(part(time, "HOUR")) + ":" + two(part(time, "MINUTE"))
                                 : std::string(trimmedText(time)));
    ImportRules::dateTimeText(d, text, notes);
}

// Minutes of a duration: a number of minutes, or "h:mm:ss" or "mm:ss".
std::optional<double> minutesOf(std::string_view text) {
    if (text.find(':') == std::string_view::npos) return leadingNumber(text);
    double parts[3] = {0, 0, 0};
    std::size_t count = 0;
    while (count < 3) {
        const auto v = leadingNumber(text);
        if (!v) return std::nullopt;
        parts[count++] = *v;
        const std::size_t colon = text.find(':');
        if (colon == std::string_view::npos) break;
        text.remove_prefix(colon + 1);
    }
    if (count == 3) return parts[0] * 60 + parts[1] + parts[2] / 60;
    return count == 2 ? parts[0] + parts[1] / 60 : parts[0];
}

ProfileSeries framedProfile(const std::vector<Waypoint>& points) {
    ProfileSeries p;
    for (const Waypoint& w : points) p.profilProfondeur.push_back(w.metres);
    for (SeriesId id :
         {SeriesId::Ascent, SeriesId::Slow, SeriesId::Surface, SeriesId::Ceiling, SeriesId::Gas})
        p.flags(id).assign(points.size(), 0);
    const SeriesId order[] = {SeriesId::Ascent, SeriesId::Slow, SeriesId::Surface,
                              SeriesId::Ceiling};
    for (std::size_t i = 0; i < points.size(); ++i)
        for (std::size_t k = 0; k < 4; ++k) p.flags(order[k])[i] = points[i].alarms[k];
    p.fillPlaceholders();
    return p;
}

}  // namespace

ImportResult UdcfImport::read(std::span<const std::uint8_t> bytes) const {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportDamage(xml, result);
    const pugi::xml_node root = xml.document.document_element();
    FileUnits units;
    units.imperial = sameText(trimmedText(lastChild(root, "UNITS", true)), "imperial");
    std::size_t extraMixes = 0, extraTanks = 0, cubicFeet = 0;
    for (pugi::xml_node dive : elementsAt(root, {"REPGROUP", "DIVE"}, true)) {
        DiveDraft d;
        d.setTag(F::meteo, NewDiveCodes::kWeather);
        d.setTag(F::courant, NewDiveCodes::kCurrent);
        d.setTag(F::visibilite, NewDiveCodes::kVisibility);
        d.setTag(F::typePlongee, NewDiveCodes::kDiveType);
        // The export writes the place and the site joined by " - ".
        if (pugi::xml_node place = lastChild(dive, "PLACE", true)) {
            const std::string text = place.child_value();
            const std::size_t cut = text.find(" - ");
            d.setText(F::lieu, cut == std::string::npos ? text : text.substr(0, cut));
            if (cut != std::string::npos) d.setText(F::site, text.substr(cut + 3));
        }
        dateAndTime(d, dive, result.notes);
        if (pugi::xml_node t = lastChild(dive, "TEMPERATURE", true))
            d.setText(F::tempEau, units.celsius(trimmedText(t)));
        if (pugi::xml_node a = lastChild(dive, "ALTITUDE", true)) {
            const auto v = leadingNumber(trimmedText(a));
            d.setText(F::altitude,
                      units.imperial && v
                          ? integerText(std::llround(units.metres(std::clamp(*v, -1e9, 1e9))))
                          : textOf(a));
        }
        if (pugi::xml_node s = lastChild(dive, "SURFACEINTERVAL", true);
            s && textOf(s) == "infinity")
            d.setText(F::surface, "--:--");

        // Samples: each D a depth, timed by a T before it or by DELTA steps;
        // each ALARM sets a flag of the sample it follows.
        pugi::xml_node samples = firstChild(dive, "SAMPLES", true);
        std::int64_t interval = 0;
        if (pugi::xml_node delta = lastChild(samples, "DELTA", true))
            interval = leadingInteger(textOf(delta)).value_or(0);
        if (auto code = ImportRules::samplingCode(interval)) d.setTag(F::samplingRate, *code);
        std::vector<Waypoint> points;
        std::size_t rejected = 0;
        bool timed = false;
        double pending = NAN;
        for (pugi::xml_node c = samples.first_child(); c; c = c.next_sibling()) {
            const std::string_view name = c.name();
            if (sameText(name, "D")) {
                const auto v = leadingNumber(trimmedText(c));
                if (!v || !ImportRules::plausibleDepth(units.metres(*v))) {
                    ++rejected;
                    continue;
                }
                Waypoint w;
                w.metres = units.metres(*v);
                w.seconds = std::isfinite(pending) ? pending
                            : points.empty()
                                ? 0
                                : points.back().seconds + static_cast<double>(interval);
                pending = NAN;
                points.push_back(w);
            } else if (sameText(name, "T")) {
                const auto v = leadingNumber(trimmedText(c));
                if (v && std::fabs(*v) < 30 * 86400.0) {
                    pending = *v;
                    timed = true;
                }
            } else if (!points.empty() && sameText(name, "ALARM")) {
                const std::string what = textOf(c);
                const std::size_t slot = what == "deco"      ? 0
                                         : what == "ascent"  ? 1
                                         : what == "surface" ? 2
                                         : what == "error"   ? 3
                                                             : 4;
                if (slot < 4) points.back().alarms[slot] = 1;
            }
        }
        if (rejected)
            result.notes.push_back(std::to_string(rejected) +
                                   " samples without a usable depth were left out");
        if (timed) {
            if (auto profile = WaypointProfile::of(points)) {
                if (profile->samplingCode) d.setTag(F::samplingRate, *profile->samplingCode);
                d.profile = std::move(profile->series);
            }
        } else {
            // The export frames the samples with a surface point at each end.
            const std::array<std::int32_t, 4> none{};
            if (points.size() >= 2 && points.front().metres == 0 && points.back().metres == 0 &&
                points.front().alarms == none && points.back().alarms == none) {
                points.erase(points.begin());
                points.pop_back();
            }
            if (!points.empty()) d.profile = framedProfile(points);
        }
        // The deepest of the written maximum and the samples.
        std::optional<double> deepest;
        if (pugi::xml_node m = lastChild(dive, "MAXDEPTH", true))
            if (auto v = leadingNumber(trimmedText(m))) deepest = units.metres(*v);
        for (const Waypoint& w : points) deepest = std::max(deepest.value_or(w.metres), w.metres);
        if (deepest) d.setText(F::profondeur, decimalText(*deepest));
        std::optional<double> minutes;
        if (pugi::xml_node t = lastChild(dive, "DIVETIME", true))
            minutes = leadingNumber(trimmedText(t));
        else if (pugi::xml_node t = lastChild(dive, "DURATION", true))
            minutes = minutesOf(trimmedText(t));
        if (minutes && std::isfinite(*minutes))
            d.setText(F::temps, integerText(std::llround(std::clamp(*minutes, 0.0, 1e6))));
        else if (!points.empty() && interval > 0)
            d.setText(F::temps, integerText(static_cast<std::int64_t>(points.size()) *
                                            std::min<std::int64_t>(interval, 86400) / 60));

        pugi::xml_node gases = firstChild(dive, "GASES", true);
        extraMixes += children(gases, "MIX", true).size() > 1;
        if (pugi::xml_node mix = firstChild(gases, "MIX", true)) {
            const auto o2 = leadingNumber(trimmedText(lastChild(mix, "O2", true)));
            const auto he = leadingNumber(trimmedText(lastChild(mix, "HE", true)));
            if (o2 || he) ImportRules::gas(d, o2.value_or(0), he.value_or(0));
            extraTanks += children(mix, "TANK", true).size() > 1;
            if (pugi::xml_node tank = firstChild(mix, "TANK", true)) {
                if (pugi::xml_node v = lastChild(tank, "TANKVOLUME", true)) {
                    // Imperial tanks are sized by the gas they hold, not their water volume.
                    if (units.imperial)
                        ++cubicFeet;
                    else
                        d.setText(F::volumeBloc, textOf(v));
                }
                if (pugi::xml_node e = lastChild(tank, "PSTART", true))
                    d.setText(F::pressionDepart, units.bar(trimmedText(e)));
                if (pugi::xml_node e = lastChild(tank, "PEND", true))
                    d.setText(F::pressionFin, units.bar(trimmedText(e)));
            }
        }
        result.dives.push_back(std::move(d));
    }
    if (extraMixes)
        result.notes.push_back(std::to_string(extraMixes) +
                               " dives had more than one mix: only the first was kept");
    if (extraTanks)
        result.notes.push_back(std::to_string(extraTanks) +
                               " dives had more than one tank of a mix: only the first was kept");
    if (cubicFeet)
        result.notes.push_back(std::to_string(cubicFeet) +
                               " tank sizes in cubic feet were left out: the logbook keeps the "
                               "water volume in litres");
    return result;
}

}  // namespace divelog
