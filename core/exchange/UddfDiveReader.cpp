#include "exchange/UddfDiveReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/Units.h"
#include "exchange/GpsPosition.h"
#include "exchange/ImportRules.h"
#include "exchange/UddfCodes.h"
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

// Past the logbook's range stays past it, for the form's rule to refuse.
std::string whole(double v) { return integerText(std::llround(std::clamp(v, -1e12, 1e12))); }

// Degrees Celsius with all their digits: the import rounds them once, in
// the logbook's unit.
void setKelvin(DiveDraft& d, DiveForm::TextField field, std::optional<double> kelvin) {
    if (!kelvin) return;
    if (!std::isfinite(*kelvin) || std::fabs(*kelvin) > 1e6)
        d.setText(field, integerText(units::kNoTemperature));
    else
        d.setText(field, decimalText(units::celsiusOfKelvin(*kelvin)));
}

std::size_t alarmSlot(std::string_view what) {
    return what == "deco"      ? 0
           : what == "ascent"  ? 1
           : what == "surface" ? 2
           : what == "error"   ? 3
                               : 4;
}

// The set-point code nearest a partial pressure written in pascals (or in
// bar, as some programs write it); none past a tenth of a bar from any.
std::optional<std::int32_t> setPointCode(double value) {
    const double bar = value > 100 ? value / units::kPascalsPerBar : value;
    std::optional<std::int32_t> best;
    double distance = 0.05;
    for (const CodeMeaning& m : DiveCodes::table(Plongee::Field::ppO2)->codes)
        if (m.value > 0 && std::fabs(m.value - bar) <= distance) {
            distance = std::fabs(m.value - bar);
            best = m.code;
        }
    return best;
}

}  // namespace

