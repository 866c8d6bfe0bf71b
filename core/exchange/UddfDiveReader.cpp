#include "exchange/UddfDiveReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "dive/DiveCodes.h"
#include "dive/Units.h"
#include "exchange/ImportRules.h"
#include "exchange/WaypointProfile.h"
#include "exchange/XmlReading.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using F = Plongee::Field;

// Waypoint readings the logbook has no series for.
// clang-format off
constexpr std::array<std::string_view, 18> kSensors = {
    "temperature", "heartrate", "pulserate", "bodytemperature", "cns", "otu",
    "calculatedpo2", "measuredpo2", "setpo2", "batterychargecondition", "heading",
    "gradientfactor", "nodecotime", "remainingbottomtime", "remainingo2time", "decostop",
    "setmarker", "divemode"};
// clang-format on

constexpr double kLongestDive = 30 * 86400.0;  // seconds; a time past this is damage

std::optional<double> number(pugi::xml_node e) {
    return e ? leadingNumber(trimmedText(e)) : std::nullopt;
}
std::optional<double> numberIn(pugi::xml_node parent, std::string_view name) {
    return number(lastChild(parent, name, false));
}

std::string whole(double v) { return integerText(std::llround(std::clamp(v, -1e9, 1e9))); }

void setKelvin(DiveDraft& d, DiveForm::TextField field, std::optional<double> kelvin) {
    if (kelvin) d.setText(field, integerText(ImportRules::celsiusOfKelvin(*kelvin)));
}

std::size_t alarmSlot(std::string_view what) {
    return what == "deco"      ? 0
           : what == "ascent"  ? 1
           : what == "surface" ? 2
           : what == "error"   ? 3
                               : 4;
}

std::string dives(std::size_t n) { return n == 1 ? "1 dive" : std::to_string(n) + " dives"; }

}  // namespace

struct UddfDiveReader::Tank {
    std::vector<std::string_view> keys;  // its own id, and links that name no mix
    std::string_view mixRef;
    const UddfDefinitions::Mix* mix = nullptr;
    std::optional<double> cubicMetres, beginPa, endPa;
    std::optional<double> firstBar, lastBar;  // from the waypoints

    bool named(std::string_view ref) const {
        return std::find(keys.begin(), keys.end(), ref) != keys.end();
    }
};

DiveDraft UddfDiveReader::read(pugi::xml_node dive, std::vector<std::string>& notes) {
    DiveDraft d;
    // Conditions were not recorded; the type of dive is not known.
    d.setTag(F::meteo, NewDiveCodes::kWeather);
    d.setTag(F::courant, NewDiveCodes::kCurrent);
    d.setTag(F::visibilite, NewDiveCodes::kVisibility);
    d.setTag(F::typePlongee, NewDiveCodes::kDiveType);
    if (lastChild(dive, "informationbeforedive", false) ||
        lastChild(dive, "informationafterdive", false))
        readVersion3(d, dive, notes);
    else
        readVersion2(d, dive, notes);
    return d;
}

void UddfDiveReader::readVersion2(DiveDraft& d, pugi::xml_node dive,
                                  std::vector<std::string>& notes) {
    ImportRules::dateAndTime(d, lastChild(dive, "date", false), lastChild(dive, "time", false),
                             false, notes);
    setKelvin(d, F::tempAir, numberIn(dive, "airtemperature"));
    setKelvin(d, F::tempEau, numberIn(dive, "lowesttemperature"));
    if (pugi::xml_node depth = lastChild(dive, "greatestdepth", false))
        d.setText(F::profondeur, textOf(depth));
    if (pugi::xml_node text = lastChild(lastChild(dive, "notes", false), "text", false))
        d.setText(F::notes, text.child_value());
    pugi::xml_node samples = lastChild(dive, "samples", false);
    // The blank profile's surface sample, then one sample per waypoint.
    std::vector<double> depths{0.0};
    std::size_t rejected = 0;
    for (pugi::xml_node wp : children(samples, "waypoint", false)) {
        pugi::xml_node depthChild = lastChild(wp, "depth", false);
        const auto v = depthChild ? number(depthChild) : leadingNumber(wp.text().get());
        if (v && ImportRules::plausibleDepth(*v))
            depths.push_back(*v);
        else
            ++rejected;
    }
    if (rejected)
        notes.push_back(std::to_string(rejected) + " samples without a usable depth were left out");
    if (depths.size() > 1) {
        ProfileSeries p;
        p.profilProfondeur = std::move(depths);
        for (SeriesId id : {SeriesId::Ascent, SeriesId::Slow, SeriesId::Surface, SeriesId::Ceiling,
                            SeriesId::Gas})
            p.flags(id).assign(p.profilProfondeur.size(), 0);
        p.fillPlaceholders();
        d.profile = std::move(p);
    }
    if (auto s = numberIn(lastChild(samples, "waypoint", false), "divetime"))
        d.setText(F::temps, whole(std::clamp(std::trunc(*s / 60), 0.0, 1e6)));
}

