#include "exchange/ImportRules.h"

#include <cctype>
#include <cmath>
#include <span>
#include <utility>

#include "dive/DiveChoices.h"
#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/Units.h"
#include "exchange/XmlReading.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

namespace {
using F = Plongee::Field;
constexpr ImportRules::Cylinder kCylinders[] = {
    {F::gaz, F::o2Mix, F::heMix, F::volumeBloc, F::pressionDepart, F::pressionFin},
    {F::gaz_2, F::o2Mix_2, F::heMix_2, F::volumeBloc_2, F::pressionDepart_2, F::pressionFin_2}};
}  // namespace

const ImportRules::Cylinder& ImportRules::cylinder(int number) {
    return kCylinders[number == 2 ? 1 : 0];
}

void ImportRules::unrecordedConditions(DiveDraft& dive) {
    using F = Plongee::Field;
    dive.setTag(F::meteo, NewDiveCodes::kWeather);
    dive.setTag(F::courant, NewDiveCodes::kCurrent);
    dive.setTag(F::visibilite, NewDiveCodes::kVisibility);
    dive.setTag(F::typePlongee, NewDiveCodes::kDiveType);
}

void ImportRules::gas(DiveDraft& dive, double o2Fraction, double heFraction, int number,
                      std::string_view name) {
    const Cylinder& c = cylinder(number);
    const std::int64_t o = gas::wholePercent(o2Fraction), h = gas::wholePercent(heFraction);
    if (const auto code = gas::codeOfNamedMix(name, o, h)) dive.setTag(c.gas, *code);
    dive.setText(c.o2, integerText(o));
    dive.setText(c.he, integerText(h));
}

void ImportRules::dateAndTime(DiveDraft& dive, pugi::xml_node date, pugi::xml_node time,
                              bool anyCase, std::vector<std::string>& notes) {
    auto part = [&](pugi::xml_node parent, std::string_view name) -> std::optional<std::int64_t> {
        pugi::xml_node e = lastChild(parent, name, anyCase);
        if (!e) return std::nullopt;
        return leadingInteger(textOf(e)).value_or(0);
    };
    const std::int64_t hour = time ? part(time, "hour").value_or(0) : 0;
    const std::int64_t minute = time ? part(time, "minute").value_or(0) : 0;
    if (date) {
        auto day = calendarDate(part(date, "year").value_or(0), part(date, "month").value_or(0),
                                part(date, "day").value_or(0), hour, minute);
        if (!day) {
            notes.emplace_back("a date that does not exist was left as it was");
            return;
        }
        dive.setDate(F::date, *day);
    }
    if (time) {
        auto at = calendarDate(2001, 1, 1, hour, minute);
        if (!at) {
            notes.emplace_back("a time of day that does not exist was left as it was");
            return;
        }
        dive.setDate(F::heure, *at);
    }
}

std::optional<std::int32_t> ImportRules::samplingCode(std::int64_t seconds) {
    switch (seconds) {
        case 1: return 6;
        case 4: return 5;
        case 5: return 7;
        case 10: return 0;
        case 20: return 1;
        case 30: return 2;
        case 60: return 3;
        case 120: return 4;
        default: return std::nullopt;
    }
}

namespace {

// Digits at `at`, exactly `count` of them; advances past them.
std::optional<std::int64_t> digits(std::string_view text, std::size_t& at, std::size_t count) {
    if (at + count > text.size()) return std::nullopt;
    std::int64_t v = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    at += count;
    return v;
}

bool skip(std::string_view text, std::size_t& at, char c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

}  // namespace

bool ImportRules::dateTimeText(DiveDraft& dive, std::string_view text,
                               std::vector<std::string>& notes) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    std::size_t at = 0;
    // Extended ("2019-02-28") or basic ("20190228") form.
    const auto year = digits(text, at, 4);
    const bool extended = skip(text, at, '-');
    const auto month = digits(text, at, 2);
    if (extended && !skip(text, at, '-')) at = text.size();
    const auto day = digits(text, at, 2);
    if (!year || !month || !day) {
        if (!text.empty())
            notes.emplace_back("a date-time that could not be read was left as it was");
        return false;
    }
    std::int64_t hour = 0, minute = 0;
    bool hasTime = false;
    if (at < text.size() && (text[at] == 'T' || text[at] == 't' || text[at] == ' ')) {
        std::size_t t = at + 1;
        const auto h = digits(text, t, 2);
        const bool colon = skip(text, t, ':');
        const auto m = digits(text, t, 2);
        if (h && m && (colon || !extended)) {
            hour = *h;
            minute = *m;
            hasTime = true;
        }
    }
    // Seconds, a fraction and the zone play no part: the logbook keeps minutes.
    const auto when = calendarDate(*year, *month, *day, hour, minute);
    if (!when) {
        notes.emplace_back("a date that does not exist was left as it was");
        return false;
    }
    dive.setDate(F::date, *when);
    if (hasTime) dive.setDate(F::heure, *calendarDate(2001, 1, 1, hour, minute));
    return true;
}

