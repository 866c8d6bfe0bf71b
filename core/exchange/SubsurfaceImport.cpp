#include "exchange/SubsurfaceImport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "exchange/GpsPosition.h"
#include "exchange/ImportRules.h"
#include "exchange/WaypointProfile.h"
#include "exchange/XmlBlockScanner.h"
#include "exchange/XmlBlockTree.h"
#include "exchange/XmlReading.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using F = Plongee::Field;

constexpr std::array<std::string_view, 2> kSitePath = {"divesites", "site"};
constexpr std::array<std::string_view, 2> kTripDivePath = {"trip", "dive"};
// Below `dives` in a `divelog` root, or the older `dives` root itself.
constexpr std::array<std::string_view, 1> kDivePath = {"dive"};
constexpr std::array<XmlBlockScanner::Path, 3> kPaths = {kSitePath, kTripDivePath, kDivePath};
constexpr std::size_t kSiteBlock = 0, kTripDiveBlock = 1;

constexpr double kLongestDive = 30 * 86400.0;  // seconds; a time past this is damage
// What the report names of a file's own words: short, and not too many.
constexpr std::size_t kLongestName = 32, kMostNames = 48;

std::string_view trim(std::string_view t) { return trimmedXml(t); }

std::string lower(std::string_view t) {
    std::string out(t);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool is(const char* name, const char* expected) {
    return name[0] == expected[0] && std::strcmp(name, expected) == 0;
}

// Seconds of a duration or a time: "32:56 min", "45 min", "1:02:03", "30 s",
// "1.5 h"; a number without a unit counts minutes, as the file's own "m:ss".
std::optional<double> secondsOf(std::string_view text) {
    text = trim(text);
    std::array<double, 3> parts{};
    std::size_t count = 0;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (count < parts.size()) {
        // Whole numbers by hand, the usual "m:ss"; a fraction by the library.
        const char* digit = at;
        double v = 0;
        while (digit != end && *digit >= '0' && *digit <= '9' && digit - at < 9)
            v = v * 10 + (*digit++ - '0');
        if (digit == at || (digit != end && (*digit == '.' || *digit == 'e' || *digit == 'E' ||
                                             (*digit >= '0' && *digit <= '9')))) {
            const auto r = std::from_chars(at, end, v);
            if (r.ec != std::errc() || !std::isfinite(v) || v < 0) return std::nullopt;
            digit = r.ptr;
        }
        parts[count++] = v;
        at = digit;
        if (at == end || *at != ':') break;
        ++at;
    }
    const std::string_view rest = trim(std::string_view(at, static_cast<std::size_t>(end - at)));
    // Nearly every time is in minutes: no copy for those.
    const std::string unit = rest == "min" ? std::string() : lower(rest);
    double seconds = 0;
    if (count == 1) {
        const double v = parts[0];
        if (unit.empty() || unit == "min" || unit == "mins" || unit == "minutes")
            seconds = v * 60;
        else if (unit == "s" || unit == "sec" || unit == "seconds")
            seconds = v;
        else if (unit == "h" || unit == "hours")
            seconds = v * 3600;
        else
            return std::nullopt;
    } else if (count == 2) {
        if (unit == "h")
            seconds = parts[0] * 3600 + parts[1] * 60;
        else if (unit.empty() || unit == "min")
            seconds = parts[0] * 60 + parts[1];
        else
            return std::nullopt;
    } else {
        if (!unit.empty() && unit != "h" && unit != "min") return std::nullopt;
        seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
    }
    if (seconds > kLongestDive) return std::nullopt;
    return seconds;
}

// A fraction of a percentage: "32.0%" is 0.32.
std::optional<double> percentOf(std::string_view text) {
    const auto v = leadingNumber(text);
    if (!v || *v < 0 || *v > 100) return std::nullopt;
    return *v / 100;
}

// "47.400200 -123.142299": decimal degrees, north and east positive.
std::optional<GpsPosition> positionOf(std::string_view text) {
    text = trim(text);
    const auto lat = leadingNumber(text);
    const std::size_t gap = text.find_first_of(" \t,");
    if (!lat || gap == std::string_view::npos) return std::nullopt;
    const auto lon = leadingNumber(trim(text.substr(gap + 1)));
    if (!lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) return std::nullopt;
    if (*lat == 0 && *lon == 0) return std::nullopt;  // the file's "no position"
    return GpsPosition{*lat, *lon};
}

std::string decimal(double v) { return decimalText(std::clamp(v, -1e9, 1e9)); }

struct Site {
    std::string name, country, notes;
    std::optional<GpsPosition> position;
    bool regions = false;  // region names beside the country
};
using Sites = std::unordered_map<std::string, Site>;

std::string siteKey(std::string_view uuid) {
    std::string key = lower(trim(uuid));
    if (key.rfind("0x", 0) == 0) key.erase(0, 2);
    return key;
}

void readSite(pugi::xml_node site, Sites& sites) {
    Site s;
    s.name = trim(site.attribute("name").value());
    s.position = positionOf(site.attribute("gps").value());
    for (pugi::xml_node c = site.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        if (is(c.name(), "notes")) {
            s.notes = textOf(c);
        } else if (is(c.name(), "geo")) {
            // Category 2 names the country; the others, its regions.
            const std::string_view value = trim(c.attribute("value").value());
            if (value.empty()) continue;
            if (leadingInteger(c.attribute("cat").value()) == 2)
                s.country = value;
            else
                s.regions = true;
        }
    }
    sites[siteKey(site.attribute("uuid").value())] = std::move(s);
}

// Tags that name one of the logbook's dive types; "night" is a switch of its own.
std::optional<std::int32_t> diveTypeOfTag(std::string_view tag) {
    struct Named {
        std::string_view tag;
        std::int32_t code;
    };
    static constexpr Named kTypes[] = {
        {"wreck", 0},   {"cave", 5},     {"cavern", 5},    {"photo", 3},        {"video", 6},
        {"drift", 9},   {"ice", 10},     {"training", 11}, {"course", 11},      {"student", 11},
        {"quarry", 13}, {"work", 7},     {"biology", 12},  {"recreational", 1}, {"deco", 4},
        {"tek", 4},     {"technical", 4}};
    for (const Named& n : kTypes)
        if (n.tag == tag) return n.code;
    return std::nullopt;
}

// A suit's text as one of the logbook's suits; none for another text.
std::optional<std::int32_t> suitCode(std::string_view text) {
    const std::string t = lower(text);
    auto has = [&](std::string_view w) { return t.find(w) != std::string::npos; };
    if (has("semi")) return 4;
    if (has("dry")) return 1;
    if (has("shorty")) return 2;
    if (has("t-shirt") || has("tshirt") || has("rash")) return 5;
    if (has("tropical") || has("skin")) return 6;
    if (t == "none" || has("no suit")) return 3;
    if (has("wet") || has("mm")) return 0;
    return std::nullopt;
}

// Stars 0 to 5 as the logbook's visibility, best first; none for 0 (not rated).
std::optional<std::int32_t> visibilityOfStars(std::int64_t stars) {
    static constexpr std::int32_t kCodes[] = {0, 4, 3, 2, 1, 0};  // index: stars
    if (stars < 1 || stars > 5) return std::nullopt;
    return kCodes[stars];
}

struct Cylinder {
    double o2 = 0.21, he = 0;
    std::optional<double> litres, workingBar, startBar, endBar;
    std::string use;
};

struct Event {
    double seconds;
    int alarm = -1;     // ASC, SLOW, SURF, CEIL slot
    int cylinder = -1;  // a gas change to this cylinder of the file
    std::optional<double> o2;
};

class DiveReader {
public:
    DiveReader(const Sites& sites, const ReadContext& context) : sites_(sites), context_(context) {}

    std::optional<DiveDraft> read(pugi::xml_node dive, std::string_view tripLocation,
                                  std::vector<std::string>& notes);
    void report(std::vector<std::string>& notes) const;
    std::size_t skipped() const { return empty_; }

private:
    void leftOut(std::string what);
    void readComputer(pugi::xml_node computer, bool ownElement, DiveDraft& d,
                      const std::vector<Cylinder>& cylinders, std::array<int, 2> slots,
                      std::optional<double>& deepest, std::optional<double>& lastTime,
                      std::optional<double>& lowestTemp, std::optional<double>& firstBar,
                      std::optional<double>& lastBar);

    const Sites& sites_;
    const ReadContext& context_;
    QuantityReader numbers_;
    std::map<std::string, std::size_t, std::less<>> leftOut_;  // what -> dives
    std::vector<std::string> thisDive_;
    std::size_t empty_ = 0, extraCylinders_ = 0, otherComputers_ = 0, unknownSites_ = 0,
                suitsInNotes_ = 0, masters_ = 0, ratings_ = 0, fileOrder_ = 0, repeated_ = 0,
                cut_ = 0, badDepths_ = 0, extraGases_ = 0, otherPressures_ = 0;
};

void DiveReader::leftOut(std::string what) {
    if (std::find(thisDive_.begin(), thisDive_.end(), what) != thisDive_.end()) return;
    if (!leftOut_.count(what) && leftOut_.size() >= kMostNames) what = "other values";
    thisDive_.push_back(what);
    ++leftOut_[what];
}

// A name of the file fit for the report: printable, short.
std::string reportName(std::string_view name) {
    std::string out;
    for (char c : name.substr(0, kLongestName))
        out += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return out;
}

std::optional<DiveDraft> DiveReader::read(pugi::xml_node dive, std::string_view tripLocation,
                                          std::vector<std::string>& notes) {
    thisDive_.clear();
    DiveDraft d;
    ImportRules::unrecordedConditions(d);

    bool anything = false;
    std::optional<double> duration;
    std::string_view date, time;
    const Site* site = nullptr;
    for (pugi::xml_attribute a = dive.first_attribute(); a; a = a.next_attribute()) {
        const char* name = a.name();
        const std::string_view value = trim(a.value());
        if (is(name, "date")) {
            date = value;
        } else if (is(name, "time")) {
            time = value;
        } else if (is(name, "duration")) {
            duration = secondsOf(value);
        } else if (is(name, "number")) {
            // The logbook numbers its imported dives after its own.
        } else if (is(name, "divesiteid")) {
            const auto it = sites_.find(siteKey(value));
            if (it != sites_.end())
                site = &it->second;
            else
                ++unknownSites_;
        } else if (is(name, "rating")) {
            const auto stars = leadingInteger(value).value_or(0);
            if (stars == 5)
                d.setTag(F::inoubliable, 1);  // a favourite
            else if (stars == 4)
                d.setTag(F::inoubliable, 2);  // noteworthy
            else if (stars > 0)
                ++ratings_;
        } else if (is(name, "visibility")) {
            if (auto code = visibilityOfStars(leadingInteger(value).value_or(0)))
                d.setTag(F::visibilite, *code);
        } else if (is(name, "tags")) {
            bool typed = false;
            for (std::size_t from = 0; from <= value.size();) {
                std::size_t comma = value.find(',', from);
                if (comma == std::string_view::npos) comma = value.size();
                const std::string tag = lower(trim(value.substr(from, comma - from)));
                from = comma + 1;
                if (tag.empty()) continue;
                if (tag == "night") {
                    d.setSwitch(F::nocturne, true);
                } else if (auto code = diveTypeOfTag(tag); code && !typed) {
                    d.setTag(F::typePlongee, *code);
                    typed = true;
                } else {
                    leftOut("tag \"" + reportName(tag) + "\"");
                }
            }
        } else {
            leftOut(reportName(name));  // sac, otu, cns, watersalinity, ...
        }
    }
    if (!date.empty()) {
        anything = true;
        ImportRules::dateTimeText(
            d, time.empty() ? std::string(date) : std::string(date) + "T" + std::string(time),
            notes);
    }

    // The first dive computer is the dive's record; an old file writes its
    // values in the dive itself.
    pugi::xml_node computer;
    for (pugi::xml_node c = dive.child("divecomputer"); c; c = c.next_sibling("divecomputer")) {
        if (!computer)
            computer = c;
        else {
            ++otherComputers_;
            break;
        }
    }
    const bool ownElement = !computer;
    if (ownElement) computer = dive;

    std::vector<Cylinder> cylinders;
    std::string buddies, master, suitNote, notesText, location;
    std::optional<GpsPosition> position;
    std::optional<double> weight;
    for (pugi::xml_node c = dive.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const char* name = c.name();
        if (is(name, "buddy")) {
            for (std::string_view all = c.child_value(); !all.empty();) {
                const std::size_t comma = std::min(all.find(','), all.size());
                const std::string_view one = trim(all.substr(0, comma));
                if (!one.empty()) buddies += (buddies.empty() ? "" : ", ") + std::string(one);
                all.remove_prefix(std::min(comma + 1, all.size()));
            }
        } else if (is(name, "divemaster")) {
            master = trim(c.child_value());
        } else if (is(name, "notes")) {
            notesText = c.child_value();
        } else if (is(name, "suit")) {
            const std::string_view suit = trim(c.child_value());
            if (auto code = suitCode(suit))
                d.setTag(F::combinaison, *code);
            else if (!suit.empty()) {
                suitNote = "Suit: " + std::string(suit);
                ++suitsInNotes_;
            }
        } else if (is(name, "cylinder")) {
            Cylinder cyl;
            if (auto o2 = percentOf(c.attribute("o2").value())) cyl.o2 = *o2;
            if (auto he = percentOf(c.attribute("he").value())) cyl.he = *he;
            if (pugi::xml_attribute w = c.attribute("workpressure"))
                cyl.workingBar = numbers_.pressure(w.value());
            if (pugi::xml_attribute s = c.attribute("size"))
                cyl.litres = numbers_.volume(s.value(), cyl.workingBar);
            if (pugi::xml_attribute s = c.attribute("start"))
                cyl.startBar = numbers_.pressure(s.value());
            if (pugi::xml_attribute e = c.attribute("end"))
                cyl.endBar = numbers_.pressure(e.value());
            cyl.use = lower(trim(c.attribute("use").value()));
            if (!trim(c.attribute("description").value()).empty()) leftOut("cylinder descriptions");
            cylinders.push_back(std::move(cyl));
        } else if (is(name, "weightsystem")) {
            if (pugi::xml_attribute w = c.attribute("weight"))
                if (auto kg = numbers_.mass(w.value()); kg && *kg >= 0 && *kg < 1000)
                    weight = weight.value_or(0) + *kg;
        } else if (is(name, "location")) {
            location = trim(c.child_value());
            if (!position) position = positionOf(c.attribute("gps").value());
        } else if (is(name, "gps")) {
            position = positionOf(c.attribute("lat") ? std::string(c.attribute("lat").value()) +
                                                           " " + c.attribute("lon").value()
                                                     : std::string(c.child_value()));
        } else if (is(name, "divecomputer")) {
        } else if (ownElement && (is(name, "depth") || is(name, "temperature") ||
                                  is(name, "event") || is(name, "sample") || is(name, "surface"))) {
        } else {
            leftOut(reportName(name));
        }
    }

    // Cylinders 1 and 2 of the logbook: the file's first two; with a closed
    // circuit, the oxygen and the diluent.
    const std::string_view dctype = trim(computer.attribute("dctype").value());
    const bool closed = dctype == "CCR";
    if (closed) d.setTag(F::rebreather, 3);
    if (dctype == "PSCR") d.setTag(F::rebreather, 1);
    std::array<int, 2> slots = {-1, -1};
    const int n = static_cast<int>(cylinders.size());
    if (closed) {
        for (int i = 0; i < n; ++i) {
            if (cylinders[static_cast<std::size_t>(i)].use == "oxygen" && slots[0] < 0)
                slots[0] = i;
            if (cylinders[static_cast<std::size_t>(i)].use == "diluent" && slots[1] < 0)
                slots[1] = i;
        }
        for (int i = 0; i < n; ++i)
            for (int& s : slots)
                if (s < 0 && i != slots[0] && i != slots[1]) {
                    s = i;
                    break;
                }
    } else {
        if (n > 0) slots[0] = 0;
        if (n > 1) slots[1] = 1;
    }
    extraCylinders_ += n > 2;

    std::optional<double> deepest, lastTime, lowestTemp, firstBar, lastBar;
    readComputer(computer, ownElement, d, cylinders, slots, deepest, lastTime, lowestTemp, firstBar,
                 lastBar);
    if (!ownElement)
        if (pugi::xml_attribute model = computer.attribute("model"); !trim(model.value()).empty())
            d.setText(F::ordinateur, std::string(trim(model.value())));

    for (std::size_t k = 0; k < 2; ++k) {
        if (slots[k] < 0) continue;
        const Cylinder& cyl = cylinders[static_cast<std::size_t>(slots[k])];
        const int number = static_cast<int>(k) + 1;
        const ImportRules::Cylinder& fields = ImportRules::cylinder(number);
        ImportRules::gas(d, cyl.o2, cyl.he, number);
        if (cyl.litres && *cyl.litres >= 0 && *cyl.litres < 1000)
            d.setText(fields.volume, decimal(*cyl.litres));
        if (cyl.workingBar && *cyl.workingBar >= 0)
            d.setText(number == 1 ? DiveForm::TextField(F::pressionBloc)
                                  : DiveForm::TextField(F::pressionBloc_2),
                      decimal(*cyl.workingBar));
        // The samples' pressures are those of the file's first cylinder.
        const bool sampled = slots[k] == 0;
        double start = sampled ? firstBar.value_or(NAN) : NAN;
        double end = sampled ? lastBar.value_or(NAN) : NAN;
        if (cyl.startBar > 0.0) start = *cyl.startBar;
        if (cyl.endBar > 0.0) end = *cyl.endBar;
        if (std::isfinite(start)) d.setText(fields.start, decimal(start));
        if (std::isfinite(end)) d.setText(fields.end, decimal(end));
    }

    // Where: the dive site, else the old file's location.
    std::string siteName = site ? site->name : location;
    if (site) {
        if (!site->country.empty()) d.setText(F::pays, site->country);
        if (site->position) position = site->position;
        if (!site->notes.empty()) leftOut("site notes");
        if (site->regions) leftOut("site regions");
    }
    if (!siteName.empty()) {
        auto [siteText, place] = ImportRules::siteAndPlace(siteName, context_);
        if (place.empty()) place = trim(tripLocation);
        if (!siteText.empty()) d.setText(F::site, std::move(siteText));
        if (!place.empty()) d.setText(F::lieu, std::move(place));
    } else if (!trim(tripLocation).empty()) {
        d.setText(F::lieu, std::string(trim(tripLocation)));
    }
    if (position) {
        d.setText(F::gps, position->text());
        d.setTag(F::gpsSystem, NewDiveCodes::kGpsSystem);
    }
    if (!master.empty() && buddies.find(master) == std::string::npos) {
        buddies += (buddies.empty() ? "" : ", ") + master;
        ++masters_;
    }
    if (!buddies.empty()) d.setText(F::partenaires, buddies);
    if (!suitNote.empty()) notesText += (notesText.empty() ? "" : "\n") + suitNote;
    if (!notesText.empty()) d.setText(F::notes, notesText);
    if (weight)
        d.setText(F::lestage, decimal(std::round(*weight * 100) / 100));  // a scale's reading

    if (deepest) d.setText(F::profondeur, decimal(*deepest));
    if (!duration && !ownElement) duration = secondsOf(computer.attribute("duration").value());
    if (auto seconds = duration ? duration : lastTime)
        d.setText(F::temps, integerText(std::llround(std::max(0.0, *seconds / 60))));
    anything = anything || deepest || duration || d.profile;
    if (!anything) {
        ++empty_;
        return std::nullopt;
    }
    return d;
}

void DiveReader::readComputer(pugi::xml_node computer, bool ownElement, DiveDraft& d,
                              const std::vector<Cylinder>& cylinders, std::array<int, 2> slots,
                              std::optional<double>& deepest, std::optional<double>& lastTime,
                              std::optional<double>& lowestTemp, std::optional<double>& firstBar,
                              std::optional<double>& lastBar) {
    std::vector<Waypoint> points;
    std::vector<Event> events;
    std::optional<double> water, air;
    // Readings of the samples that the logbook keeps no series for.
    static constexpr std::array<const char*, 14> kReadings = {
        "ndl",     "tts",     "stoptime", "stopdepth", "in_deco", "cns", "po2",
        "sensor1", "sensor2", "sensor3",  "heartbeat", "bearing", "rbt", "setpoint"};
    std::uint32_t readings = 0;
    bool otherReadings = false, badDepth = false;
    double lastDepth = 0;
    for (pugi::xml_node c = computer.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const char* name = c.name();
        if (is(name, "sample")) {
            Waypoint p;
            p.metres = lastDepth;
            for (pugi::xml_attribute a = c.first_attribute(); a; a = a.next_attribute()) {
                const char* an = a.name();
                if (is(an, "time")) {
                    if (auto s = secondsOf(a.value())) p.seconds = *s;
                } else if (is(an, "depth")) {
                    const auto m = numbers_.depth(a.value());
                    if (m && ImportRules::plausibleDepth(*m))
                        p.metres = lastDepth = *m;
                    else
                        badDepth = true;
                } else if (is(an, "temp")) {
                    if (auto t = numbers_.temperature(a.value()); t && std::isfinite(*t))
                        lowestTemp = std::min(lowestTemp.value_or(*t), *t);
                } else if (is(an, "pressure")) {
                    if (auto bar = numbers_.pressure(a.value()); bar && *bar >= 0 && *bar < 1e4) {
                        p.bar = *bar;
                        if (!firstBar) firstBar = *bar;
                        lastBar = *bar;
                    }
                } else {
                    std::size_t k = 0;
                    while (k < kReadings.size() && !is(an, kReadings[k])) ++k;
                    if (k < kReadings.size())
                        readings |= 1u << k;
                    else
                        otherReadings = true;
                }
            }
            points.push_back(p);
        } else if (is(name, "event")) {
            const auto at = secondsOf(c.attribute("time").value());
            if (!at) continue;
            Event e{*at};
            const std::string what = lower(trim(c.attribute("name").value()));
            if (what == "gaschange") {
                if (auto i = leadingInteger(c.attribute("cylinder").value());
                    i && *i >= 0 && *i < static_cast<std::int64_t>(cylinders.size()))
                    e.cylinder = static_cast<int>(*i);
                else if (auto v = leadingNumber(c.attribute("value").value());
                         v && *v > 0 && *v <= 100)
                    e.o2 = *v / 100;
                else
                    continue;
            } else if (what == "deco") {
                e.alarm = 0;
            } else if (what == "ascent") {
                e.alarm = 1;
            } else if (what == "surface") {
                e.alarm = 2;
            } else if (what == "violation" || what == "ceiling") {
                e.alarm = 3;
            } else {
                leftOut("\"" + reportName(what) + "\" events");
                continue;
            }
            events.push_back(e);
        } else if (is(name, "depth")) {
            if (auto m = numbers_.depth(c.attribute("max").value());
                m && ImportRules::plausibleDepth(*m))
                deepest = *m;
            if (c.attribute("mean")) leftOut("mean depths");
        } else if (is(name, "temperature")) {
            if (pugi::xml_attribute w = c.attribute("water"))
                water = numbers_.temperature(w.value());
            if (pugi::xml_attribute a = c.attribute("air")) air = numbers_.temperature(a.value());
        } else if (is(name, "surface")) {
            if (c.attribute("pressure")) leftOut("surface pressures");
        } else if (!ownElement) {
            leftOut(reportName(name));
        }
    }
    if (!water) water = lowestTemp;
    if (water && std::isfinite(*water)) d.setText(F::tempEau, decimal(*water));
    if (air && std::isfinite(*air)) d.setText(F::tempAir, decimal(*air));
    for (std::size_t k = 0; k < kReadings.size(); ++k)
        if (readings >> k & 1u) leftOut(std::string(kReadings[k]) + " readings");
    if (otherReadings) leftOut("other sample readings");
    badDepths_ += badDepth;
    if (slots[0] != 0 && firstBar) {
        // The samples' pressures are not those of the logbook's cylinder 1.
        ++otherPressures_;
        for (Waypoint& p : points) p.bar = NAN;
    }
    if (points.empty()) return;

    // Events go to the sample at their time, or the first after it.
    std::vector<std::pair<double, double>> stopMixes;  // (o2, he) of deco gases 1 to 5
    bool extraGas = false;
    auto gasCode = [&](const Event& e, bool atStart) -> std::int32_t {
        double o2 = e.o2.value_or(0), he = 0;
        if (e.cylinder >= 0) {
            if (e.cylinder == slots[0]) return atStart ? 0 : 1;
            o2 = cylinders[static_cast<std::size_t>(e.cylinder)].o2;
            he = cylinders[static_cast<std::size_t>(e.cylinder)].he;
        } else if (slots[0] >= 0) {
            const Cylinder& first = cylinders[static_cast<std::size_t>(slots[0])];
            if (gas::wholePercent(first.o2) == gas::wholePercent(o2)) return atStart ? 0 : 1;
        }
        const auto same = [&](const std::pair<double, double>& m) {
            return gas::wholePercent(m.first) == gas::wholePercent(o2) &&
                   gas::wholePercent(m.second) == gas::wholePercent(he);
        };
        auto it = std::find_if(stopMixes.begin(), stopMixes.end(), same);
        if (it == stopMixes.end()) {
            if (stopMixes.size() == 5) {
                extraGas = true;
                return 0;
            }
            stopMixes.emplace_back(o2, he);
            it = stopMixes.end() - 1;
        }
        return static_cast<std::int32_t>(it - stopMixes.begin()) + 2;
    };
    const bool rising =
        std::is_sorted(points.begin(), points.end(),
                       [](const auto& a, const auto& b) { return a.seconds < b.seconds; });
    for (const Event& e : events) {
        std::size_t at = points.size() - 1;
        if (rising) {
            const auto it =
                std::lower_bound(points.begin(), points.end(), e.seconds,
                                 [](const Waypoint& p, double t) { return p.seconds < t; });
            if (it != points.end()) at = static_cast<std::size_t>(it - points.begin());
        } else {
            for (std::size_t i = 0; i < points.size(); ++i)
                if (points[i].seconds >= e.seconds) {
                    at = i;
                    break;
                }
        }
        if (e.alarm >= 0)
            points[at].alarms[static_cast<std::size_t>(e.alarm)] = 1;
        else
            points[at].gas = gasCode(e, at == 0);
    }
    extraGases_ += extraGas;
    static constexpr std::array<DiveForm::TextField, 5> kStopO2 = {
        F::decoO2_Level_1, F::decoO2_Level_2, F::decoO2_Level_3, F::decoO2_Level_4,
        F::decoO2_Level_5};
    static constexpr std::array<DiveForm::TextField, 5> kStopHe = {
        F::decoHe_Level_1, F::decoHe_Level_2, F::decoHe_Level_3, F::decoHe_Level_4,
        F::decoHe_Level_5};
    for (std::size_t k = 0; k < stopMixes.size(); ++k) {
        d.setText(kStopO2[k], integerText(gas::wholePercent(stopMixes[k].first)));
        d.setText(kStopHe[k], integerText(gas::wholePercent(stopMixes[k].second)));
    }

    // The greatest depth the computer wrote, else the samples'.
    const bool written = deepest.has_value();
    for (const Waypoint& p : points) {
        if (std::isfinite(p.seconds)) lastTime = std::max(lastTime.value_or(p.seconds), p.seconds);
        if (!written) deepest = std::max(deepest.value_or(p.metres), p.metres);
    }
    if (auto profile = WaypointProfile::of(std::move(points))) {
        if (profile->samplingCode) d.setTag(F::samplingRate, *profile->samplingCode);
        repeated_ += profile->repeated > 0;
        fileOrder_ += profile->inFileOrder;
        cut_ += profile->cut;
        d.profile = std::move(profile->series);
    }
}

void DiveReader::report(std::vector<std::string>& notes) const {
    if (empty_)
        notes.push_back(std::to_string(empty_) +
                        (empty_ == 1 ? " dive element held" : " dive elements held") +
                        " no date, depth, duration or sample: skipped, as no dive");
    if (unknownSites_)
        notes.push_back(diveCount(unknownSites_) + " named a dive site the file does not hold");
    if (extraCylinders_)
        notes.push_back(diveCount(extraCylinders_) +
                        " had more than two cylinders: the logbook keeps two, the others were "
                        "left out (their gases kept as deco gases where the dive changed to them)");
    if (extraGases_)
        notes.push_back(diveCount(extraGases_) +
                        " changed to more gases than the five deco gases the logbook keeps: "
                        "the others were left out");
    if (otherPressures_)
        notes.push_back(diveCount(otherPressures_) +
                        " had sample pressures of a cylinder other than the logbook's first: "
                        "left out");
    if (otherComputers_)
        notes.push_back(diveCount(otherComputers_) +
                        " had a second dive computer: the first one's record was kept");
    if (masters_) notes.push_back(diveCount(masters_) + " had a dive master: added to the buddies");
    if (suitsInNotes_)
        notes.push_back(diveCount(suitsInNotes_) +
                        " had a suit that names none of the logbook's suits: kept in the notes");
    if (ratings_)
        notes.push_back(diveCount(ratings_) +
                        " had a rating of 1 to 3 stars, which names no mark: "
                        "left out");
    if (badDepths_)
        notes.push_back(diveCount(badDepths_) +
                        " had samples without a usable depth: the depth before was kept");
    if (repeated_)
        notes.push_back(diveCount(repeated_) +
                        " had samples written again at the same time: the last of each was kept");
    if (fileOrder_)
        notes.push_back(diveCount(fileOrder_) +
                        " had sample times that went backwards or were missing: "
                        "their samples were kept one each in file order");
    if (cut_)
        notes.push_back(diveCount(cut_) +
                        " had samples too far apart to keep whole: the end was cut");
    numbers_.report(notes);
    if (!leftOut_.empty()) {
        std::string line = "what the logbook has no field for was left out:";
        for (const auto& [what, count] : leftOut_)
            line += " " + what + " (" + diveCount(count) + "),";
        line.pop_back();
        notes.push_back(std::move(line));
    }
}

// The dives below a `dives` element, in trips or not, in document order.
template <typename Each>
void eachDive(pugi::xml_node divesElement, const Each& each) {
    for (pugi::xml_node c = divesElement.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        if (is(c.name(), "dive")) {
            each(c, std::string_view());
        } else if (is(c.name(), "trip")) {
            const std::string_view location = c.attribute("location").value();
            for (pugi::xml_node dive = c.child("dive"); dive; dive = dive.next_sibling("dive"))
                each(dive, location);
        }
    }
}

ImportResult readWhole(std::span<const std::uint8_t> bytes, const ReadContext& context) {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportNotXml(xml, result);
    if (!result.readable) return result;
    const pugi::xml_node root = xml.document.document_element();
    Sites sites;
    for (pugi::xml_node site : elementsUnder(xml.document, "divesites", "site", false))
        readSite(site, sites);
    DiveReader reader(sites, context);
    auto each = [&](pugi::xml_node dive, std::string_view trip) {
        if (auto d = reader.read(dive, trip, result.notes)) result.dives.push_back(std::move(*d));
    };
    if (is(root.name(), "dives"))
        eachDive(root, each);
    else
        for (pugi::xml_node dives = root.child("dives"); dives; dives = dives.next_sibling("dives"))
            eachDive(dives, each);
    if (!xml.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, xml.errorOffset, result.dives.size()));
    result.skipped += reader.skipped();
    reader.report(result.notes);
    return result;
}

