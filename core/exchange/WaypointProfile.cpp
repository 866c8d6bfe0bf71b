#include "exchange/WaypointProfile.h"

#include <algorithm>

#include "dive/DiveCodes.h"
#include "exchange/ImportRules.h"

namespace divelog {

namespace {

// A file's samples make at most this many logbook samples each (plus a few):
// a long gap between two waypoints takes a coarser interval, so a small file
// cannot make the logbook hold a huge profile.
constexpr std::size_t kGrowth = 4, kSlack = 32;

const SeriesId kAlarmSeries[] = {SeriesId::Ascent, SeriesId::Slow, SeriesId::Surface,
                                 SeriesId::Ceiling};

// Values at base + k * interval, linear between the given points; a NAN point
// makes NAN around it. Before the first point: from the surface at `base`
// when `fromSurface`, else NAN.
std::vector<double> resampled(const std::vector<double>& t, const std::vector<double>& v,
                              double base, double interval, std::size_t count, bool fromSurface) {
    std::vector<double> out(count);
    std::size_t j = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const double g = base + static_cast<double>(k) * interval;
        while (j < t.size() && t[j] < g) ++j;
        if (j < t.size() && t[j] == g)
            out[k] = v[j];
        else if (j == 0)
            out[k] = fromSurface && t[0] > base ? v[0] * (g - base) / (t[0] - base) : NAN;
        else if (j == t.size())
            out[k] = v.back();
        else
            out[k] = v[j - 1] + (v[j] - v[j - 1]) * (g - t[j - 1]) / (t[j] - t[j - 1]);
    }
    return out;
}

void sizeFlags(ProfileSeries& p) {
    for (SeriesId id :
         {SeriesId::Ascent, SeriesId::Slow, SeriesId::Surface, SeriesId::Ceiling, SeriesId::Gas})
        p.flags(id).assign(p.profilProfondeur.size(), 0);
}

}  // namespace

std::optional<WaypointProfile> WaypointProfile::of(std::vector<Waypoint> pts) {
    if (pts.empty()) return std::nullopt;
    WaypointProfile w;
    // A time already seen just before is the same instant: the later
    // waypoint replaces the earlier, keeping its alarms.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        if (kept > 0 && std::isfinite(pts[i].seconds) && pts[i].seconds == pts[kept - 1].seconds) {
            Waypoint& earlier = pts[kept - 1];
            for (std::size_t a = 0; a < 4; ++a)
                pts[i].alarms[a] = std::max(pts[i].alarms[a], earlier.alarms[a]);
            if (pts[i].gas == 0) pts[i].gas = earlier.gas;
            if (!std::isfinite(pts[i].bar)) pts[i].bar = earlier.bar;
            earlier = pts[i];
            ++w.repeated;
            continue;
        }
        if (kept != i) pts[kept] = pts[i];
        ++kept;
    }
    pts.resize(kept);
    const std::size_t n = pts.size();
    bool rising = n >= 2;
    std::vector<double> steps;  // between consecutive timed waypoints
    double previous = NAN;
    for (const Waypoint& wp : pts) {
        if (!std::isfinite(wp.seconds)) {
            rising = false;
            continue;
        }
        const double step = wp.seconds - previous;
        if (step > 0) steps.push_back(step);
        if (std::isfinite(previous) && !(step > 0)) rising = false;  // backwards or repeated
        previous = wp.seconds;
    }
    if (!steps.empty()) {
        const auto middle = steps.begin() + static_cast<std::ptrdiff_t>((steps.size() - 1) / 2);
        std::nth_element(steps.begin(), middle, steps.end());
        w.samplingCode = ImportRules::nearestSamplingCode(*middle);
    }
    ProfileSeries& p = w.series;
    const bool anyPressure = std::any_of(pts.begin(), pts.end(),
                                         [](const Waypoint& wp) { return std::isfinite(wp.bar); });

    if (!rising || !w.samplingCode) {
        w.inFileOrder = n >= 2 && !rising;
        for (const Waypoint& wp : pts) p.profilProfondeur.push_back(wp.metres);
        sizeFlags(p);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t a = 0; a < 4; ++a) p.flags(kAlarmSeries[a])[i] = pts[i].alarms[a];
            p.GAZ_Flag[i] = pts[i].gas;
        }
        if (anyPressure)
            for (const Waypoint& wp : pts)
                p.PRESS_Data.push_back(std::isfinite(wp.bar) ? wp.bar : 0);
        p.fillPlaceholders();
        return w;
    }

    const auto* codes = DiveCodes::table(Plongee::Field::samplingRate);
    auto at = std::find_if(codes->codes.begin(), codes->codes.end(),
                           [&](const CodeMeaning& m) { return m.code == *w.samplingCode; });
    const double base = std::min(0.0, pts.front().seconds);
    const double span = pts.back().seconds - base;
    const std::size_t cap = kGrowth * n + kSlack;
    // Up to the last waypoint, which is kept also off the grid.
    auto countAt = [&](double interval) { return std::ceil(span / interval) + 1; };
    while (countAt(at->value) > static_cast<double>(cap) && at + 1 != codes->codes.end()) ++at;
    w.samplingCode = at->code;
    const double interval = at->value;
    std::size_t count = cap;
    if (countAt(interval) > static_cast<double>(cap))
        w.cut = true;
    else
        count = static_cast<std::size_t>(countAt(interval));

    std::vector<double> t, v;
    t.reserve(n);
    v.reserve(n);
    for (const Waypoint& wp : pts) {
        t.push_back(wp.seconds);
        v.push_back(wp.metres);
    }
    p.profilProfondeur = resampled(t, v, base, interval, count, true);
    sizeFlags(p);
    for (const Waypoint& wp : pts) {
        const double k = std::round((wp.seconds - base) / interval);
        if (k < 0 || k >= static_cast<double>(count)) continue;
        for (std::size_t a = 0; a < 4; ++a)
            if (wp.alarms[a]) p.flags(kAlarmSeries[a])[static_cast<std::size_t>(k)] = wp.alarms[a];
        if (wp.gas) p.GAZ_Flag[static_cast<std::size_t>(k)] = wp.gas;
    }
    if (anyPressure) {
        // 0 is the logbook's "no reading": between a reading and a waypoint
        // without one, there is none.
        for (std::size_t i = 0; i < n; ++i) v[i] = pts[i].bar;
        p.PRESS_Data = resampled(t, v, base, interval, count, false);
        for (double& bar : p.PRESS_Data)
            if (!std::isfinite(bar)) bar = 0;
    }
    p.fillPlaceholders();
    return w;
}

}  // namespace divelog
