#include "exchange/ImportRules.h"

#include <cmath>

#include "exchange/XmlReading.h"
#include "localisation/Localisation.h"
#include "logbook/DiveChoices.h"
#include "util/Numbers.h"

namespace divelog {

void ImportRules::gas(ImportedDive& dive, double o2Fraction, double heFraction) {
    const std::int64_t o = std::llround(std::clamp(o2Fraction, 0.0, 1.0) * 100);
    const std::int64_t h = std::llround(std::clamp(heFraction, 0.0, 1.0) * 100);
    const std::int64_t n = 100 - o - h;
    std::optional<std::int32_t> code;
    if (o == 21 && n == 79)
        code = 0;
    else if (o > 21 && h == 0)
        code = 1;
    else if (h > 0 && n > 0)
        // Heliair is air with helium added: oxygen and nitrogen keep air's proportions.
        code = std::llabs(o * 79 - n * 21) <= 100 ? 5 : o > 21 ? 4 : 2;
    else if (h > 0 && n == 0)
        code = 3;
    if (code) dive.setTag("gaz", *code);
    dive.set("o2Mix", integerText(o));
    dive.set("heMix", integerText(h));
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
    if (!std::isfinite(kelvin) || std::fabs(kelvin) > 1e6) return -50;
    return std::llround(kelvin - 273.15);
}

}  // namespace divelog
