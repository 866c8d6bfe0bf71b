#include "stats/StatisticsTexts.h"

#include "localisation/Localisation.h"

namespace divelog {

namespace {

constexpr std::string_view kTable = "Carnet";

std::string figure(const Localisation& t, std::string_view key, const std::optional<long long>& v) {
    if (!v) return StatisticsTexts::kNone;
    return t.format(kTable, key, key, {static_cast<std::int64_t>(*v)});
}

}  // namespace

StatisticsTexts StatisticsTexts::of(const Statistics& s, const Localisation& t, bool usUnits) {
    StatisticsTexts x;
    x.usUnits = usUnits;
    x.state = t.format(kTable, "Total dives", "error !", {static_cast<std::int64_t>(s.diveCount)});
    for (const StatCategoryInfo& i : StatCategories::all()) {
        const auto k = static_cast<std::size_t>(i.id);
        x.counts[k] = std::to_string(s.counts[k]);
        // The video share keeps the leading space its column always had.
        x.shares[k] = formatText(i.id == StatCategory::Video ? " %.1f %%" : "%.1f %%",
                                 {static_cast<double>(s.share(i.id))});
    }
    for (const StatCategoryInfo& i : StatCategories::all())
        x.titles[static_cast<std::size_t>(i.id)] = StatCategories::title(i.id, t, usUnits);
    // In the logbook's own units: feet and °F under "us units".
    const std::string_view depthKey = usUnits ? "%d ft" : "%d m";
    x.maxDepth = figure(t, depthKey, s.shown.maxDepth);
    x.meanDepth = figure(t, depthKey, s.shownMeanDepth());
    x.depthTotal = figure(t, depthKey, s.shown.depthTotal);
    x.maxTime = figure(t, "%d min.", s.maxTime);
    x.meanTime = figure(t, "%d min.", s.meanTime());
    const long long hours = s.timeTotal / 60;
    x.timeTotal = t.format(
        kTable, "%d h %.2d min.\r(%d min.)", "%d h %.2d min.\r(%d min.)",
        {static_cast<std::int64_t>(hours), static_cast<std::int64_t>(s.timeTotal - 60 * hours),
         static_cast<std::int64_t>(s.timeTotal)});
    const std::string_view degrees = usUnits ? "Farenheit" : "Celsius";
    x.minTemperature = figure(t, degrees, s.shown.minTemperature);
    x.maxTemperature = figure(t, degrees, s.shown.maxTemperature);
    x.meanTemperature = figure(t, degrees, s.shown.meanTemperature);
    auto otu = [&](const std::optional<double>& v) {
        return v ? t.format(kTable, "%.0f OTU", "%.0f OTU", {*v}) : std::string(kNone);
    };
    x.highestOtu = otu(s.highestOtu);
    x.otuTotal = otu(s.otuTotal);
    return x;
}

}  // namespace divelog