// The location of the trip whose start tag stands last in `gap` (the text
// between two dives); none when that trip closes there too.
std::optional<std::string> tripIn(std::string_view gap, pugi::xml_document& doc,
                                  std::vector<char>& buffer) {
    std::size_t open = std::string_view::npos;
    for (std::size_t at = gap.find("<trip"); at != std::string_view::npos;
         at = gap.find("<trip", at + 1))
        if (at + 5 < gap.size() &&
            (std::isspace(static_cast<unsigned char>(gap[at + 5])) || gap[at + 5] == '>'))
            open = at;
    const std::size_t close = gap.rfind("</trip");
    if (close != std::string_view::npos && (open == std::string_view::npos || close > open))
        return std::string();
    if (open == std::string_view::npos) return std::nullopt;
    std::size_t end = gap.find('>', open);
    if (end == std::string_view::npos) return std::nullopt;
    if (end > open && gap[end - 1] == '/') --end;
    buffer.assign(gap.begin() + static_cast<std::ptrdiff_t>(open),
                  gap.begin() + static_cast<std::ptrdiff_t>(end));
    for (char c : std::string_view("/>")) buffer.push_back(c);
    doc.load_buffer_inplace(buffer.data(), buffer.size(), kXmlParseOptions, pugi::encoding_utf8);
    return std::string(doc.document_element().attribute("location").value());
}

}  // namespace