WaypointElement UddfDiveReader::waypointElement(pugi::xml_node wp,
                                                std::vector<WaypointChild>& scratch) {
    scratch.clear();
    for (pugi::xml_node c = wp.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            scratch.push_back({localName(c), trimmedText(c), attributeNamed(c, "ref").value(),
                               attributeNamed(c, "type").value()});
    return {scratch, scratch.empty() ? trimmedText(wp) : std::string_view()};
}

namespace {

constexpr auto kStageVolume =
    std::array<DiveForm::TextField, 3>{F::volPony1, F::volPony2, F::volPony3};
constexpr auto kStageStart = std::array<DiveForm::TextField, 3>{
    F::pressDepartPony1, F::pressDepartPony2, F::pressDepartPony3};
constexpr auto kStageEnd =
    std::array<DiveForm::TextField, 3>{F::pressFinPony1, F::pressFinPony2, F::pressFinPony3};
constexpr auto kBailoutVolume = std::array<DiveForm::TextField, 2>{F::volBailout1, F::volBailout2};
constexpr auto kBailoutStart =
    std::array<DiveForm::TextField, 2>{F::pressDepartBailout1, F::pressDepartBailout2};
constexpr auto kBailoutEnd =
    std::array<DiveForm::TextField, 2>{F::pressFinBailout1, F::pressFinBailout2};
constexpr auto kBailoutO2 = std::array<DiveForm::TextField, 2>{F::O2Bailout1, F::O2Bailout2};
constexpr auto kBailoutHe = std::array<DiveForm::TextField, 2>{F::HeBailout1, F::HeBailout2};
constexpr auto kStopO2 = std::array<DiveForm::TextField, 5>{
    F::decoO2_Level_1, F::decoO2_Level_2, F::decoO2_Level_3, F::decoO2_Level_4, F::decoO2_Level_5};
constexpr auto kStopHe = std::array<DiveForm::TextField, 5>{
    F::decoHe_Level_1, F::decoHe_Level_2, F::decoHe_Level_3, F::decoHe_Level_4, F::decoHe_Level_5};

}  // namespace

struct UddfDiveReader::Tank {
    std::vector<std::string_view> keys;  // its own id, and links that name no mix
    std::string_view mixRef;
    const UddfDefinitions::Mix* mix = nullptr;
    std::optional<double> cubicMetres, beginPa, endPa;
    std::optional<double> firstBar, lastBar;  // from the waypoints
    std::optional<CylinderRole> role;         // named by the diver's tank
    std::optional<std::int32_t> material;

    bool named(std::string_view ref) const {
        return std::find(keys.begin(), keys.end(), ref) != keys.end();
    }
};

std::optional<DiveDraft> UddfDiveReader::read(pugi::xml_node dive, std::vector<std::string>& notes,
                                              const Waypoints& waypoints) {
    DiveDraft d;
    ImportRules::unrecordedConditions(d);
    bool anyWaypoint = false;
    if (lastChild(dive, "informationbeforedive", false) ||
        lastChild(dive, "informationafterdive", false))
        anyWaypoint = readVersion3(d, dive, notes, waypoints);
    else
        readVersion2(d, dive, notes);
    // What makes a dive: when, how deep, how long or its samples, in either structure.
    pugi::xml_node before = lastChild(dive, "informationbeforedive", false);
    pugi::xml_node after = lastChild(dive, "informationafterdive", false);
    const bool anything =
        lastChild(before, "datetime", false) || lastChild(dive, "date", false) ||
        lastChild(after, "greatestdepth", false) || lastChild(dive, "greatestdepth", false) ||
        lastChild(after, "diveduration", false) ||
        lastChild(lastChild(dive, "samples", false), "waypoint", false) || anyWaypoint;
    if (!anything) {
        ++empty_;
        return std::nullopt;
    }
    return d;
}

void UddfDiveReader::readVersion2(DiveDraft& d, pugi::xml_node dive,
                                  std::vector<std::string>& notes) {
    ImportRules::dateAndTime(d, lastChild(dive, "date", false), lastChild(dive, "time", false),
                             false, notes);
    setKelvin(d, F::tempAir, numberIn(dive, "airtemperature"));
    setKelvin(d, F::tempEau, numberIn(dive, "lowesttemperature"));
    if (pugi::xml_node depth = lastChild(dive, "greatestdepth", false))
        if (auto m = numbers_.depth(trimmedText(depth))) d.setText(F::profondeur, decimalText(*m));
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

bool UddfDiveReader::readVersion3(DiveDraft& d, pugi::xml_node dive,
                                  std::vector<std::string>& notes, const Waypoints& waypoints) {
    pugi::xml_node before = lastChild(dive, "informationbeforedive", false);
    pugi::xml_node after = lastChild(dive, "informationafterdive", false);
    if (pugi::xml_node when = lastChild(before, "datetime", false))
        ImportRules::dateTimeText(d, trimmedText(when), notes);
    setKelvin(d, F::tempAir, numberIn(before, "airtemperature"));
    if (auto altitude = numberIn(before, "altitude"))
        d.setText(F::altitude, decimalText(*altitude));
    bool siteFound = false;
    std::string buddies;
    for (pugi::xml_node link : children(before, "link", false)) {
        const std::string_view ref = attributeNamed(link, "ref").value();
        if (const auto* site = definitions_.site(ref); site && !siteFound) {
            siteFound = true;
            if (!site->location.empty()) d.setText(F::lieu, site->location);
            if (!site->name.empty() && site->name != site->location) d.setText(F::site, site->name);
            if (!site->country.empty()) d.setText(F::pays, site->country);
            if (site->latitude && site->longitude && std::fabs(*site->latitude) <= 90 &&
                std::fabs(*site->longitude) <= 180) {
                d.setText(F::gps, GpsPosition{*site->latitude, *site->longitude}.text());
                d.setTag(F::gpsSystem, NewDiveCodes::kGpsSystem);
            }
        } else if (const std::string* buddy = definitions_.buddy(ref)) {
            buddies += (buddies.empty() ? "" : "; ") + *buddy;
        }
    }
    if (!buddies.empty()) d.setText(F::partenaires, buddies);
    if (const std::string* boat = definitions_.boat(attributeNamed(dive, "id").value()))
        d.setText(F::bateau, *boat);
    if (pugi::xml_node interval = lastChild(before, "surfaceintervalbeforedive", false)) {
        if (lastChild(interval, "infinity", false)) d.setText(F::surface, "--:--");
        if (auto s = numberIn(interval, "passedtime"); s && *s >= 0 && *s < 1e8) {
            const auto minutes = static_cast<std::int64_t>(std::llround(*s / 60));
            d.setText(F::surface, formatText("%02d:%02d", {minutes / 60, minutes % 60}));
        }
    }
    std::optional<std::int32_t> apparatus;
    pugi::xml_node used = lastChild(before, "equipmentused", false);
    if (auto lead = numberIn(used, "leadquantity")) d.setText(F::lestage, decimalText(*lead));
    for (pugi::xml_node link : children(used, "link", false))
        if (const auto* piece = definitions_.equipment(attributeNamed(link, "ref").value()))
            if (auto code = UddfCodes::apparatusCode(piece->name)) apparatus = code;

    // Tanks: their mix, volume and pressures; other links name the diver's
    // tank, which may say which cylinder of the logbook it is.
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
                if (const auto* piece = definitions_.equipment(ref)) {
                    if (piece->volume) t.cubicMetres = *piece->volume;
                    t.role = cylinderRoleNamed(piece->name);
                    t.material = UddfCodes::materialCode(piece->material);
                }
            }
        }
        if (auto v = numberIn(data, "tankvolume")) t.cubicMetres = *v;
        t.beginPa = numberIn(data, "tankpressurebegin");
        t.endPa = numberIn(data, "tankpressureend");
        tanks.push_back(std::move(t));
    }
    const bool roles = !tanks.empty() && std::all_of(tanks.begin(), tanks.end(), [](const Tank& t) {
        return t.role.has_value();
    });
    // The gases of stops 1 to 3 are those of their stage cylinders, 4 and 5 of their tanks.
    std::array<std::string_view, 5> stopMix{};
    for (const Tank& t : tanks) {
        if (!t.role || !t.mix) continue;
        if (*t.role >= CylinderRole::Stage1 && *t.role <= CylinderRole::Stage3)
            stopMix[static_cast<std::size_t>(*t.role) -
                    static_cast<std::size_t>(CylinderRole::Stage1)] = t.mixRef;
        if (*t.role == CylinderRole::Stop4) stopMix[3] = t.mixRef;
        if (*t.role == CylinderRole::Stop5) stopMix[4] = t.mixRef;
    }

    // Waypoints: depth from `depth`, time from `divetime`; a waypoint without
    // children is its depth alone.
    std::vector<Waypoint> points;
    struct Reading {
        std::ptrdiff_t point;  // -1: a waypoint without depth
        std::size_t tank;      // in `readingTanks`
        double bar;
    };
    std::vector<Reading> readings;
    // Waypoints read apart live only while they are visited: what outlives
    // them is kept as the definitions' own ids, or copied.
    std::vector<std::string> readingTanks;
    std::vector<std::string_view> mixesUsed;  // in order of first use
    bool unknownMix = false, badDepth = false;
    std::uint32_t sensors = 0;
    std::optional<double> lowestKelvin, lastTime, setPoint;
    std::string diveMode;
    // A switch to a mix: the first names the gas breathed from the start;
    // later ones the bottom gas (1) or a stop's gas (2 to 6).
    auto switchCode = [&](std::string_view ref) -> std::int32_t {
        if (mixesUsed.size() == 1 && mixesUsed.front() == ref && points.empty()) return 0;
        if (!mixesUsed.empty() && mixesUsed.front() == ref) return 1;
        for (std::size_t k = 0; k < stopMix.size(); ++k)
            if (stopMix[k] == ref) return static_cast<std::int32_t>(k) + 2;
        if (roles)
            for (std::size_t k = 0; k < stopMix.size(); ++k)
                if (stopMix[k].empty()) {
                    stopMix[k] = ref;
                    return static_cast<std::int32_t>(k) + 2;
                }
        return 0;
    };
    auto visit = [&](const WaypointElement& wp) {
        Waypoint p;
        bool hasDepth = false;
        const std::size_t firstReading = readings.size();
        for (const WaypointChild& c : wp.children) {
            const std::string_view name = c.name;
            if (name == "depth") {
                const auto v = leadingNumber(c.text);
                hasDepth = v && ImportRules::plausibleDepth(*v);
                if (hasDepth) p.metres = *v;
                badDepth = badDepth || !hasDepth;
            } else if (name == "divetime") {
                if (auto v = leadingNumber(c.text); v && std::fabs(*v) <= kLongestDive)
                    p.seconds = *v;
            } else if (name == "switchmix") {
                const std::string* id = definitions_.mixId(c.ref);
                if (!id) {
                    unknownMix = true;
                    continue;
                }
                const std::string_view ref = *id;
                if (std::find(mixesUsed.begin(), mixesUsed.end(), ref) == mixesUsed.end())
                    mixesUsed.push_back(ref);
                p.gas = switchCode(ref);
            } else if (name == "tankpressure") {
                if (auto v = leadingNumber(c.text); v && *v >= 0 && *v < 1e10) {
                    const std::string_view ref = UddfDefinitions::trimmed(c.ref);
                    auto tank = std::find(readingTanks.begin(), readingTanks.end(), ref);
                    if (tank == readingTanks.end())
                        tank = readingTanks.emplace(readingTanks.end(), ref);
                    readings.push_back({-1, static_cast<std::size_t>(tank - readingTanks.begin()),
                                        *v / units::kPascalsPerBar});
                }
            } else if (name == "alarm") {
                if (const std::size_t slot = alarmSlot(c.text); slot < 4) p.alarms[slot] = 1;
            } else if (name == "setpo2" && !setPoint) {
                setPoint = leadingNumber(c.text);
            } else if (name == "divemode" && diveMode.empty()) {
                diveMode = c.type;
            } else {
                const auto known = std::find(kSensors.begin(), kSensors.end(), name);
                if (known != kSensors.end()) sensors |= 1u << (known - kSensors.begin());
                if (name == "temperature")
                    if (auto k = leadingNumber(c.text))
                        lowestKelvin = std::min(lowestKelvin.value_or(*k), *k);
            }
        }
        if (wp.children.empty()) {
            const auto v = leadingNumber(wp.text);
            hasDepth = v && ImportRules::plausibleDepth(*v);
            if (hasDepth) p.metres = *v;
            badDepth = badDepth || !hasDepth;
        }
        if (std::isfinite(p.seconds)) lastTime = std::max(lastTime.value_or(p.seconds), p.seconds);
        if (!hasDepth) return;
        for (std::size_t r = firstReading; r < readings.size(); ++r)
            readings[r].point = static_cast<std::ptrdiff_t>(points.size());
        points.push_back(p);
    };
    bool anyWaypoint = false;
    if (waypoints) {
        anyWaypoint = waypoints(visit);
    } else {
        std::vector<WaypointChild> scratch;
        for (pugi::xml_node wp = lastChild(dive, "samples", false).first_child(); wp;
             wp = wp.next_sibling())
            if (wp.type() == pugi::node_element && localName(wp) == "waypoint")
                visit(waypointElement(wp, scratch));
    }

    // The apparatus: the rebreather the diver used, else the dive mode.
    if (!apparatus && diveMode == "closedcircuit") apparatus = 3;
    if (!apparatus && diveMode == "semiclosedcircuit") apparatus = 1;
    const bool closed = apparatus && DiveCodes::isClosedCircuit(*apparatus);
    if (apparatus) d.setTag(F::rebreather, *apparatus);
    if (setPoint && closed)
        if (auto code = setPointCode(*setPoint)) d.setTag(F::ppO2, *code);

    // Cylinders 1 and 2: by the diver's tanks where they say; else the tank
    // of the first mix breathed is cylinder 1 (with a closed circuit, that
    // mix is the diluent of cylinder 2, and cylinder 1 the oxygen).
    if (mixesUsed.empty())
        for (const Tank& t : tanks)
            if (t.mix) {
                mixesUsed.push_back(t.mixRef);
                break;
            }
    std::vector<Tank> extra;  // stage and bail-out cylinders
    if (roles) {
        std::stable_sort(tanks.begin(), tanks.end(),
                         [](const Tank& a, const Tank& b) { return *a.role < *b.role; });
        while (!tanks.empty() && *tanks.back().role > CylinderRole::Second) {
            extra.insert(extra.begin(), std::move(tanks.back()));
            tanks.pop_back();
        }
    } else {
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
        if (closed && tanks.size() >= 2) std::swap(tanks[0], tanks[1]);
    }
    for (const Tank& t : tanks)
        if (t.mix && std::find(mixesUsed.begin(), mixesUsed.end(), t.mixRef) == mixesUsed.end())
            mixesUsed.push_back(t.mixRef);

    // Pressure readings: by the tank they name; none named means cylinder 1.
    if (tanks.empty() && !readings.empty()) tanks.emplace_back();
    bool otherTank = false;
    for (const Reading& r : readings) {
        std::size_t tank = 0;
        if (const std::string& ref = readingTanks[r.tank]; !ref.empty()) {
            const auto it = std::find_if(tanks.begin(), tanks.end(),
                                         [&](const Tank& t) { return t.named(ref); });
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

    auto mixName = [&](std::string_view ref) -> std::string_view {
        const auto* m = definitions_.mix(ref);
        return m ? std::string_view(m->name) : std::string_view();
    };
    std::string_view gasRef, secondRef;
    if (roles) {
        if (!tanks.empty() && *tanks[0].role == CylinderRole::Main) gasRef = tanks[0].mixRef;
        for (const Tank& t : tanks)
            if (*t.role == CylinderRole::Second) secondRef = t.mixRef;
    } else {
        gasRef = closed && tanks.size() >= 1 ? tanks[0].mixRef
                 : mixesUsed.empty()         ? std::string_view()
                                             : mixesUsed.front();
        if (tanks.size() > 1 && tanks[1].mix)
            secondRef = tanks[1].mixRef;
        else if (mixesUsed.size() > 1)
            secondRef = mixesUsed[1];
    }
    if (const auto* mix = definitions_.mix(gasRef))
        ImportRules::gas(d, mix->o2, mix->he, 1, mixName(gasRef));
    if (const auto* mix = definitions_.mix(secondRef))
        ImportRules::gas(d, mix->o2, mix->he, 2, mixName(secondRef));
    for (std::size_t i = 0; i < std::min<std::size_t>(tanks.size(), 2); ++i) {
        const Tank& t = tanks[i];
        const int number = roles ? (*t.role == CylinderRole::Second ? 2 : 1) : (i == 1 ? 2 : 1);
        const ImportRules::Cylinder& cylinder = ImportRules::cylinder(number);
        if (t.cubicMetres && *t.cubicMetres >= 0 && *t.cubicMetres < 10)
            d.setText(cylinder.volume, whole(*t.cubicMetres * 1000));
        // A pressure of 0 in the tank data says nothing was read there.
        const auto begin =
            t.beginPa > 0.0 ? std::optional(*t.beginPa / units::kPascalsPerBar) : t.firstBar;
        const auto end =
            t.endPa > 0.0 ? std::optional(*t.endPa / units::kPascalsPerBar) : t.lastBar;
        if (begin) d.setText(cylinder.start, whole(*begin));
        if (end) d.setText(cylinder.end, whole(*end));
        if (t.material) {
            if (number == 2)
                d.setTag(F::alliageBloc_2, *t.material);
            else
                d.setTag(F::alliageBloc, *t.material);
        }
    }
    // Stage cylinders hold the gases of stops 1 to 3; bail-out cylinders their own.
    for (const Tank& t : extra) {
        const auto role = static_cast<std::size_t>(*t.role);
        const auto* mix = t.mix;
        const std::optional<double> litres =
            t.cubicMetres && *t.cubicMetres >= 0 && *t.cubicMetres < 10
                ? std::optional(*t.cubicMetres * 1000)
                : std::nullopt;
        const auto begin =
            t.beginPa > 0.0 ? std::optional(*t.beginPa / units::kPascalsPerBar) : std::nullopt;
        const auto end =
            t.endPa > 0.0 ? std::optional(*t.endPa / units::kPascalsPerBar) : std::nullopt;
        if (*t.role >= CylinderRole::Stop4) continue;  // a stop's gas only
        if (*t.role <= CylinderRole::Stage3) {
            const std::size_t k = role - static_cast<std::size_t>(CylinderRole::Stage1);
            if (litres) d.setText(kStageVolume[k], whole(*litres));
            if (begin) d.setText(kStageStart[k], whole(*begin));
            if (end) d.setText(kStageEnd[k], whole(*end));
        } else {
            const std::size_t k = role - static_cast<std::size_t>(CylinderRole::Bailout1);
            if (litres) d.setText(kBailoutVolume[k], whole(*litres));
            if (begin) d.setText(kBailoutStart[k], whole(*begin));
            if (end) d.setText(kBailoutEnd[k], whole(*end));
            if (mix) {
                d.setText(kBailoutO2[k], integerText(gas::wholePercent(mix->o2)));
                d.setText(kBailoutHe[k], integerText(gas::wholePercent(mix->he)));
            }
        }
    }
    for (std::size_t k = 0; k < stopMix.size(); ++k)
        if (const auto* mix = definitions_.mix(stopMix[k])) {
            d.setText(kStopO2[k], integerText(gas::wholePercent(mix->o2)));
            d.setText(kStopHe[k], integerText(gas::wholePercent(mix->he)));
        }

    std::optional<double> deepest;
    if (auto profile = WaypointProfile::of(std::move(points))) {
        if (profile->samplingCode) d.setTag(F::samplingRate, *profile->samplingCode);
        repeated_ += profile->repeated > 0;
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
    if (auto metres = numberIn(after, "visibility"); metres && *metres >= 0)
        d.setTag(F::visibilite, UddfCodes::visibilityCode(*metres));
    if (auto code = UddfCodes::currentCode(trimmedText(lastChild(after, "current", false))))
        d.setTag(F::courant, *code);
    if (auto rating = numberIn(lastChild(after, "rating", false), "ratingvalue")) {
        if (auto mark = UddfCodes::markOfRating(
                static_cast<int>(std::lround(std::clamp(*rating, 0.0, 99.0)))))
            d.setTag(F::inoubliable, *mark);
        else
            ++ratings_;
    }
    std::string text;
    for (pugi::xml_node para : children(lastChild(after, "notes", false), "para", false)) {
        if (!text.empty()) text += '\n';
        text += para.child_value();
    }
    if (!text.empty()) d.setText(F::notes, text);

    extraTanks_ += tanks.size() > 2;
    const std::size_t kept =
        (gasRef.empty() ? 0 : 1) + (secondRef.empty() || secondRef == gasRef ? 0 : 1);
    extraMixes_ += !roles && mixesUsed.size() > kept;
    unknownMixes_ += unknownMix;
    otherTankPressures_ += otherTank;
    badDepths_ += badDepth;
    for (std::size_t i = 0; i < kSensors.size(); ++i)
        if (sensors >> i & 1u) {
            auto it = sensors_.find(kSensors[i]);
            if (it == sensors_.end()) it = sensors_.emplace(std::string(kSensors[i]), 0).first;
            ++it->second;
        }
    return anyWaypoint;
}

void UddfDiveReader::report(std::vector<std::string>& notes) const {
    if (extraTanks_)
        notes.push_back(
            diveCount(extraTanks_) +
            " had more than two tanks: the logbook keeps two, the others were left out");
    if (extraMixes_)
        notes.push_back(
            diveCount(extraMixes_) +
            " breathed more mixes than the two the logbook keeps: the others were left out");
    if (unknownMixes_)
        notes.push_back(diveCount(unknownMixes_) + " switched to a mix the file does not define");
    if (otherTankPressures_)
        notes.push_back(diveCount(otherTankPressures_) +
                        " had pressure readings of further tanks: left out");
    if (badDepths_)
        notes.push_back(diveCount(badDepths_) + " had samples without a usable depth: left out");
    if (empty_)
        notes.push_back(std::to_string(empty_) +
                        (empty_ == 1 ? " dive element held" : " dive elements held") +
                        " no date, depth, duration or sample: skipped, as no dive");
    if (repeated_)
        notes.push_back(diveCount(repeated_) +
                        " had samples written again at the same time: the last of each was kept");
    if (fileOrder_)
        notes.push_back(diveCount(fileOrder_) +
                        " had sample times that went backwards or were missing: "
                        "their samples were kept one each in file order");
    numbers_.report(notes);
    if (cut_)
        notes.push_back(diveCount(cut_) +
                        " had samples too far apart to keep whole: the end was cut");
    if (ratings_)
        notes.push_back(diveCount(ratings_) + " had a rating that names no mark: left out");
    if (!sensors_.empty()) {
        std::string line = "readings the logbook has no field for were left out:";
        for (const auto& [name, count] : sensors_)
            line += " " + name + " (" + diveCount(count) + "),";
        line.pop_back();
        notes.push_back(std::move(line));
    }
}

}  // namespace divelog
