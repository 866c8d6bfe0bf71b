// Datum conversions: the worked point through both methods, signed degrees,
// minutes and seconds, round trips, and positions that cannot be converted.

#include <cmath>

#include "AnswerCheck.h"
#include "calculators/DatumConversion.h"

using namespace divelog;
using datum::Dms;

TEST(DatumConversion, DegreesTakeTheSignOfTheWholeValue) {
    const std::pair<Dms, double> cases[] = {
        {{5, 22, 12.3}, 5.370083333}, {{-4, 30, 0}, -4.5}, {{-2, 30, 0}, -2.5},
        {{-0.0, 30, 0}, -0.5},        {{0, 30, 0}, 0.5},   {{-180, 0, 0}, -180},
    };
    for (const auto& [dms, degrees] : cases)
        EXPECT_NEAR(*datum::decimalDegrees(dms), degrees, 1e-9);
    EXPECT_FALSE(datum::decimalDegrees({1, 60, 0}));
    EXPECT_FALSE(datum::decimalDegrees({1, 0, -1}));
    EXPECT_FALSE(datum::decimalDegrees({1, 0, 60}));
}

TEST(DatumConversion, SevenParametersReproduceTheWorkedPoint) {
    const auto r = datum::ed50ToWgs84({5, 22, 12.3}, {43, 17, 43.7}, 0);
    ASSERT_TRUE(r.answer.ok());
    const auto t = datum::sevenParameterTexts(r.answer);
    EXPECT_EQ(t.longitude, "WGS84 5° 22' 9.406''");
    EXPECT_EQ(t.latitude, "WGS84 43° 17' 39.936''");
    EXPECT_EQ(t.height, "63.8 m");
    ASSERT_EQ(r.trace.size(), 28u);
    EXPECT_EQ(r.trace[1].label + r.trace[1].value, "  latitude : 43 ° 17 ' 43.700 ''");
    EXPECT_TRUE(r.trace[16].heading);
    EXPECT_EQ(r.trace.back().value, "5.3692794473");
}

TEST(DatumConversion, WesternAndSouthernOutputsShowTheirSign) {
    const auto r = datum::ed50ToWgs84({-4, 30, 0}, {-33, 15, 0}, 10);
    ASSERT_TRUE(r.answer.ok());
    EXPECT_LT(r.answer.value(0), -4.49);
    const auto t = datum::sevenParameterTexts(r.answer);
    EXPECT_EQ(t.longitude.rfind("WGS84 -4° 3", 0), 0u) << t.longitude;
    EXPECT_EQ(t.latitude.rfind("WGS84 -33° 1", 0), 0u) << t.latitude;
    // Seconds that round to 60 carry into the minute.
    Answer a = answerOf({-4.0 - 29.0 / 60 - 59.9996 / 3600, 0.99999999, 0});
    EXPECT_EQ(datum::sevenParameterTexts(a).longitude, "WGS84 -4° 30' 0.000''");
    EXPECT_EQ(datum::sevenParameterTexts(a).latitude, "WGS84 1° 0' 0.000''");
}

TEST(DatumConversion, ThreeParameters) {
    using datum::Direction;
    using datum::threeParameters;
    const AnswerCase cases[] = {
        {"worked point",
         threeParameters(Direction::Ed50ToWgs84, 5.370083, 43.295472, 0),
         {5.368981, 43.294450, 55.415}},
        // Where the longitude formula would divide zero by zero.
        {"north pole",
         threeParameters(Direction::Ed50ToWgs84, 0, 90, 0),
         {-131.5972, 89.998827, 38.633},
         Why::None,
         1e-3},
        {"far meridian",
         threeParameters(Direction::Wgs84ToEd50, 180, 0, 0),
         {179.99912, 0.001094, -337.998},
         Why::None,
         1e-3},
        {"past the pole",
         threeParameters(Direction::Ed50ToWgs84, 0, 90.5, 0),
         {},
         Why::PositionRange},
        {"past 180°", threeParameters(Direction::Ed50ToWgs84, -181, 0, 0), {}, Why::PositionRange},
        {"beyond 100 km", threeParameters(Direction::Ed50ToWgs84, 0, 0, 1e6), {}, Why::HeightRange},
    };
    for (const AnswerCase& c : cases) check(c);
    const auto t = datum::threeParameterTexts(cases[0].answer);
    EXPECT_EQ(t.longitude + " " + t.latitude + " " + t.height, "5.368981 43.294450 55.42 m");
}

TEST(DatumConversion, ThreeParametersThereAndBack) {
    using datum::Direction;
    for (auto [lng, lat, h] :
         {std::tuple{5.37, 43.3, 0.0}, {-61.5, -16.2, 120.0}, {179.9, 0.1, -50.0}}) {
        const Answer there = datum::threeParameters(Direction::Ed50ToWgs84, lng, lat, h);
        const Answer back = datum::threeParameters(Direction::Wgs84ToEd50, there.value(0),
                                                   there.value(1), there.value(2));
        EXPECT_NEAR(back.value(0), lng, 1e-6);
        EXPECT_NEAR(back.value(1), lat, 1e-6);
        EXPECT_NEAR(back.value(2), h, 0.01);
    }
}

TEST(DatumConversion, UnconvertiblePositionsAreRefused) {
    EXPECT_EQ(datum::ed50ToWgs84({5, 60, 0}, {43, 0, 0}, 0).answer.refusal, Why::PositionRange);
    EXPECT_EQ(datum::ed50ToWgs84({5, 0, 0}, {90, 0, 1}, 0).answer.refusal, Why::PositionRange);
    EXPECT_EQ(datum::ed50ToWgs84({5, 0, 0}, {43, 0, 0}, -2e5).answer.refusal, Why::HeightRange);
    const auto pole = datum::ed50ToWgs84({0, 0, 0}, {90, 0, 0}, 0);
    ASSERT_TRUE(pole.answer.ok());
    EXPECT_NEAR(pole.answer.value(1), 89.998868, 1e-6);
    EXPECT_NEAR(pole.answer.value(2), 48.92, 0.01);
    EXPECT_TRUE(datum::ed50ToWgs84({5, 60, 0}, {43, 0, 0}, 0).trace.empty());
}