std::int32_t ImportRules::nearestSamplingCode(double seconds) {
    // The table runs from the shortest interval up, so a tie keeps the shorter.
    std::int32_t best = 6;
    double bestDistance = INFINITY;
    for (const CodeMeaning& m : DiveCodes::table(Plongee::Field::samplingRate)->codes) {
        const double d = std::fabs(seconds - m.value);
        if (d < bestDistance) {
            bestDistance = d;
            best = m.code;
        }
    }
    return best;
}

std::optional<std::int32_t> ImportRules::choiceAt(Plongee::Field field, std::int64_t position) {
    static const Localisation none;
    const std::vector<Choice> items = DiveChoices::items(field, none);
    if (position < 0 || position >= static_cast<std::int64_t>(items.size())) return std::nullopt;
    return items[static_cast<std::size_t>(position)].tag;
}

bool ImportRules::plausibleDepth(double metres) {
    return std::isfinite(metres) && metres > -100 && metres < 10000;
}

}  // namespace divelog

namespace divelog {

namespace {

bool known(std::span<const std::string> list, std::string_view text) {
    for (const std::string& s : list)
        if (s == text) return true;
    return false;
}

// The leading number and what follows it, lower case, without blanks or a
// degree sign: "18 °C" gives 18 and "c".
std::optional<std::pair<double, std::string>> numberAndUnit(std::string_view text) {
    const auto v = leadingNumber(text);
    if (!v) return std::nullopt;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    // Past the number: sign, digits, point or comma, exponent.
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    while (at < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == '.'))
        ++at;
    if (at + 1 < text.size() && (text[at] == 'e' || text[at] == 'E') &&
        (std::isdigit(static_cast<unsigned char>(text[at + 1])) ||
         ((text[at + 1] == '-' || text[at + 1] == '+') && at + 2 < text.size() &&
          std::isdigit(static_cast<unsigned char>(text[at + 2]))))) {
        at += 2;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
    }
    // ASCII by hand: a sample's every value passes here, and the C
    // library's classification is a call per byte.
    std::string unit;
    for (std::string_view rest = text.substr(at); !rest.empty(); rest.remove_prefix(1)) {
        const auto c = static_cast<unsigned char>(rest.front());
        if (c == ' ' || (c >= '\t' && c <= '\r') || c == '.') continue;
        if (rest.substr(0, 2) == "\xC2\xB0") {  // the degree sign
            rest.remove_prefix(1);
            continue;
        }
        unit += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return std::pair{*v, std::move(unit)};
}

// Cubic feet of gas are measured at one standard atmosphere.
constexpr double kAtmosphereBar = 1.01325;

bool oneOf(const std::string& unit, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (unit == n) return true;
    return false;
}

}  // namespace

std::pair<std::string, std::string> ImportRules::placeAndSite(std::string_view text,
                                                              const ReadContext& context) {
    constexpr std::string_view kJoin = " - ";
    std::vector<std::size_t> cuts;
    for (std::size_t at = text.find(kJoin); at != std::string_view::npos;
         at = text.find(kJoin, at + 1))
        cuts.push_back(at);
    if (cuts.empty()) return {std::string(text), {}};
    std::size_t chosen = cuts.back();
    for (std::size_t cut : cuts)
        if (known(context.places, text.substr(0, cut)) ||
            known(context.sites, text.substr(cut + kJoin.size()))) {
            chosen = cut;
            break;
        }
    return {std::string(text.substr(0, chosen)), std::string(text.substr(chosen + kJoin.size()))};
}

std::pair<std::string, std::string> ImportRules::siteAndPlace(std::string_view name,
                                                              const ReadContext& context) {
    auto trimmed = [](std::string_view t) {
        while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front())))
            t.remove_prefix(1);
        while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
        return t;
    };
    std::vector<std::size_t> commas;
    for (std::size_t at = name.find(','); at != std::string_view::npos; at = name.find(',', at + 1))
        commas.push_back(at);
    for (std::size_t k = 0; k < commas.size(); ++k) {
        const std::string_view site = trimmed(name.substr(0, commas[k]));
        const std::size_t from = commas[k] + 1;
        const std::size_t to = k + 1 < commas.size() ? commas[k + 1] : name.size();
        const std::string_view place = trimmed(name.substr(from, to - from));
        if (!site.empty() && !place.empty() &&
            (known(context.sites, site) || known(context.places, place)))
            return {std::string(site), std::string(place)};
    }
    return {std::string(trimmed(name)), {}};
}

