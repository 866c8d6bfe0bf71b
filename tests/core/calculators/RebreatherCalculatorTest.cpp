// Rebreather formulas and their tables: colours by the row's value, and a
// clear refusal where the formula would divide by zero or go negative.

#include <cmath>

#include "AnswerCheck.h"
#include "calculators/RebreatherCalculator.h"

using namespace divelog;

TEST(RebreatherCalculator, Formulas) {
    using namespace rebreather;
    const AnswerCase cases[] = {
        {"soda 2.5 kg", sodaTime(2.5, 100, 1.6), {2, 36}, Why::None, 0},
        {"soda exact hour", sodaTime(1, 60, 1), {1, 0}, Why::None, 0},
        {"soda empty canister", sodaTime(0, 100, 1.6), {0, 0}, Why::None, 0},
        {"soda no production", sodaTime(2.5, 100, 0), {}, Why::SodaNoProduction},
        {"soda negative production", sodaTime(2.5, 100, -1), {}, Why::SodaNoProduction},
        {"soda negative weight", sodaTime(-2.5, 100, 1.6), {}, Why::SodaRange},
        {"soda beyond 32-bit hours", sodaTime(1e9, 1e9, 1e-3), {}, Why::SodaRange},
        {"soda infinite", sodaTime(1e300, 1e300, 1), {}, Why::SodaRange},
        {"breathed 40 % at 10 l/min", breathedFraction(40, 10, 1.0), {33.333}},
        {"breathed no consumption", breathedFraction(40, 10, 0), {40.0}},
        {"breathed flow equals consumption", breathedFraction(40, 1, 1), {}, Why::FlowTooLow},
        {"breathed flow below consumption", breathedFraction(100, 0.5, 1), {}, Why::FlowTooLow},
        {"breathed below zero", breathedFraction(10, 2, 1), {}, Why::FlowTooLow},
        {"breathed bad supply", breathedFraction(0, 10, 1), {}, Why::OxygenRange},
        {"breathed negative flow", breathedFraction(40, -10, 1), {}, Why::RebreatherNegative},
        {"flow 40 % for 28 %", idealFlow(40, 28, 1.0), {6.0}},
        {"flow supply equals loop", idealFlow(32, 32, 1.0), {}, Why::SupplyTooLean},
        {"flow supply leaner than loop", idealFlow(28, 32, 1.0), {}, Why::SupplyTooLean},
        {"flow loop over 100", idealFlow(40, 101, 1.0), {}, Why::OxygenRange},
        {"flow negative consumption", idealFlow(40, 28, -1), {}, Why::RebreatherNegative},
    };
    for (const AnswerCase& c : cases) check(c);
    EXPECT_TRUE(std::holds_alternative<std::int64_t>(sodaTime(2.5, 100, 1.6).values[0]));
}

TEST(RebreatherCalculator, TablesColourEachRow) {
    using namespace rebreather;
    struct Row {
        int row;
        double value;  // NaN: not reachable
        bool red;
    };
    auto expect = [](const std::vector<Answer>& table, std::initializer_list<Row> rows) {
        ASSERT_EQ(table.size(), std::size_t(kTableRows));
        for (const Row& r : rows) {
            SCOPED_TRACE(r.row);
            const Answer& a = table[r.row];
            EXPECT_DOUBLE_EQ(a.value(0), tableConsumption(r.row));
            if (std::isnan(r.value)) {
                EXPECT_EQ(a.refusal, Why::NotReachableRow);
            } else {
                EXPECT_NEAR(a.value(1), r.value, 0.005);
                EXPECT_EQ(a.warn, r.red);
            }
        }
    };
    const double unreachable = std::nan("");
    expect(breathedTable(32, 6), {{0, 21.54, false}, {1, 20.0, true}, {10, 2.86, true}});
    expect(flowTable(40, 28), {{0, 4.8, false}, {10, 10.8, false}});
    expect(flowTable(32, 28), {{3, 19.8, false}, {4, 21.6, true}});
    expect(flowTable(90, 21), {{0, 0.916, true}});
    // Rows whose flow no longer covers the consumption are named, not computed.
    expect(breathedTable(32, 3), {{0, 7.27, true}, {1, 2.86, true}, {2, unreachable, true}});
    EXPECT_TRUE(breathedTable(0, 6).empty());
    EXPECT_EQ(flowTable(28, 32).size(), std::size_t(kTableRows));
    EXPECT_TRUE(flowTable(40, -1).empty());
}

TEST(RebreatherCalculator, ShownTexts) {
    Localisation loc;
    loc.loadTable("Rebreather", R"("Soda endurance" = "%d h %02d";
"Table not reachable" = "%.1f: no";)");
    EXPECT_EQ(show(loc, rebreather::sodaTime(2.5, 100, 1.6), rebreather::kSodaTimeText).text,
              "2 h 36");
    const Shown row =
        show(loc, rebreather::breathedTable(32, 1.0)[10], rebreather::kBreathedRowText);
    EXPECT_EQ(row.text, "1.8: no");
    EXPECT_TRUE(row.alert);
}