void UddfDiveReader::readVersion3(DiveDraft& d, pugi::xml_node dive,
                                  std::vector<std::string>& notes) {
    pugi::xml_node before = lastChild(dive, "informationbeforedive", false);
    pugi::xml_node after = lastChild(dive, "informationafterdive", false);
    if (pugi::xml_node when = lastChild(before, "datetime", false))
        ImportRules::dateTimeText(d, trimmedText(when), notes);
    setKelvin(d, F::tempAir, numberIn(before, "airtemperature"));
    if (auto altitude = numberIn(before, "altitude")) d.setText(F::altitude, whole(*altitude));
    for (pugi::xml_node link : children(before, "link", false))
        if (const auto* site = definitions_.site(attributeNamed(link, "ref").value())) {
            if (!site->location.empty()) d.setText(F::lieu, site->location);
            if (!site->name.empty() && site->name != site->location) d.setText(F::site, site->name);
            if (!site->country.empty()) d.setText(F::pays, site->country);
            break;
        }

    // Tanks: their mix, volume and pressures; other links name the diver's tank.
    std::vector<Tank> tanks;
    for (pugi::xml_node data : children(dive, "tankdata", false)) {
        Tank t;
        if (auto id = UddfDefinitions::trimmed(attributeNamed(data, "id").value()); !id.empty())
            t.keys.push_back(id);
        for (pugi::xml_node link : children(data, "link", false)) {
            const std::string_view ref =
                UddfDefinitions::trimmed(attributeNamed(link, "ref").value());
            if (const auto* mix = definitions_.mix(ref); mix && !t.mix) {
                t.mix = mix;
                t.mixRef = ref;
            } else if (!mix) {
                t.keys.push_back(ref);
                if (const double* v = definitions_.tankVolume(ref)) t.cubicMetres = *v;
            }
        }
        if (auto v = numberIn(data, "tankvolume")) t.cubicMetres = *v;
        t.beginPa = numberIn(data, "tankpressurebegin");
        t.endPa = numberIn(data, "tankpressureend");
        tanks.push_back(std::move(t));
    }

    // Waypoints: depth from `depth`, time from `divetime`; a waypoint without
    // children is its depth alone.
    std::vector<Waypoint> points;
    struct Reading {
        std::ptrdiff_t point;  // -1: a waypoint without depth
        std::string_view ref;
        double bar;
    };
    std::vector<Reading> readings;
    std::vector<std::string_view> mixesUsed;  // in order of first use
    bool unknownMix = false, badDepth = false;
    std::uint32_t sensors = 0;
    std::optional<double> lowestKelvin, lastTime;
    pugi::xml_node samples = lastChild(dive, "samples", false);
    for (pugi::xml_node wp = samples.first_child(); wp; wp = wp.next_sibling()) {
        if (wp.type() != pugi::node_element || localName(wp) != "waypoint") continue;
        Waypoint p;
        bool hasDepth = false, anyChild = false;
        const std::size_t firstReading = readings.size();
        for (pugi::xml_node c = wp.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element) continue;
            anyChild = true;
            const std::string_view name = localName(c);
            if (name == "depth") {
                const auto v = number(c);
                hasDepth = v && ImportRules::plausibleDepth(*v);
                if (hasDepth) p.metres = *v;
                badDepth = badDepth || !hasDepth;
            } else if (name == "divetime") {
                if (auto v = number(c); v && std::fabs(*v) <= kLongestDive) p.seconds = *v;
            } else if (name == "switchmix") {
                const std::string_view ref =
                    UddfDefinitions::trimmed(attributeNamed(c, "ref").value());
                if (!definitions_.mix(ref))
                    unknownMix = true;
                else if (std::find(mixesUsed.begin(), mixesUsed.end(), ref) == mixesUsed.end())
                    mixesUsed.push_back(ref);
            } else if (name == "tankpressure") {
                if (auto v = number(c); v && *v >= 0 && *v < 1e10)
                    readings.push_back({-1,
                                        UddfDefinitions::trimmed(attributeNamed(c, "ref").value()),
                                        *v / units::kPascalsPerBar});
            } else if (name == "alarm") {
                if (const std::size_t slot = alarmSlot(trimmedText(c)); slot < 4)
                    p.alarms[slot] = 1;
            } else {
                const auto known = std::find(kSensors.begin(), kSensors.end(), name);
                if (known != kSensors.end()) sensors |= 1u << (known - kSensors.begin());
                if (name == "temperature")
                    if (auto k = number(c)) lowestKelvin = std::min(lowestKelvin.value_or(*k), *k);
            }
        }
        if (!anyChild) {
            const auto v = leadingNumber(trimmedText(wp));
            hasDepth = v && ImportRules::plausibleDepth(*v);
            if (hasDepth) p.metres = *v;
            badDepth = badDepth || !hasDepth;
        }
        if (std::isfinite(p.seconds)) lastTime = std::max(lastTime.value_or(p.seconds), p.seconds);
        if (!hasDepth) continue;
        for (std::size_t r = firstReading; r < readings.size(); ++r)
            readings[r].point = static_cast<std::ptrdiff_t>(points.size());
        points.push_back(p);
    }

    // The dive's gas is the first mix breathed: the first switch, else the
    // first tank's. Its tank is cylinder 1.
    if (mixesUsed.empty())
        for (const Tank& t : tanks)
            if (t.mix) {
                mixesUsed.push_back(t.mixRef);
                break;
            }
    std::size_t first = 0;
    if (!mixesUsed.empty())
        for (std::size_t i = 0; i < tanks.size(); ++i)
            if (tanks[i].mixRef == mixesUsed.front()) {
                first = i;
                break;
            }
    if (first != 0)
        std::rotate(tanks.begin(), tanks.begin() + static_cast<std::ptrdiff_t>(first),
                    tanks.begin() + static_cast<std::ptrdiff_t>(first) + 1);
    for (const Tank& t : tanks)
        if (t.mix && std::find(mixesUsed.begin(), mixesUsed.end(), t.mixRef) == mixesUsed.end())
            mixesUsed.push_back(t.mixRef);

    // Pressure readings: by the tank they name; none named means cylinder 1.
    if (tanks.empty() && !readings.empty()) tanks.emplace_back();
    bool otherTank = false;
    for (const Reading& r : readings) {
        std::size_t tank = 0;
        if (!r.ref.empty()) {
            const auto it = std::find_if(tanks.begin(), tanks.end(),
                                         [&](const Tank& t) { return t.named(r.ref); });
            tank = it != tanks.end()  ? static_cast<std::size_t>(it - tanks.begin())
                   : tanks.size() > 1 ? 2
                                      : 0;
        }
        if (tank >= 2) {
            otherTank = true;
            continue;
        }
        if (tank == 0 && r.point >= 0) points[static_cast<std::size_t>(r.point)].bar = r.bar;
        if (!tanks[tank].firstBar) tanks[tank].firstBar = r.bar;
        tanks[tank].lastBar = r.bar;
    }

    const std::string_view gasRef = mixesUsed.empty() ? std::string_view() : mixesUsed.front();
    if (const auto* mix = definitions_.mix(gasRef)) ImportRules::gas(d, mix->o2, mix->he, 1);
    std::string_view secondRef;
    if (tanks.size() > 1 && tanks[1].mix)
        secondRef = tanks[1].mixRef;
    else if (mixesUsed.size() > 1)
        secondRef = mixesUsed[1];
    if (const auto* mix = definitions_.mix(secondRef)) ImportRules::gas(d, mix->o2, mix->he, 2);
    for (std::size_t i = 0; i < std::min<std::size_t>(tanks.size(), 2); ++i) {
        const Tank& t = tanks[i];
        const ImportRules::Cylinder& cylinder = ImportRules::cylinder(i == 1 ? 2 : 1);
        if (t.cubicMetres && *t.cubicMetres >= 0 && *t.cubicMetres < 10)
            d.setText(cylinder.volume, whole(*t.cubicMetres * 1000));
        // A pressure of 0 in the tank data says nothing was read there.
        const auto begin =
            t.beginPa > 0.0 ? std::optional(*t.beginPa / units::kPascalsPerBar) : t.firstBar;
        const auto end =
            t.endPa > 0.0 ? std::optional(*t.endPa / units::kPascalsPerBar) : t.lastBar;
        if (begin) d.setText(cylinder.start, whole(*begin));
        if (end) d.setText(cylinder.end, whole(*end));
    }

    std::optional<double> deepest;
    if (auto profile = WaypointProfile::of(points)) {
        if (profile->samplingCode) d.setTag(F::samplingRate, *profile->samplingCode);
        for (double m : profile->series.profilProfondeur)
            deepest = std::max(deepest.value_or(m), m);
        fileOrder_ += profile->inFileOrder;
        cut_ += profile->cut;
        d.profile = std::move(profile->series);
    }

    const auto depth = numberIn(after, "greatestdepth");
    if (depth && ImportRules::plausibleDepth(*depth)) deepest = depth;
    if (deepest) d.setText(F::profondeur, decimalText(*deepest));
    const auto duration = numberIn(after, "diveduration");
    if (auto seconds = duration && std::fabs(*duration) <= kLongestDive ? duration : lastTime)
        d.setText(F::temps, whole(std::max(0.0, std::round(*seconds / 60))));
    setKelvin(d, F::tempEau,
              lastChild(after, "lowesttemperature", false) ? numberIn(after, "lowesttemperature")
                                                           : lowestKelvin);
    std::string text;
    for (pugi::xml_node para : children(lastChild(after, "notes", false), "para", false)) {
        if (!text.empty()) text += '\n';
        text += para.child_value();
    }
    if (!text.empty()) d.setText(F::notes, text);

    extraTanks_ += tanks.size() > 2;
    const std::size_t kept =
        (gasRef.empty() ? 0 : 1) + (secondRef.empty() || secondRef == gasRef ? 0 : 1);
    extraMixes_ += mixesUsed.size() > kept;
    unknownMixes_ += unknownMix;
    otherTankPressures_ += otherTank;
    badDepths_ += badDepth;
    for (std::size_t i = 0; i < kSensors.size(); ++i)
        if (sensors >> i & 1u) {
            auto it = sensors_.find(kSensors[i]);
            if (it == sensors_.end()) it = sensors_.emplace(std::string(kSensors[i]), 0).first;
            ++it->second;
        }
}

