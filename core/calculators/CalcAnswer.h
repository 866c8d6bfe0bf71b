#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/Localisation.h"

namespace divelog {

// Why a calculator shows a message instead of a number, or beside it. One
// table gives each reason its text key; no window spells a reason again.
enum class Why {
    None,
    OutOfRange,   // the inputs give no finite result
    OxygenRange,  // an oxygen percentage outside (0, 100]
    DepthNegative,
    PartialPressure,  // a partial pressure of 0 or less
    NoValidData,      // hypoxic minimum depth: oxygen outside 1..16 %
    HeliumRange,      // helium below 0, or oxygen and helium above 100 %
    BlendPressures,   // final pressure not above the initial, or below 0
    BlendTooRich,     // the cylinder already holds too much oxygen
    BlendTooLean,     // even pure oxygen cannot reach the mix
    PureOxygen,       // note: best mix clamped to 100 % oxygen
    WindowSurface,    // note: a window depth above the surface shown as 0 m
    EndDeeper,        // note: END at or below the depth, so no helium
    NoHelium,         // note: the oxygen alone keeps the END shallow enough
    SodaNoProduction,
    SodaRange,
    RebreatherNegative,
    FlowTooLow,       // breathed fraction: the flow cannot feed the consumption
    SupplyTooLean,    // ideal flow: no flow reaches the loop's percentage
    NotReachableRow,  // either in a table row, with the row's consumption
    BelowAbsoluteZero,
    PositionRange,
    HeightRange,
    InputUnreadable,  // a field holds no number: its label and its text
    InputRange,       // a field lies outside its range: its label, minimum and maximum
};

struct WhyText {
    std::string_view table;
    std::string_view key;
    std::string_view english;  // fallback when the key is missing
};
const WhyText& whyText(Why why);

// Where a result's text comes from: a key of a table, or, with no table, the
// fixed format itself.
struct ResultFormat {
    std::string_view table;
    std::string_view key;
};

// A calculator's answer: the arguments of its result format, or the reason
// there is none (a refusal may still carry arguments for its own text).
struct Answer {
    std::vector<FormatArg> values;
    Why refusal = Why::None;  // shown in red instead of the result
    Why note = Why::None;     // shown beside the result: why it was limited
    bool warn = false;        // a result outside its safe range, shown in red

    bool ok() const { return refusal == Why::None; }
    // The numeric value of an argument, NaN when there is none.
    double value(std::size_t i) const;
};

// An answer with these numbers, refused as out of range when one of them is
// not finite, so no window ever shows inf or nan.
Answer answerOf(std::vector<double> values);
Answer refused(Why why);

// What a window shows for an answer.
struct Shown {
    std::string text;
    bool alert = false;  // red
    std::string note;    // empty when there is nothing to add
};
Shown show(const Localisation& loc, const Answer& answer, const ResultFormat& format);

// A typed field as a number: locale-free, "," or "." as the decimal point.
// Empty or unreadable text counts as 0, as a field left blank means nothing.
double fieldValue(std::string_view text);

// 10 m of sea water per bar, 1 bar at the surface.
constexpr double ambientPressure(double depthMetres) { return depthMetres / 10.0 + 1.0; }
constexpr double kAirNitrogen = 0.79;

}  // namespace divelog
