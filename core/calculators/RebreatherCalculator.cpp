#include "calculators/RebreatherCalculator.h"

#include <cmath>
#include <cstdint>

namespace divelog::rebreather {

namespace {

constexpr double kAirOxygenPercent = 20.9;
constexpr double kFlowMin = 3.0, kFlowMax = 20.0;
// Bounds are inclusive; rounding must not push an exact bound over.
constexpr double kSlack = 1e-9;

bool percentInRange(double p) { return p > 0 && p <= 100; }

// For a row, a refusal still names the row's consumption.
Answer rowOf(const Answer& answer, double consumption) {
    Answer row;
    row.values.emplace_back(consumption);
    if (answer.ok())
        row.values.emplace_back(answer.value(0));
    else if (answer.refusal == Why::FlowTooLow || answer.refusal == Why::SupplyTooLean ||
             answer.refusal == Why::OutOfRange)
        row.refusal = Why::NotReachableRow;
    else
        row.refusal = answer.refusal;
    return row;
}

}  // namespace

double tableConsumption(int row) { return (8 + row) / 10.0; }

Answer sodaTime(double weight, double capacity, double production) {
    if (!(production > 0)) return refused(Why::SodaNoProduction);
    if (weight < 0 || capacity < 0) return refused(Why::SodaRange);
    const double minutes = weight * capacity / production;
    if (!std::isfinite(minutes) || minutes / 60.0 >= 2147483648.0) return refused(Why::SodaRange);
    const auto hours = static_cast<std::int64_t>(std::trunc(minutes / 60.0));
    const auto rest = static_cast<std::int64_t>(std::trunc(minutes - 60.0 * hours));
    Answer a;
    a.values = {hours, rest};
    return a;
}

Answer breathedFraction(double supplyPercent, double flow, double consumption) {
    if (!percentInRange(supplyPercent)) return refused(Why::OxygenRange);
    if (flow < 0 || consumption < 0) return refused(Why::RebreatherNegative);
    // A flow that does not cover the consumption leaves no gas to breathe.
    if (flow <= consumption) return refused(Why::FlowTooLow);
    const double percent =
        (flow * supplyPercent / 100.0 - consumption) / (flow - consumption) * 100.0;
    if (percent < 0) return refused(Why::FlowTooLow);
    return answerOf({percent});
}

Answer idealFlow(double supplyPercent, double loopPercent, double consumption) {
    if (!percentInRange(supplyPercent) || loopPercent < 0 || loopPercent > 100)
        return refused(Why::OxygenRange);
    if (consumption < 0) return refused(Why::RebreatherNegative);
    if (supplyPercent <= loopPercent) return refused(Why::SupplyTooLean);
    return answerOf({consumption * (1.0 - loopPercent / 100.0) /
                     (supplyPercent / 100.0 - loopPercent / 100.0)});
}

std::vector<Answer> breathedTable(double supplyPercent, double flow) {
    std::vector<Answer> rows;
    for (int r = 0; r < kTableRows; ++r) {
        const double v = tableConsumption(r);
        Answer a = rowOf(breathedFraction(supplyPercent, flow, v), v);
        a.warn = a.ok() && a.value(1) < kAirOxygenPercent - kSlack;
        // Inputs out of range make no table; the result says why.
        if (!a.ok() && a.refusal != Why::NotReachableRow) return {};
        rows.push_back(std::move(a));
    }
    return rows;
}

std::vector<Answer> flowTable(double supplyPercent, double loopPercent) {
    std::vector<Answer> rows;
    for (int r = 0; r < kTableRows; ++r) {
        const double v = tableConsumption(r);
        Answer a = rowOf(idealFlow(supplyPercent, loopPercent, v), v);
        a.warn = a.ok() && (a.value(1) < kFlowMin - kSlack || a.value(1) > kFlowMax + kSlack);
        // Inputs out of range make no table; the result says why.
        if (!a.ok() && a.refusal != Why::NotReachableRow) return {};
        rows.push_back(std::move(a));
    }
    return rows;
}

}  // namespace divelog::rebreather
