// Unit conversions: hand-worked values per tab, every pair there and back,
// and temperatures below absolute zero refused.

#include <cmath>

#include "AnswerCheck.h"
#include "calculators/UnitConversions.h"

using namespace divelog;
using units::Quantity;

TEST(UnitConversions, HandWorkedValues) {
    using units::convert;
    const AnswerCase cases[] = {
        {"200 bar", convert(Quantity::Pressure, 0, 200), {200, 2900.754}},
        {"3000 psi", convert(Quantity::Pressure, 1, 3000), {206.843, 3000}},
        {"12 litres",
         convert(Quantity::Volume, 0, 12),
         {12, 0.423776, 732.284928},
         Why::None,
         1e-6},
        {"80 cubic feet", convert(Quantity::Volume, 1, 80), {2265.348, 80, 138240}},
        {"1728 cubic inches", convert(Quantity::Volume, 2, 1728), {28.3168, 1, 1728}},
        {"30 m", convert(Quantity::Length, 0, 30), {30, 98.425197}, Why::None, 1e-6},
        {"100 ft", convert(Quantity::Length, 1, 100), {30.48, 100}, Why::None, 1e-12},
        {"1 lb", convert(Quantity::Mass, 1, 1), {0.45359237, 1}, Why::None, 1e-12},
        {"20 °C", convert(Quantity::Temperature, 0, 20), {20, 68, 293.15}},
        {"300 K", convert(Quantity::Temperature, 2, 300), {26.85, 80.33, 300}},
        {"-40 °F", convert(Quantity::Temperature, 1, -40), {-40, -40, 233.15}},
        {"absolute zero in °F", convert(Quantity::Temperature, 1, -459.67), {-273.15, -459.67, 0}},
        {"below absolute zero",
         convert(Quantity::Temperature, 0, -274),
         {},
         Why::BelowAbsoluteZero},
        {"negative kelvin", convert(Quantity::Temperature, 2, -1), {}, Why::BelowAbsoluteZero},
        {"no such unit", convert(Quantity::Mass, 2, 1), {}, Why::OutOfRange},
        {"overflow", convert(Quantity::Volume, 1, 1.7e308), {}, Why::OutOfRange},
    };
    for (const AnswerCase& c : cases) check(c);
}

TEST(UnitConversions, EveryPairReturnsWhereItStarted) {
    for (Quantity q : units::kQuantities) {
        const auto units = units::unitsOf(q);
        for (std::size_t from = 0; from < units.size(); ++from) {
            for (double x : {0.0, 1.0, 37.5, 12345.678}) {
                const Answer there = units::convert(q, from, x);
                ASSERT_TRUE(there.ok());
                for (std::size_t to = 0; to < units.size(); ++to) {
                    const Answer back = units::convert(q, to, there.value(to));
                    ASSERT_TRUE(back.ok());
                    EXPECT_NEAR(back.value(from), x, 1e-9)
                        << units::tabId(q) << " " << units[from].key << " -> " << units[to].key;
                }
            }
        }
    }
}

TEST(UnitConversions, FieldsShowEightSignificantDigits) {
    EXPECT_EQ(units::valueText(2900.754), "2900.754");
    EXPECT_EQ(units::valueText(30.0 / 0.3048), "98.425197");
    EXPECT_EQ(units::valueText(68.0), "68");
    EXPECT_EQ(units::valueText(1.5e12), "1.5e+12");
}
