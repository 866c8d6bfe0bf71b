#include "exchange/DiveElementWriter.h"

#include <algorithm>
#include <cmath>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/Units.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

std::string two(int v) { return formatText("%02d", {std::int64_t{v}}); }

// Both files declare metric units: feet and Fahrenheit typed under "us
// units" are written as metres and degrees Celsius, with the decimals that
// give back what was typed (the whole metres and degrees of a metric
// logbook would not).
std::string metresTruncated(double typed, bool usUnits) {
    const double m = std::clamp(units::metresOfTypedDepth(typed, usUnits), -1e9, 1e9);
    if (!std::isfinite(m)) return "0";
    if (usUnits) return formatText("%.3f", {m});
    return integerText(static_cast<std::int64_t>(std::trunc(m)));
}

std::string metresRounded(double typed, bool usUnits) {
    const double m = std::clamp(units::metresOfTypedDepth(typed, usUnits), -1e9, 1e9);
    if (!std::isfinite(m)) return "0";
    return usUnits ? formatText("%.2f", {m}) : integerText(std::llround(m));
}

std::string celsius(std::int32_t typed, bool usUnits) {
    // "Not given" is the same value in either unit.
    if (!usUnits || typed == units::kNoTemperature) return integerText(typed);
    return formatText("%.2f", {units::celsiusOfFahrenheit(typed)});
}

}  // namespace

std::string DiveElementWriter::mixName(std::int32_t gas, std::int64_t o2, std::int64_t he,
                                       const Localisation& texts) {
    std::string name = DiveCodes::gasLabel(gas, o2, he, texts);
    if (!name.empty()) return name;
    // A code the logbook does not know: the name its fractions give.
    const auto code = gas::codeOfReadMix(o2, he);
    return DiveCodes::gasLabel(code ? *code : gas::codeOfTypedMix(o2, he).value_or(gas::kNitrox),
                               o2, he, texts);
}

std::string DiveElementWriter::exportMoment(Date now) {
    const DateParts p = localParts(now);
    return " " + two(p.day) + "-" + two(p.month) + "-" +
           formatText("%04d", {std::int64_t{p.year}}) + " - " + two(p.hour) + ":" + two(p.minute) +
           ":" + two(p.second) + " ";
}

void DiveElementWriter::write(const Plongee& d) {
    const bool us = context_.usUnits;
    xml_.open("DIVE");
    xml_.element("PLACE", d.lieu().value_or("") + " - " + d.site().value_or(""));

    xml_.open(name("DATE", "date"));
    const DateParts day = d.date() ? localParts(*d.date()) : DateParts{};
    xml_.element(name("YEAR", "year"),
                 d.date() ? formatText("%04d", {std::int64_t{day.year}}) : "");
    xml_.element(name("MONTH", "month"), d.date() ? two(day.month) : "");
    xml_.element(name("DAY", "day"), d.date() ? two(day.day) : "");
    xml_.close();
    xml_.open(name("TIME", "time"));
    const DateParts time = d.heure() ? localParts(*d.heure()) : DateParts{};
    xml_.element(name("HOUR", "hour"), d.heure() ? two(time.hour) : "");
    xml_.element(name("MINUTE", "minute"), d.heure() ? two(time.minute) : "");
    xml_.close();

    xml_.element("MAXDEPTH", metresTruncated(d.profondeur(), us));
    xml_.element("DIVETIME", integerText(d.temps()));
    xml_.element("SURFACEINTERVAL", "infinity");
    xml_.element("TEMPERATURE", celsius(d.tempEau(), us));
    xml_.element("ALTITUDE", metresRounded(d.altitude(), us));

    const std::int64_t o2 = d.o2Mix(), he = d.heMix();
    xml_.open("GASES");
    xml_.open("MIX");
    xml_.element("MIXNAME", mixName(d.gaz(), o2, he, context_.texts));
    xml_.open("TANK");
    xml_.element("TANKVOLUME", integerText(d.volumeBloc()));
    xml_.element("PSTART", integerText(d.pressionDepart()));
    xml_.element("PEND", integerText(d.pressionFin()));
    xml_.close();
    xml_.element("O2", formatText("%.2f", {static_cast<double>(o2) / 100.0}));
    xml_.element("N2", formatText("%.2f", {static_cast<double>(100 - o2 - he) / 100.0}));
    xml_.element("HE", formatText("%.2f", {static_cast<double>(he) / 100.0}));
    xml_.close();
    xml_.close();
    xml_.empty("DELTAMODE");
    samples(d);
    xml_.close();
}

void DiveElementWriter::samples(const Plongee& d) {
    xml_.open("SAMPLES");
    const auto seconds = DiveCodes::samplingSeconds(d.samplingRate());
    xml_.element("DELTA", formatText("%.1f", {static_cast<double>(seconds.value_or(10))}));
    xml_.element("SWITCH", "1");
    xml_.element("D", "0.0");
    static const std::vector<double> none;
    const auto& depths = d.profilProfondeur() ? *d.profilProfondeur() : none;
    // A flag series that is not one entry per sample writes no alarm.
    auto series = [&](const Plongee::Ints& flags) -> const std::vector<std::int32_t>* {
        return flags && flags->size() == depths.size() ? &*flags : nullptr;
    };
    const std::pair<const std::vector<std::int32_t>*, const char*> alarms[] = {
        {series(d.ASC_Flag()), "deco"},
        {series(d.SLOW_Flag()), "ascent"},
        {series(d.SURF_Flag()), "surface"},
        {series(d.CEIL_Flag()), "error"}};
    for (std::size_t i = 0; i < depths.size(); ++i) {
        xml_.element("D", formatText("%.1f", {depths[i]}));
        for (const auto& [flags, text] : alarms)
            if (flags && (*flags)[i] == 1) xml_.element("ALARM", text);
    }
    xml_.element("D", "0.0");
    xml_.close();
}

}  // namespace divelog