ImportResult SubsurfaceImport::read(std::span<const std::uint8_t> bytes,
                                    const ReadContext& context) const {
    if (!XmlBlockScanner::cuttable(bytes)) return readWhole(bytes, context);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const XmlBlockScanner::Result scan = XmlBlockScanner::scan(text, kPaths);
    ImportResult result;
    if (!scan.anyElement) {
        result.readable = false;
        result.notes.emplace_back("the file is not XML");
        return result;
    }
    XmlBlockTree blocks(text, scan, result.notes);
    auto parse = [&](const XmlBlockScanner::Block& b) { return blocks.parse(b); };
    // The sites first, wherever they stand: dives name them by id.
    Sites sites;
    for (const auto& b : scan.blocks)
        if (b.path == kSiteBlock) readSite(parse(b), sites);
    DiveReader reader(sites, context);
    std::string trip;
    std::size_t after = 0;  // the end of the dive before
    pugi::xml_document tripTree;
    std::vector<char> tripBuffer;
    for (const auto& b : scan.blocks) {
        if (b.path == kSiteBlock) continue;
        if (auto found = tripIn(text.substr(after, b.begin - std::min(after, b.begin)), tripTree,
                                tripBuffer))
            trip = std::move(*found);
        after = b.end;
        const std::string_view location = b.path == kTripDiveBlock ? trip : std::string_view();
        if (auto d = reader.read(parse(b), location, result.notes))
            result.dives.push_back(std::move(*d));
    }
    if (!scan.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, scan.errorOffset, result.dives.size()));
    result.skipped += reader.skipped();
    reader.report(result.notes);
    return result;
}

}  // namespace divelog
