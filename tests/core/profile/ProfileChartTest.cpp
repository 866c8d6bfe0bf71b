// The profile view's geometry, computed without a display.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "localisation/Localisation.h"
#include "profile/ProfileChart.h"

using namespace divelog;

namespace {

ProfileChartData dive(std::vector<double> depths, std::int32_t samplingCode = 0) {
    ProfileChartData d;
    d.series.profilProfondeur = std::move(depths);
    d.series.fillPlaceholders();
    d.samplingCode = samplingCode;
    return d;
}

ProfileChartLook everything() {
    ProfileChartLook look;
    look.dashedLines = look.ppO2Line = look.gradient = true;
    return look;
}

std::vector<std::string> labelsAt(const ProfileChart& c, double y) {
    std::vector<std::string> out;
    for (const auto& t : c.texts)
        if (t.at.y == y) out.push_back(t.text);
    return out;
}

bool hasLine(const std::vector<ChartLine>& lines, ChartLine line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

const Localisation kTexts;

}  // namespace

TEST(ProfileChart, TheClassicChartAtItsDefaultSize) {
    // 60 samples at 10 s: five minutes are 330 points.
    std::vector<double> depths(60, 10.0);
    depths[30] = 24.6;
    ProfileChart c = layoutProfileChart(dive(depths), everything(), 700, 620, kTexts);
    EXPECT_EQ(c.depthScale, 25.6);
    EXPECT_EQ(labelsAt(c, 123), (std::vector<std::string>{"0", "5"}));
    EXPECT_TRUE(hasLine(c.ticks, {{30, 143}, {30, 151}}));
    EXPECT_TRUE(hasLine(c.ticks, {{360, 143}, {360, 151}}));
    EXPECT_TRUE(hasLine(c.ticks, {{96, 143}, {96, 148}})) << "a minor tick each minute";
    EXPECT_TRUE(hasLine(c.axis, {{30, 143}, {680, 143}}));
    EXPECT_TRUE(hasLine(c.axis, {{30, 143}, {30, 598}}));
    // Depth ticks every 5 m below M = 25.6, with a dashed line each.
    std::vector<std::string> depthLabels;
    for (const auto& t : c.texts)
        if (t.at.x == 8 && t.at.y < 598) depthLabels.push_back(t.text);
    EXPECT_EQ(depthLabels, (std::vector<std::string>{"0", "5", "10", "15", "20", "25"}));
    EXPECT_EQ(c.grid.size(), 6u);
    EXPECT_EQ(c.grid.front().back().x, 680) << "the surface line runs to the end";
    EXPECT_EQ(c.grid.back().back().x, 590) << "a deep one stops short of the time title";
    EXPECT_EQ(c.gradientRows.size(), 440u);
    // The curve starts and ends on the surface; sample 30 is at Y(24.6).
    ASSERT_EQ(c.depthCurve.size(), 62u);
    EXPECT_EQ(c.depthCurve.front(), (ChartPoint{30, 583}));
    EXPECT_EQ(c.depthCurve.back(), (ChartPoint{680, 583}));
    EXPECT_DOUBLE_EQ(c.depthCurve[31].x, 30 + 30 * 650.0 / 60);
    EXPECT_DOUBLE_EQ(c.depthCurve[31].y, 583 - 24.6 * 430 / 25.6);
}

TEST(ProfileChart, PlaceholderDiveAndPressureStrip) {
    ProfileChartData d = dive({});
    d.pressFin = 60;
    d.pressDepart = 200;
    ProfileChart c = layoutProfileChart(d, ProfileChartLook{}, 700, 620, kTexts);
    EXPECT_EQ(c.samples, 1u);
    EXPECT_EQ(c.depthCurve, (ChartLine{{30, 583}, {30, 583}, {680, 583}}));
    EXPECT_EQ(labelsAt(c, 71), std::vector<std::string>{" 60"}) << "one sample: the end pressure";

    // A first reading of 0 takes the highest reading as the scale.
    d = dive({0, 10, 20, 10});
    d.series.PRESS_Data = {0, 200, 150, 100};
    c = layoutProfileChart(d, ProfileChartLook{}, 700, 620, kTexts);
    EXPECT_EQ(labelsAt(c, 71), std::vector<std::string>{"200"});
    EXPECT_EQ(labelsAt(c, 42), std::vector<std::string>{"100"});
    ASSERT_EQ(c.pressureCurve.size(), 4u);
    EXPECT_EQ(c.pressureCurve[1].y, 80);
    EXPECT_EQ(c.pressureCurve[3].y, 50);
    d.series.PRESS_Data = {0, 0, 0, 0};
    c = layoutProfileChart(d, ProfileChartLook{}, 700, 620, kTexts);
    EXPECT_TRUE(c.pressureCurve.empty());
    // No pressure at all: the gas bar has no scale, and no "0 0 0" to show for it.
    for (double y : {71.0, 42.0, 13.0}) EXPECT_TRUE(labelsAt(c, y).empty()) << y;
}

TEST(ProfileChart, MarkersNeedAFullSeriesAndSurfacingsASampleBefore) {
    ProfileChartData d = dive({0, 10, 0, 10, 5});
    d.series.SURF_Flag = {1, 0, 1, 0, 1};  // on the first and last samples: nothing to draw
    d.series.GAZ_Flag = {0, 1, 2, 3, 9};
    d.series.ASC_Flag = {1, 1};  // shorter than the depths: no marker
    d.decoO2 = {100, 50, 0, 0, 0};
    Localisation texts;
    texts.loadTable("Profil", "\"Bottom gas\" = \"Bottom gas\";\n\"O2\" = \"O2\";");
    ProfileChart c = layoutProfileChart(d, ProfileChartLook{}, 700, 620, texts);
    ASSERT_EQ(c.surfacings.size(), 1u);
    EXPECT_EQ(c.surfacings[0][1].y, 582);
    std::vector<std::string> images;
    for (const auto& i : c.images) images.push_back(i.name);
    EXPECT_EQ(images, (std::vector<std::string>{"alarmeGAZ", "alarmeGAZO2", "alarmeGAZ"}));
    std::vector<std::string> labels;
    for (const auto& t : c.texts)
        if (t.text == "Bottom gas" || t.text == "O2" || t.text.starts_with("EAN"))
            labels.push_back(t.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"Bottom gas", "O2", "EAN50"}));
}

