// The bar charts of depth bands and gas families: their data from the
// statistics and their geometry at any size, without a display.

#include <gtest/gtest.h>

#include <cmath>

#include "localisation/Localisation.h"
#include "logbook/Carnet.h"
#include "settings/SettingsStore.h"
#include "stats/EarlierDives.h"
#include "stats/Statistics.h"
#include "stats/StatisticsChart.h"

using namespace divelog;

namespace {

std::unique_ptr<Carnet> divesAt(const std::vector<float>& depths, std::int32_t gas = 0) {
    auto carnet = std::make_unique<Carnet>();
    Carnet::DiveList dives;
    for (float depth : depths) {
        auto d = std::make_unique<Plongee>();
        d->setProfondeur(depth);
        d->setGaz(gas);
        dives.push_back(std::move(d));
    }
    carnet->loadList(std::move(dives));
    return carnet;
}

StatisticsChart chartOf(const StatisticsShares& shares, double w = 900, double h = 480,
                        StatisticsChartLook look = {}) {
    return layoutStatisticsChart(shares, look, w, h, Localisation{});
}

bool hasText(const StatisticsChart& c, const std::string& text, double x, double y) {
    for (const auto& t : c.texts)
        if (t.text == text && std::abs(t.at.x - x) < 0.01 && std::abs(t.at.y - y) < 0.01)
            return true;
    return false;
}

}  // namespace

TEST(StatisticsChart, SharesComeFromTheCountsWithTheEarlierDivesWhenCounted) {
    const auto carnet = divesAt({5, 12, 13, 15, 19, 25, 33, 44, 52, 70});
    const StatisticsShares s =
        StatisticsShares::of(Statistics::of(*carnet, EarlierDives{}, {.countEarlier = false}));
    EXPECT_FLOAT_EQ(s.depth[1], 40.0f);
    EXPECT_FLOAT_EQ(s.depth[6], 10.0f);
    EXPECT_FLOAT_EQ(s.gas[0], 100.0f);

    EarlierDives earlier;
    earlier.set("total plongees", 100);
    earlier.set("air", 50);
    const StatisticsShares with =
        StatisticsShares::of(Statistics::of(*carnet, earlier, {.countEarlier = true}));
    EXPECT_NEAR(with.gas[0], 60.0f / 110.0f * 100.0f, 1e-4);
    EXPECT_TRUE(hasText(chartOf(with), "54.5 %", 630, 50 + 4 * with.gas[0] + 4));

    const StatisticsShares none =
        StatisticsShares::of(Statistics::of(*divesAt({}), EarlierDives{}, {.countEarlier = false}));
    EXPECT_EQ(none, StatisticsShares{}) << "no dives: empty bars, not 0 / 0";
}

TEST(StatisticsChart, BarsStandOnTheAxisAndReachTheTopAtOneHundredPercent) {
    StatisticsShares shares;
    shares.depth[1] = 40.0f;
    shares.gas[3] = 100.0f;
    shares.gas[1] = 250.0f;  // earlier counts beyond their total
    const StatisticsChart c = chartOf(shares);
    ASSERT_EQ(c.bars.size(), 11u);
    const StatisticsBar& band2 = c.bars[1];
    EXPECT_DOUBLE_EQ(band2.x0, 145);
    EXPECT_DOUBLE_EQ(band2.x1, 205);
    EXPECT_DOUBLE_EQ(band2.top, 210);
    EXPECT_TRUE(hasText(c, "40.0 %", 175, 214));
    EXPECT_DOUBLE_EQ(c.bars[10].top, c.fullY);
    EXPECT_DOUBLE_EQ(c.fullY, 450);
    EXPECT_DOUBLE_EQ(c.bars[8].top, c.fullY) << "a share past 100 % stops at the top";
    EXPECT_TRUE(hasText(c, "250.0 %", 695, 454)) << "but says what it is";
    EXPECT_DOUBLE_EQ(c.bars[0].top, c.baseY);
    EXPECT_EQ(c.bars[7].fill, StatisticsBar::Fill::Air);
    EXPECT_EQ(c.bars[9].fill, StatisticsBar::Fill::Helium);

    // The horizontal axis runs under every bar, the heliox one included.
    const double axisEnd = c.axes[0].back().x;
    for (const auto& b : c.bars) EXPECT_LE(b.x1, axisEnd);
    // Eleven ticks from 0 % to 100 %, each labelled.
    EXPECT_EQ(c.ticks.size(), 11u);
    EXPECT_TRUE(hasText(c, "100 %", 44, 447));
    EXPECT_TRUE(hasText(c, "0 %", 44, 47));
}

TEST(StatisticsChart, LaidOutForAnySizeWithTheGridAsTheSettingsSay) {
    StatisticsShares shares;
    shares.depth[0] = 50.0f;
    const StatisticsChart half = chartOf(shares, 450, 240);
    EXPECT_DOUBLE_EQ(half.bars[0].x0, 40);
    EXPECT_DOUBLE_EQ(half.bars[0].top, 25 + 100);
    EXPECT_DOUBLE_EQ(half.fullY, 225);

    InMemorySettingsStore store;
    store.setBool("gradient yes", true);
    store.setBool("dashed lines", true);
    EXPECT_EQ(chartOf(shares, 900, 480, StatisticsChartLook::read(store)).grid.size(), 10u);
    store.setBool("dashed lines", false);
    EXPECT_TRUE(chartOf(shares, 900, 480, StatisticsChartLook::read(store)).grid.empty());
}
