#include "exchange/UdcfDiveReader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "dive/DiveCodes.h"
#include "dive/Units.h"
#include "exchange/WaypointProfile.h"
#include "exchange/XmlReading.h"
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

// Past the logbook's range stays past it, for the form's rule to refuse.
std::string whole(double v) { return integerText(std::llround(std::clamp(v, -1e12, 1e12))); }

}  // namespace

std::optional<DiveDraft> UdcfDiveReader::read(pugi::xml_node dive, std::vector<std::string>& notes,
                                              const Samples* apart) {
    DiveDraft d;
    ImportRules::unrecordedConditions(d);
    if (pugi::xml_node place = lastChild(dive, "PLACE", true)) {
        auto [lieu, site] = ImportRules::placeAndSite(place.child_value(), context_);
        d.setText(F::lieu, std::move(lieu));
        if (!site.empty()) d.setText(F::site, std::move(site));
    }
    dateAndTime(d, dive, notes);
    if (pugi::xml_node t = lastChild(dive, "TEMPERATURE", true))
        // The exports write "not given" as -50.
        if (auto c = numbers_.temperature(trimmedText(t)); c && *c != units::kNoTemperature)
            d.setText(F::tempEau, decimalText(*c));
    if (pugi::xml_node a = lastChild(dive, "ALTITUDE", true))
        if (auto m = numbers_.depth(trimmedText(a))) d.setText(F::altitude, decimalText(*m));
    if (pugi::xml_node s = lastChild(dive, "SURFACEINTERVAL", true); s && textOf(s) == "infinity")
        d.setText(F::surface, "--:--");

    // Samples: each D a depth, timed by a T before it or by DELTA steps;
    // each ALARM sets a flag of the sample it follows.
    pugi::xml_node samples = firstChild(dive, "SAMPLES", true);
    std::int64_t interval = 0;
    pugi::xml_node delta = lastChild(samples, "DELTA", true);
    if (apart || delta)
        interval = std::clamp<std::int64_t>(
            leadingInteger(apart ? apart->delta : trimmedText(delta)).value_or(0), 0, 86400);
    const auto code = ImportRules::samplingCode(interval);
    std::vector<Waypoint> points;
    bool timed = false;
    double pending = NAN;
    std::optional<double> lastTime;
    auto visit = [&](pugi::xml_node c) {
        const std::string_view name = c.name();
        if (sameText(name, "D")) {
            const auto v = numbers_.depth(trimmedText(c));
            if (!v || !ImportRules::plausibleDepth(*v)) {
                ++rejected_;
                return;
            }
            Waypoint w;
            w.metres = *v;
            w.seconds = std::isfinite(pending) ? pending
                        : points.empty()       ? 0
                                         : points.back().seconds + static_cast<double>(interval);
            pending = NAN;
            lastTime = std::max(lastTime.value_or(w.seconds), w.seconds);
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
    };
    if (apart)
        apart->children(visit);
    else
        for (pugi::xml_node c = samples.first_child(); c; c = c.next_sibling()) visit(c);
    // Everything the samples give, before they are moved into the profile.
    std::optional<double> deepest;
    if (pugi::xml_node m = lastChild(dive, "MAXDEPTH", true))
        deepest = numbers_.depth(trimmedText(m));
    for (const Waypoint& w : points) deepest = std::max(deepest.value_or(w.metres), w.metres);
    const std::size_t sampleCount = points.size();
    if (timed || (interval > 0 && !code)) {
        // Own times, or steps the logbook has no interval for: resampled.
        if (auto profile = WaypointProfile::of(std::move(points))) {
            if (profile->samplingCode) d.setTag(F::samplingRate, *profile->samplingCode);
            repeated_ += profile->repeated > 0;
            d.profile = std::move(profile->series);
        }
    } else {
        if (code) d.setTag(F::samplingRate, *code);
        // The export frames the samples with a surface point at each end.
        const std::array<std::uint8_t, 4> none{};
        if (points.size() >= 2 && points.front().metres == 0 && points.back().metres == 0 &&
            points.front().alarms == none && points.back().alarms == none) {
            points.erase(points.begin());
            points.pop_back();
        }
        if (!points.empty()) d.profile = framedProfile(points);
    }
    if (deepest) d.setText(F::profondeur, decimalText(*deepest));
    std::optional<double> minutes;
    if (pugi::xml_node t = lastChild(dive, "DIVETIME", true))
        minutes = leadingNumber(trimmedText(t));
    else if (pugi::xml_node t = lastChild(dive, "DURATION", true))
        minutes = minutesOf(trimmedText(t));
    if (minutes && std::isfinite(*minutes))
        d.setText(F::temps, whole(std::clamp(*minutes, 0.0, 1e6)));
    else if (timed && lastTime)
        d.setText(F::temps, whole(std::max(0.0, *lastTime) / 60));
    else if (sampleCount > 0 && interval > 0)
        d.setText(F::temps, integerText(static_cast<std::int64_t>(sampleCount) * interval / 60));

    const bool anything = lastChild(dive, "DATE", true) || lastChild(dive, "DATETIME", true) ||
                          lastChild(dive, "TIME", true) || deepest || d.sets(F::temps) ||
                          sampleCount > 0;
    if (!anything) {
        ++empty_;
        return std::nullopt;
    }

    pugi::xml_node gases = firstChild(dive, "GASES", true);
    extraMixes_ += children(gases, "MIX", true).size() > 1;
    if (pugi::xml_node mix = firstChild(gases, "MIX", true)) {
        const auto o2 = leadingNumber(trimmedText(lastChild(mix, "O2", true)));
        const auto he = leadingNumber(trimmedText(lastChild(mix, "HE", true)));
        if (o2 || he)
            ImportRules::gas(d, o2.value_or(0), he.value_or(0), 1,
                             trimmedText(lastChild(mix, "MIXNAME", true)));
        extraTanks_ += children(mix, "TANK", true).size() > 1;
        if (pugi::xml_node tank = firstChild(mix, "TANK", true)) {
            if (pugi::xml_node v = lastChild(tank, "TANKVOLUME", true))
                if (auto litres = numbers_.volume(trimmedText(v)))
                    d.setText(F::volumeBloc, decimalText(*litres));
            if (pugi::xml_node e = lastChild(tank, "PSTART", true))
                if (auto bar = numbers_.pressure(trimmedText(e)))
                    d.setText(F::pressionDepart, whole(*bar));
            if (pugi::xml_node e = lastChild(tank, "PEND", true))
                if (auto bar = numbers_.pressure(trimmedText(e)))
                    d.setText(F::pressionFin, whole(*bar));
        }
    }
    return d;
}

void UdcfDiveReader::report(std::vector<std::string>& notes) const {
    if (rejected_)
        notes.push_back(std::to_string(rejected_) +
                        " samples without a usable depth were left out");
    if (empty_)
        notes.push_back(std::to_string(empty_) +
                        (empty_ == 1 ? " dive element held" : " dive elements held") +
                        " no date, depth, duration or sample: skipped, as no dive");
    if (repeated_)
        notes.push_back(std::to_string(repeated_) + (repeated_ == 1 ? " dive had" : " dives had") +
                        " samples written again at the same time: the last of each was kept");
    if (extraMixes_)
        notes.push_back(std::to_string(extraMixes_) +
                        " dives had more than one mix: only the first was kept");
    if (extraTanks_)
        notes.push_back(std::to_string(extraTanks_) +
                        " dives had more than one tank of a mix: only the first was kept");
    numbers_.report(notes);
}

}  // namespace divelog