void UddfDiveReader::report(std::vector<std::string>& notes) const {
    if (extraTanks_)
        notes.push_back(
            dives(extraTanks_) +
            " had more than two tanks: the logbook keeps two, the others were left out");
    if (extraMixes_)
        notes.push_back(
            dives(extraMixes_) +
            " breathed more mixes than the two the logbook keeps: the others were left out");
    if (unknownMixes_)
        notes.push_back(dives(unknownMixes_) + " switched to a mix the file does not define");
    if (otherTankPressures_)
        notes.push_back(dives(otherTankPressures_) +
                        " had pressure readings of further tanks: left out");
    if (badDepths_)
        notes.push_back(dives(badDepths_) + " had samples without a usable depth: left out");
    if (fileOrder_)
        notes.push_back(dives(fileOrder_) +
                        " had sample times that went backwards, repeated or were missing: "
                        "their samples were kept one each in file order");
    if (cut_)
        notes.push_back(dives(cut_) + " had samples too far apart to keep whole: the end was cut");
    if (!sensors_.empty()) {
        std::string line = "readings the logbook has no field for were left out:";
        for (const auto& [name, count] : sensors_) line += " " + name + " (" + dives(count) + "),";
        line.pop_back();
        notes.push_back(std::move(line));
    }
}

}  // namespace divelog
