#include "calculators/CalcAnswer.h"

#include <cmath>
#include <limits>

#include "util/Numbers.h"

namespace divelog {

namespace {

struct Entry {
    Why why;
    WhyText text;
};

// Texts go through the format, so a literal percent sign is written "%%".
constexpr Entry kWhyTexts[] = {
    {Why::None, {"Main", "", ""}},
    {Why::OutOfRange,
     {"Main", "Calc out of range", "Out of range: these values give no usable result."}},
    {Why::OxygenRange,
     {"Main", "Calc oxygen range", "The oxygen percentage must be above 0 and at most 100."}},
    {Why::DepthNegative, {"Main", "Calc depth negative", "A depth cannot be negative."}},
    {Why::PartialPressure,
     {"Main", "Calc partial pressure", "The oxygen partial pressure must be above 0."}},
    {Why::NoValidData, {"Main", "No valid datas", "Enter an oxygen percentage from 1 to 16."}},
    {Why::HeliumRange,
     {"Trimix", "Helium range",
      "Helium cannot be negative, and oxygen and helium together cannot exceed 100 %%."}},
    {Why::BlendPressures,
     {"Nitrox", "Blend pressures",
      "The final pressure must be above the initial pressure, and neither below 0."}},
    {Why::BlendTooRich,
     {"Nitrox", "Blend too rich",
      "Not reachable: the gas already in the cylinder holds too much oxygen for this mix. "
      "Let some out first."}},
    {Why::BlendTooLean,
     {"Nitrox", "Blend too lean",
      "Not reachable: even pure oxygen cannot make this mix with what the cylinder holds. "
      "Let some out first."}},
    {Why::PureOxygen,
     {"Main", "Calc pure oxygen",
      "Too shallow for that partial pressure: even pure oxygen stays below it."}},
    {Why::WindowSurface,
     {"Nitrox", "Window surface", "A depth above the surface is shown as 0 m."}},
    {Why::EndDeeper,
     {"Trimix", "END deeper", "The END is as deep as the dive or deeper: no helium is needed."}},
    {Why::NoHelium,
     {"Trimix", "No helium",
      "No helium needed: this much oxygen already keeps the END shallower than asked."}},
    {Why::SodaNoProduction,
     {"Rebreather", "Soda no production", "Enter a carbon dioxide production above 0."}},
    {Why::SodaRange,
     {"Rebreather", "Soda out of range",
      "Out of range: check the weight, the capacity and the production."}},
    {Why::RebreatherNegative,
     {"Rebreather", "Negative flow", "Flows and consumptions cannot be negative."}},
    {Why::FlowTooLow,
     {"Rebreather", "Flow too low",
      "Not reachable: this flow is too low for this oxygen consumption."}},
    {Why::SupplyTooLean,
     {"Rebreather", "Supply too lean",
      "Not reachable: the supply must hold more oxygen than the loop."}},
    {Why::NotReachableRow, {"Rebreather", "Table not reachable", "%.1f l/min : not reachable"}},
    {Why::BelowAbsoluteZero,
     {"Physique", "Below absolute zero", "Below absolute zero (-273.15 °C, -459.67 °F, 0 K)."}},
    {Why::PositionRange,
     {"Gps", "Position range",
      "Latitude from -90° to 90°, longitude from -180° to 180°, minutes and seconds from 0 to "
      "less than 60."}},
    {Why::HeightRange, {"Gps", "Height range", "The height must lie between -100 km and 100 km."}},
    {Why::InputUnreadable, {"Main", "Calc input unreadable", "%@ : \"%@\" is not a number."}},
    {Why::InputRange, {"Main", "Calc input range", "%@ must lie from %@ to %@."}},
};

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < std::size(kWhyTexts); ++i)
        if (kWhyTexts[i].why != static_cast<Why>(i)) return false;
    return std::size(kWhyTexts) == static_cast<std::size_t>(Why::InputRange) + 1;
}
static_assert(inEnumOrder(), "one text per reason, in the order of Why");

}  // namespace

const WhyText& whyText(Why why) { return kWhyTexts[static_cast<std::size_t>(why)].text; }

double Answer::value(std::size_t i) const {
    if (i >= values.size()) return std::numeric_limits<double>::quiet_NaN();
    if (auto d = std::get_if<double>(&values[i])) return *d;
    if (auto n = std::get_if<std::int64_t>(&values[i])) return static_cast<double>(*n);
    return std::numeric_limits<double>::quiet_NaN();
}

Answer answerOf(std::vector<double> values) {
    Answer a;
    for (double v : values) {
        if (!std::isfinite(v)) return refused(Why::OutOfRange);
        a.values.emplace_back(v);
    }
    return a;
}

Answer refused(Why why) {
    Answer a;
    a.refusal = why;
    return a;
}

Shown show(const Localisation& loc, const Answer& answer, const ResultFormat& format) {
    Shown shown;
    ResultFormat f = format;
    std::string_view fallback = "error !";
    shown.alert = answer.warn;
    if (!answer.ok()) {
        const WhyText& w = whyText(answer.refusal);
        f = {w.table, w.key};
        fallback = w.english;
        shown.alert = true;
    }
    // Every result format takes at most three arguments; extra ones are unused.
    FormatArg args[3] = {std::string(), std::string(), std::string()};
    for (std::size_t i = 0; i < answer.values.size() && i < 3; ++i) args[i] = answer.values[i];
    shown.text = f.table.empty()
                     ? formatText(f.key, {args[0], args[1], args[2]})
                     : loc.format(f.table, f.key, fallback, {args[0], args[1], args[2]});
    if (answer.ok() && answer.note != Why::None) {
        const WhyText& w = whyText(answer.note);
        shown.note = loc.format(w.table, w.key, w.english, {});
    }
    return shown;
}

double fieldValue(std::string_view text) { return readDecimal(text).value_or(0.0); }

}  // namespace divelog
