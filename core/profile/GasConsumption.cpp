#include "profile/GasConsumption.h"

#include <cmath>

#include "dive/Plongee.h"
#include "localisation/Localisation.h"
#include "profile/ProfileSummary.h"

namespace divelog {

GasConsumption GasConsumption::of(std::int64_t start, std::int64_t end, std::int64_t minutes,
                                  std::int64_t volume, const ProfileSummary& profile) {
    GasConsumption c;
    c.pressureUsed = start - end;
    c.available = volume * start;
    c.used = volume * (start - end);
    c.averageDepth = profile.meanDepth;
    c.readable = start >= 1 && minutes >= 1;
    if (minutes < 1) return c;
    const double t = static_cast<double>(minutes);
    c.barPerMinute = static_cast<double>(c.pressureUsed) / t;
    // The surface figures need the depth the gas was breathed at.
    const bool depthKnown =
        profile.points >= 2 && std::isfinite(c.averageDepth) && c.averageDepth > 0;
    if (!depthKnown) return c;
    const double ambient = c.averageDepth / 10.0 + 1.0;
    c.surfaceBarPerMinute = *c.barPerMinute / ambient;
    if (volume > 0) c.surfaceLitresPerMinute = static_cast<double>(c.used) / t / ambient;
    return c;
}

GasConsumption GasConsumption::of(const Plongee& d, const ProfileSummary& profile) {
    return of(d.pressionDepart(), d.pressionFin(), d.temps(), d.volumeBloc(), profile);
}

std::string GasConsumption::text(const Localisation& texts, bool usUnits) const {
    constexpr std::string_view table = "Carnet";
    if (!readable) return texts.text(table, "Gas status error");
    const std::string na = texts.text(table, "N/A", "N/A");
    auto figure = [&](const std::optional<double>& v, const char* format) {
        return v ? formatText(format, {*v}) : na;
    };
    return texts.format(
        table, usUnits ? "Gas status US" : "Gas status", "error !",
        {available, used, figure(barPerMinute, "%.2f"), figure(surfaceLitresPerMinute, "%.1f"),
         figure(surfaceBarPerMinute, "%.2f"), formatText("%.1f", {averageDepth})});
}

}  // namespace divelog