std::optional<double> QuantityReader::depth(std::string_view text) {
    const auto read = numberAndUnit(text);
    if (!read) return std::nullopt;
    const auto& [v, unit] = *read;
    if (unit.empty()) return imperial_ ? units::metresOfFeet(v) : v;
    if (oneOf(unit, {"m", "meter", "meters", "metre", "metres"})) return v;
    if (oneOf(unit, {"ft", "feet", "foot", "'"})) return units::metresOfFeet(v);
    ++unknown_;
    return std::nullopt;
}

std::optional<double> QuantityReader::temperature(std::string_view text) {
    const auto read = numberAndUnit(text);
    if (!read) return std::nullopt;
    const auto& [v, unit] = *read;
    if (unit.empty()) return imperial_ ? units::celsiusOfFahrenheit(v) : v;
    if (oneOf(unit, {"c", "celsius"})) return v;
    if (oneOf(unit, {"f", "fahrenheit"})) return units::celsiusOfFahrenheit(v);
    if (oneOf(unit, {"k", "kelvin"})) return units::celsiusOfKelvin(v);
    ++unknown_;
    return std::nullopt;
}

std::optional<double> QuantityReader::pressure(std::string_view text) {
    const auto read = numberAndUnit(text);
    if (!read) return std::nullopt;
    const auto& [v, unit] = *read;
    if (unit.empty()) return imperial_ ? units::barOfPsi(v) : v;
    if (unit == "bar") return v;
    if (unit == "psi") return units::barOfPsi(v);
    if (unit == "pa") return v / units::kPascalsPerBar;
    if (unit == "kpa") return v * 1000 / units::kPascalsPerBar;
    ++unknown_;
    return std::nullopt;
}

std::optional<double> QuantityReader::volume(std::string_view text) {
    const auto read = numberAndUnit(text);
    if (!read) return std::nullopt;
    const auto& [v, unit] = *read;
    // Imperial cylinders are sized by the gas they hold, not their water volume.
    if ((unit.empty() && imperial_) || oneOf(unit, {"cuft", "cf", "ft3", "cft", "cubicfeet"})) {
        ++cubicFeet_;
        return std::nullopt;
    }
    if (unit.empty() || oneOf(unit, {"l", "liter", "liters", "litre", "litres"})) return v;
    ++unknown_;
    return std::nullopt;
}

std::optional<double> QuantityReader::volume(std::string_view text,
                                             std::optional<double> workingBar) {
    const auto read = numberAndUnit(text);
    if (read && workingBar && *workingBar > 1 && *workingBar < 1000 &&
        oneOf(read->second, {"cuft", "cf", "ft3", "cft", "cubicfeet"}))
        return read->first * units::kLitresPerCubicFoot * kAtmosphereBar / *workingBar;
    return volume(text);
}

std::optional<double> QuantityReader::mass(std::string_view text) {
    const auto read = numberAndUnit(text);
    if (!read) return std::nullopt;
    const auto& [v, unit] = *read;
    if (unit.empty()) return imperial_ ? v * units::kKilogramsPerPound : v;
    if (oneOf(unit, {"kg", "kilogram", "kilograms"})) return v;
    if (oneOf(unit, {"lb", "lbs", "pound", "pounds"})) return v * units::kKilogramsPerPound;
    ++unknown_;
    return std::nullopt;
}

void QuantityReader::report(std::vector<std::string>& notes) const {
    if (cubicFeet_)
        notes.push_back(std::to_string(cubicFeet_) +
                        " tank sizes in cubic feet were left out: the logbook keeps the "
                        "water volume in litres");
    if (unknown_)
        notes.push_back(std::to_string(unknown_) +
                        " values written with a unit the logbook does not know were left out");
}

}  // namespace divelog