TEST(ProfileChart, OxygenLimitWhereTheDiveReachesIt) {
    ProfileChartData d = dive(std::vector<double>(20, 60.0));
    d.fracO2 = 21;
    d.setPointCode = 3;  // 1.4 bar: 56.67 m
    ProfileChart c = layoutProfileChart(d, everything(), 700, 620, kTexts);
    ASSERT_EQ(c.oxygenLimit.size(), 2u);
    EXPECT_NEAR(c.oxygenLimit[0].y, 583 - 56.6667 * 430 / 61, 1e-3);
    d.series.profilProfondeur.assign(20, 50.0);  // M + 1 = 52 stays above it
    EXPECT_TRUE(layoutProfileChart(d, everything(), 700, 620, kTexts).oxygenLimit.empty());
    d.series.profilProfondeur.assign(20, 60.0);
    d.setPointCode = 0;  // no set point: no line
    EXPECT_TRUE(layoutProfileChart(d, everything(), 700, 620, kTexts).oxygenLimit.empty());
    d.setPointCode = 3;
    d.fracO2 = 0;
    EXPECT_TRUE(layoutProfileChart(d, everything(), 700, 620, kTexts).oxygenLimit.empty());
}

TEST(ProfileChart, EverySamplingCodeAndLengthEndsWithReadableTicks) {
    for (std::int32_t code = -1; code <= 8; ++code) {
        for (std::size_t n : {0u, 1u, 660u, 661u, 2000u, 200000u}) {
            std::vector<double> depths(n, 12.0);
            ProfileChart c = layoutProfileChart(dive(depths, code), everything(), 700, 620, kTexts);
            std::vector<double> xs;
            for (const auto& t : c.texts)
                if (t.at.y == 123) xs.push_back(t.at.x);
            ASSERT_FALSE(xs.empty()) << code << " " << n;
            for (std::size_t k = 1; k < xs.size(); ++k)
                ASSERT_GE(xs[k] - xs[k - 1], 30.0) << "labels apart, code " << code << " n " << n;
            ASSERT_LE(c.depthCurve.size(), 2 * 650 + 4) << "a long dive is drawn light";
            for (const auto& p : c.depthCurve) ASSERT_TRUE(std::isfinite(p.y));
        }
    }
    // Negative and non-finite depths draw at the surface, never off the chart.
    ProfileChart c =
        layoutProfileChart(dive({-5, -3, std::nan("")}), everything(), 700, 620, kTexts);
    EXPECT_EQ(c.depthScale, 1);
    for (const auto& p : c.depthCurve) EXPECT_GE(p.y, 583);
}

TEST(ProfileChart, TheChartGrowsWithItsWindow) {
    std::vector<double> depths(360, 20.0);
    ProfileChart small = layoutProfileChart(dive(depths), ProfileChartLook{}, 700, 620, kTexts);
    ProfileChart large = layoutProfileChart(dive(depths), ProfileChartLook{}, 1400, 1000, kTexts);
    EXPECT_EQ(large.right, 1380);
    EXPECT_EQ(large.surfaceY, 963);
    EXPECT_GT(labelsAt(large, 123).size(), 0u);
    EXPECT_GT(large.depthCurve[100].x, small.depthCurve[100].x);
}

TEST(ProfileChart, ReadOutUnderThePointer) {
    Localisation texts;
    texts.loadTable("Profil",
                    "\"Depth time\" = \"%.2f m %.2f min\";\n\"Depth no value\" = \"- %.2f min\";");
    // 11 samples at 120 s: x = 355 is 10 minutes in.
    ProfileChart c = layoutProfileChart(dive(std::vector<double>(11, 29), 4), {}, 700, 620, texts);
    EXPECT_EQ(c.readout(355, 368, texts), "15.00 m 10.00 min");
    EXPECT_EQ(c.readout(355, 145, texts), "- 10.00 min") << "over the gas bar";
    EXPECT_EQ(c.readout(10, 600, texts), "0.00 m 0.00 min");
    ProfileChart one = layoutProfileChart(dive({}), {}, 700, 620, texts);
    EXPECT_EQ(one.readout(400, 146, texts), "0.00 m 0.00 min");
}
