#include "stats/StatisticsChart.h"

#include <algorithm>
#include <cmath>

#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"
#include "stats/Statistics.h"

namespace divelog {

namespace {

using Fill = StatisticsBar::Fill;
using Align = StatisticsChartText::Align;

// Left edges of the bars at the default size; each is 60 points wide.
constexpr double kDepthX[] = {80, 145, 210, 275, 340, 405, 470};
constexpr double kGasX[] = {600, 665, 730, 795};
constexpr double kBarWidth = 60;
constexpr Fill kGasFill[] = {Fill::Air, Fill::Nitrox, Fill::Helium, Fill::Helium};

}  // namespace

StatisticsShares StatisticsShares::of(const Statistics& s) {
    StatisticsShares x;
    const auto bands = StatCategories::depthBands();
    for (std::size_t i = 0; i < x.depth.size(); ++i) x.depth[i] = s.share(bands[i]);
    const auto gases = StatCategories::gases();
    for (std::size_t i = 0; i < x.gas.size(); ++i) x.gas[i] = s.share(gases[i]);
    return x;
}

StatisticsChartLook StatisticsChartLook::read(const SettingsStore& store) {
    // The same background and grid switches as the profile view.
    const ProfileChartLook profile = ProfileChartLook::read(store);
    return {profile.background, profile.backgroundAlpha, profile.gradient && profile.dashedLines,
            store.boolForKey("us units")};
}

StatisticsChart layoutStatisticsChart(const StatisticsShares& shares,
                                      const StatisticsChartLook& look, double width, double height,
                                      const Localisation& texts) {
    StatisticsChart c;
    c.width = width > 0 ? width : StatisticsChart::kDefaultWidth;
    c.height = height > 0 ? height : StatisticsChart::kDefaultHeight;
    const double sx = c.width / StatisticsChart::kDefaultWidth;
    const double sy = c.height / StatisticsChart::kDefaultHeight;
    auto X = [sx](double x) { return x * sx; };
    auto Y = [sy](double y) { return y * sy; };
    c.baseY = Y(50);
    c.fullY = Y(450);
    const double left = X(50);
    // The axis runs past the last bar, which ends at 855.
    const double right = X(870);

    c.axes = {{{left, c.baseY}, {right, c.baseY}}, {{left, c.baseY}, {left, c.fullY}}};
    for (int k = 0; k <= 10; ++k) {
        const double y = Y(50 + 40 * k);
        c.ticks.push_back({{left, y}, {left + X(8), y}});
        c.texts.push_back(
            {formatText("%d %%", {std::int64_t{10 * k}}), {left - X(6), y - 3}, Align::Right});
        if (look.grid && k > 0) c.grid.push_back({{left, y}, {right, y}});
    }

    auto bar = [&](double x0, Fill fill, float share, StatCategory category) {
        // A share above 100 % (earlier counts beyond their total) stops at the top.
        const double v = std::isfinite(share) ? std::clamp<double>(share, 0, 100) : 0;
        StatisticsBar b{X(x0), X(x0 + kBarWidth), c.baseY + (c.fullY - c.baseY) * v / 100, fill,
                        share};
        const double middle = (b.x0 + b.x1) / 2;
        c.texts.push_back({formatText("%.1f %%", {static_cast<double>(share)}),
                           {middle, b.top + 4},
                           Align::Centre});
        c.texts.push_back(
            {StatCategories::title(category, texts, look.usUnits), {middle, Y(23)}, Align::Centre});
        c.bars.push_back(b);
    };
    const auto bands = StatCategories::depthBands();
    for (std::size_t i = 0; i < 7; ++i) bar(kDepthX[i], Fill::Depth, shares.depth[i], bands[i]);
    const auto gases = StatCategories::gases();
    for (std::size_t i = 0; i < 4; ++i) bar(kGasX[i], kGasFill[i], shares.gas[i], gases[i]);
    return c;
}

}  // namespace divelog
