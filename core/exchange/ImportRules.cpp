#include "exchange/ImportRules.h"

#include <cctype>
#include <cmath>
#include <utility>

#include "dive/DiveChoices.h"
#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/Units.h"
#include "exchange/XmlReading.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

void ImportRules::gas(ImportedDive& dive, double o2Fraction, double heFraction, int cylinder) {
    const std::string suffix = cylinder == 2 ? "_2" : "";
    const std::int64_t o = gas::wholePercent(o2Fraction), h = gas::wholePercent(heFraction);
    if (const auto code = gas::codeOfReadMix(o, h)) dive.setTag("gaz" + suffix, *code);
    dive.set("o2Mix" + suffix, integerText(o));
    dive.set("heMix" + suffix, integerText(h));
}

void ImportRules::dateAndTime(ImportedDive& dive, pugi::xml_node date, pugi::xml_node time,
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
        dive.setDate("date", *day);
    }
    if (time) {
        auto at = calendarDate(2001, 1, 1, hour, minute);
        if (!at) {
            notes.emplace_back("a time of day that does not exist was left as it was");
            return;
        }
        dive.setDate("heure", *at);
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

bool ImportRules::dateTimeText(ImportedDive& dive, std::string_view text,
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
    dive.setDate("date", *when);
    if (hasTime) dive.setDate("heure", *calendarDate(2001, 1, 1, hour, minute));
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

std::optional<std::int32_t> ImportRules::choiceAt(std::string_view control, std::int64_t position) {
    static const Localisation none;
    const std::vector<Choice> items = DiveChoices::items(control, none);
    if (position < 0 || position >= static_cast<std::int64_t>(items.size())) return std::nullopt;
    return items[static_cast<std::size_t>(position)].tag;
}

bool ImportRules::plausibleDepth(double metres) {
    return std::isfinite(metres) && metres > -100 && metres < 10000;
}

std::int64_t ImportRules::celsiusOfKelvin(double kelvin) {
    if (!std::isfinite(kelvin) || std::fabs(kelvin) > 1e6) return units::kNoTemperature;
    return std::llround(units::celsiusOfKelvin(kelvin));
}

}  // namespace divelog
