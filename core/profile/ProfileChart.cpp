#include "profile/ProfileChart.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "dive/DiveCodes.h"
#include "dive/Plongee.h"
#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

constexpr std::string_view kTable = "Profil";
constexpr double kGraphBottom = 123;  // Y0: the gas bar lies below
constexpr double kGasBarBottom = 20, kGasBarTop = 80;
// Labels closer than this would run into each other.
constexpr double kMinLabelSpacing = 30, kMinDepthLabelSpacing = 14, kMinTickSpacing = 2;

std::string text(const Localisation& t, std::string_view key) { return t.text(kTable, key); }

// Minutes between two labelled time ticks: five, or more when five minutes
// are too narrow on this width.
double minutesPerMajorTick(double pointsPerFiveMinutes) {
    for (double minutes : {5.0, 10.0, 15.0, 30.0})
        if (pointsPerFiveMinutes * minutes / 5.0 >= kMinLabelSpacing) return minutes;
    double minutes = 60;  // then whole hours, doubling
    while (pointsPerFiveMinutes * minutes / 5.0 < kMinLabelSpacing && minutes < 1e9) minutes *= 2;
    return minutes;
}

double metresPerMajorTick(double pointsPerMetre) {
    for (double metres : {5.0, 10.0, 20.0, 25.0, 50.0, 100.0, 250.0, 500.0, 1000.0})
        if (pointsPerMetre * metres >= kMinDepthLabelSpacing) return metres;
    return 10000.0;
}

struct Frame {
    double L, W, H, surfaceY, right;
    double Y(double depth, double M) const { return surfaceY - depth * (H - 30) / M; }
};

// Where sample i and depth d are drawn.
struct Place {
    double L, span;
    std::size_t n;
    double M, surfaceY, H;
    double X(std::size_t i) const {
        return L + static_cast<double>(i) * span / static_cast<double>(n);
    }
    double Y(double depth) const { return surfaceY - std::min(depth, M) * (H - 30) / M; }
};

// Samples first to last of a line: all of them, or past two samples per
// point of width each point's extremes, so a 10-hour dive stays light and
// looks the same.
template <class Value, class Take>
void thinned(const Place& p, std::size_t first, std::size_t last, Value value, Take take) {
    if (static_cast<double>(p.n) <= 2 * p.span) {
        for (std::size_t i = first; i <= last; ++i) take(i);
        return;
    }
    auto column = [&](std::size_t i) { return std::floor(p.X(i)); };
    for (std::size_t i = first; i <= last;) {
        const double col = column(i);
        std::size_t j = i, lo = i, hi = i;
        while (j <= last && column(j) == col) {
            if (value(j) < value(lo)) lo = j;
            if (value(j) > value(hi)) hi = j;
            ++j;
        }
        take(std::min(lo, hi));
        if (hi != lo) take(std::max(lo, hi));
        i = j;
    }
}

// The ceiling under the surface, the stretches above it and the warnings.
void layoutModel(ProfileChart& c, const ProfileModel& m, const std::vector<double>& depths,
                 const Place& p, const Localisation& t) {
    const std::vector<float>& ceiling = m.ceiling();
    const std::size_t last = p.n - 1;
    if (m.deepestCeiling() > 0) {
        c.ceilingArea.push_back({p.X(0), p.surfaceY});
        thinned(
            p, 0, last, [&](std::size_t i) { return double{ceiling[i]}; },
            [&](std::size_t i) {
                c.ceilingArea.push_back({p.X(i), p.Y(ceiling[i])});
            });
        c.ceilingArea.push_back({p.X(last), p.surfaceY});
        const GradientFactors& gf = m.inputs().gf;
        c.texts.push_back({t.format(kTable, "Ceiling legend", "Ceiling, GF %d/%d",
                                    {static_cast<std::int64_t>(std::llround(gf.low * 100)),
                                     static_cast<std::int64_t>(std::llround(gf.high * 100))}),
                           {p.L + 80, p.surfaceY + 22},
                           ChartText::Style::Ceiling});
    }
    auto depth = [&](std::size_t i) { return depths[i]; };
    for (const SampleRun& r : m.aboveCeiling()) {
        // A lone sample is drawn with its neighbours, so it shows.
        const std::size_t first = r.first > 0 ? r.first - 1 : 0;
        const std::size_t to = std::min(r.last + 1, last);
        ChartLine line;
        thinned(p, first, to, depth, [&](std::size_t i) {
            line.push_back({p.X(i), p.Y(depths[i])});
        });
        c.ceilingBreaks.push_back(std::move(line));
    }

    using Kind = ChartWarning::Kind;
    constexpr double kLabelWidth = 60;
    auto warn = [&](const std::vector<SampleRun>& runs, Kind kind, std::string_view key,
                    const char* fallback, bool higherIsWorse) {
        double shownAt = -1e9, worst = 0;
        std::size_t marker = 0;
        auto flush = [&] {
            if (shownAt < -1e8) return;
            ChartWarning& w = c.warnings[marker];
            w.label.text = t.format(kTable, key, fallback, {worst});
        };
        for (const SampleRun& r : runs) {
            const double x = p.X(r.first);
            if (x - shownAt >= kLabelWidth) {
                flush();
                shownAt = x;
                worst = r.worst;
                marker = c.warnings.size();
                const ChartPoint at{x, p.Y(depths[r.first])};
                c.warnings.push_back(
                    {kind,
                     at,
                     {{}, {std::max(x - 12, 0.0), at.y + 18}, ChartText::Style::Warning}});
            } else {
                worst = higherIsWorse ? std::max(worst, r.worst) : std::min(worst, r.worst);
            }
        }
        flush();
    };
    warn(m.aboveCeiling(), Kind::AboveCeiling, "Marker above ceiling", "%.1f m above ceiling",
         true);
    warn(m.highOxygen(), Kind::HighOxygen, "Marker high ppO2", "ppO2 %.2f", true);
    warn(m.lowOxygen(), Kind::LowOxygen, "Marker low ppO2", "ppO2 %.2f", false);
    warn(m.fastAscents(), Kind::FastAscent, "Marker fast ascent", "%.0f m/min", true);
    // Labels stay inside the view and clear of each other and of the
    // chart's own texts: one that finds no room a line or two lower keeps
    // its marker only.
    constexpr double kCharWidth = 6.5, kLineHeight = 13;
    struct Box {
        double left, right, top, bottom;
        bool meets(const Box& o) const {
            return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
        }
    };
    auto boxOf = [&](const ChartPoint& at, std::size_t length) {
        return Box{at.x, at.x + kCharWidth * static_cast<double>(length), at.y - kLineHeight + 2,
                   at.y + 2};
    };
    std::vector<Box> taken;
    for (const ChartText& text : c.texts) taken.push_back(boxOf(text.at, text.text.size()));
    for (ChartWarning& w : c.warnings) {
        const double room = c.width - kCharWidth * static_cast<double>(w.label.text.size());
        w.label.at.x = std::max(std::min(w.label.at.x, room), 0.0);
        w.label.at.y = std::min(w.label.at.y, c.height - 12);
        bool placed = false;
        for (int line = 0; line < 3 && !placed; ++line) {
            ChartPoint at = w.label.at;
            at.y = std::min(at.y + line * kLineHeight, c.height - 12);
            const Box box = boxOf(at, w.label.text.size());
            if (std::none_of(taken.begin(), taken.end(),
                             [&](const Box& b) { return b.meets(box); })) {
                w.label.at = at;
                taken.push_back(box);
                placed = true;
            }
        }
        if (!placed) w.label.text.clear();
    }
}

}  // namespace

ProfileChartData ProfileChartData::of(const Plongee& d) {
    ProfileChartData c;
    c.series = ProfileSeries::of(d);
    c.fracO2 = d.o2Mix();
    c.setPointCode = d.ppO2();
    c.decoO2 = {d.decoO2_Level_1(), d.decoO2_Level_2(), d.decoO2_Level_3(), d.decoO2_Level_4(),
                d.decoO2_Level_5()};
    c.pressDepart = d.pressionDepart();
    c.pressFin = d.pressionFin();
    c.samplingCode = d.samplingRate();
    return c;
}

ProfileChartLook ProfileChartLook::read(const SettingsStore& s) {
    ProfileChartLook look;
    look.background = s.colourForKey("background color");
    look.fill = s.colourForKey("fill color");
    look.plot = s.colourForKey("plot color");
    look.gradientLines = s.colourForKey("gradient lines color");
    auto alpha = [&](const char* key) {
        const double a = s.numberForKey(key);
        return std::isfinite(a) ? std::clamp(a, 0.0, 1.0) : 1.0;
    };
    look.backgroundAlpha = alpha("alpha background color");
    look.fillAlpha = alpha("alpha fill color");
    look.gradient = s.boolForKey("gradient yes");
    look.fillPlot = s.boolForKey("fill plot");
    look.xMinorTicks = s.boolForKey("x minor ticks");
    look.yMinorTicks = s.boolForKey("y minor ticks");
    look.dashedLines = s.boolForKey("dashed lines");
    look.ppO2Line = s.boolForKey("ppO2 line");
    return look;
}

ProfileChart layoutProfileChart(const ProfileChartData& data, const ProfileChartLook& look,
                                double width, double height, const Localisation& t) {
    ProfileChart c;
    c.width = std::max(width, 200.0);
    c.height = std::max(height, 300.0);
    const Frame f{30, c.width - 40, c.height - 160, kGraphBottom + (c.height - 160),
                  30 + (c.width - 40) - 10};
    c.left = f.L;
    c.right = f.right;
    c.surfaceY = f.surfaceY;
    c.timeAxisY = kGraphBottom + 20;

    // The depths; a dive without samples is drawn as its surface placeholder.
    std::vector<double> depths = data.series.profilProfondeur;
    if (depths.empty()) depths.push_back(0.0);
    for (double& d : depths)
        if (!std::isfinite(d)) d = 0;
    const std::size_t n = depths.size();
    const double deepest = *std::max_element(depths.begin(), depths.end());
    const double M = std::max(deepest, 0.0) + 1;
    const auto seconds = DiveCodes::samplingSeconds(data.samplingCode);
    const double S = seconds ? 300.0 / *seconds : 30.0;  // samples per 5 minutes
    c.samples = n;
    c.depthScale = M;
    c.samplingSeconds = seconds ? *seconds : 10;
    c.pointsPerMetre = (f.H - 30) / M;
    const double span = f.W - 10;
    auto u = [&](double i) { return i * span / static_cast<double>(n); };
    auto X = [&](double i) { return f.L + u(i); };
    auto Y = [&](double depth) { return f.Y(depth, M); };

    if (look.gradient)
        for (double k = 0; k < f.H - 20; ++k) c.gradientRows.push_back(c.timeAxisY + k);

    // Time axis with its arrow, and its ticks; the gas bar repeats them.
    const double stepFive = f.W / static_cast<double>(n) * S;  // points per 5 minutes
    const double majorMinutes = minutesPerMajorTick(stepFive);
    const double major = stepFive * majorMinutes / 5.0;
    const double minor = major / 5.0;
    c.axis.push_back({{f.L, c.timeAxisY}, {f.right, c.timeAxisY}});
    c.texts.push_back(
        {text(t, "Time min"), {c.width - 100, c.timeAxisY + 10}, ChartText::Style::TimeTitle});
    c.ticks.push_back({{f.right - 5, c.timeAxisY + 5}, {f.right, c.timeAxisY}});
    c.axis.push_back({{f.right, c.timeAxisY}, {f.right - 5, c.timeAxisY - 5}});
    c.axis.push_back({{f.L, kGasBarBottom}, {f.right, kGasBarBottom}});
    c.axis.push_back({{f.right - 5, kGasBarBottom + 5},
                      {f.right, kGasBarBottom},
                      {f.right - 5, kGasBarBottom - 5}});
    // Each tick is k steps from the origin, so rounding never stalls the loop.
    for (std::size_t k = 0;; ++k) {
        const double p = static_cast<double>(k) * major;
        if (p >= f.W - 20 || (k > 0 && major < 1)) break;
        c.ticks.push_back({{f.L + p, c.timeAxisY}, {f.L + p, c.timeAxisY + 8}});
        c.ticks.push_back({{f.L + p, kGasBarBottom}, {f.L + p, kGasBarBottom + 8}});
        c.texts.push_back({formatText("%d", {static_cast<std::int64_t>(k) *
                                             static_cast<std::int64_t>(majorMinutes)}),
                           {f.L + p - 5, kGraphBottom}});
    }
    if (look.xMinorTicks && minor >= kMinTickSpacing) {
        for (std::size_t k = 0;; ++k) {
            const double q = static_cast<double>(k) * minor;
            if (q >= f.W - 20) break;
            c.ticks.push_back({{f.L + q, c.timeAxisY}, {f.L + q, c.timeAxisY + 5}});
            c.ticks.push_back({{f.L + q, kGasBarBottom}, {f.L + q, kGasBarBottom + 5}});
        }
    }

    // Depth axis, its ticks and the dashed grid.
    c.axis.push_back({{f.L, c.timeAxisY}, {f.L, f.surfaceY + 15}});
    c.texts.push_back({text(t, "Depth m"), {8, f.surfaceY + 20}});
    if (look.yMinorTicks && c.pointsPerMetre >= kMinTickSpacing)
        for (double m = 0; m < M; ++m) c.ticks.push_back({{f.L, Y(m)}, {f.L + 5, Y(m)}});
    const double depthStep = metresPerMajorTick(c.pointsPerMetre);
    const double gridRightLow = c.width - 110;
    for (double d = 0; d < M; d += depthStep) {
        c.ticks.push_back({{f.L, Y(d)}, {f.L + 8, Y(d)}});
        c.texts.push_back({formatText("%d", {static_cast<std::int64_t>(d)}), {8, Y(d) - 8}});
        if (look.dashedLines)
            c.grid.push_back(
                {{f.L, Y(d)}, {Y(d) > kGraphBottom + 50 ? f.right : gridRightLow, Y(d)}});
    }

    // Gas bar: its scale is the first pressure reading, or the highest when
    // the first is missing.
    std::vector<double> pressures = data.series.PRESS_Data;
    if (pressures.size() <= 1) {
        pressures.assign(n, 0.0);
        pressures.front() = data.pressDepart;
        pressures.back() = data.pressFin;
    }
    for (double& p : pressures)
        if (!std::isfinite(p)) p = 0;
    double reference = pressures.front();
    if (reference <= 0) reference = *std::max_element(pressures.begin(), pressures.end());
    c.axis.push_back({{f.L, kGasBarBottom}, {f.L, kGasBarTop}});
    c.texts.push_back({text(t, "Gas bar"), {f.L, kGasBarTop + 5}});
    for (double y : {80.0, 65.0, 50.0, 35.0}) c.ticks.push_back({{f.L, y}, {f.L + 8, y}});
    if (look.yMinorTicks)
        for (double y : {72.5, 57.5, 42.5, 27.5}) c.ticks.push_back({{f.L, y}, {f.L + 5, y}});
    // Without any pressure the bar has no scale to label: three "0" say nothing.
    if (reference > 0) {
        const auto bar = static_cast<std::int64_t>(std::clamp(reference, 0.0, 1e9));
        c.texts.push_back({formatText("%3d", {bar}), {3, 71}});
        c.texts.push_back({formatText("%3d", {bar / 2}), {3, 42}});
        c.texts.push_back({formatText("%3d", {std::int64_t{0}}), {3, 13}});
        c.pressureCurve.push_back({f.L, kGasBarTop});
        auto point = [&](std::size_t i) {
            c.pressureCurve.push_back(
                {X(static_cast<double>(i)),
                 pressures[i] * (kGasBarTop - kGasBarBottom) / reference + kGasBarBottom});
        };
        const std::size_t shown = std::min(pressures.size(), n);
        // As the depth curve: past two samples per point only each point's
        // extremes among the pressures given.
        const bool thinPressures = static_cast<double>(n) > 2 * span;
        for (std::size_t i = 0; i < shown;) {
            if (!thinPressures) {
                if (pressures[i] > 0) point(i);
                ++i;
                continue;
            }
            const double column = std::floor(u(static_cast<double>(i)));
            std::optional<std::size_t> lo, hi;
            std::size_t j = i;
            for (; j < shown && std::floor(u(static_cast<double>(j))) == column; ++j) {
                if (!(pressures[j] > 0)) continue;
                if (!lo || pressures[j] < pressures[*lo]) lo = j;
                if (!hi || pressures[j] > pressures[*hi]) hi = j;
            }
            if (lo) {
                point(std::min(*lo, *hi));
                if (*lo != *hi) point(std::max(*lo, *hi));
            }
            i = j;
        }
    }

    // The depth curve, closed along the surface so the fill lies under the
    // water. Past two samples per point of width only each point's extremes
    // are kept: the curve looks the same and a 10-hour dive stays light.
    c.depthCurve.push_back({f.L, f.surfaceY});
    const bool thin = static_cast<double>(n) > 2 * span;
    for (std::size_t i = 0; i < n;) {
        if (!thin) {
            c.depthCurve.push_back({X(static_cast<double>(i)), Y(depths[i])});
            ++i;
            continue;
        }
        const double column = std::floor(u(static_cast<double>(i)));
        std::size_t j = i, lo = i, hi = i;
        while (j < n && std::floor(u(static_cast<double>(j))) == column) {
            if (depths[j] < depths[lo]) lo = j;
            if (depths[j] > depths[hi]) hi = j;
            ++j;
        }
        for (std::size_t k : {std::min(lo, hi), std::max(lo, hi)})
            c.depthCurve.push_back({X(static_cast<double>(k)), Y(depths[k])});
        i = j;
    }
    c.depthCurve.push_back({f.right, f.surfaceY});
    c.surfaceLine = {{f.L, f.surfaceY}, {f.right, f.surfaceY}};

    // The limit of the oxygen partial pressure, where the dive reaches it.
    const auto setPoint = DiveCodes::setPointBar(data.setPointCode);
    if (look.ppO2Line && setPoint && data.fracO2 > 0) {
        const float limit = static_cast<float>(*setPoint);
        const float mod = (limit / (static_cast<float>(data.fracO2) / 100.0f) - 1.0f) * 10.0f;
        if (M + 1 > mod && mod >= 0) {
            const bool high = Y(mod) > kGraphBottom + 50;
            c.oxygenLimit = {{f.L, Y(mod)}, {high ? f.right : gridRightLow, Y(mod)}};
            c.texts.push_back(
                {t.format(kTable, "PpO2", "error !", {double{limit}}),
                 {high ? c.width - 90 : c.width - 180, f.surfaceY - mod * (f.H - 35) / M},
                 ChartText::Style::Limit});
        }
    }

    if (data.model && data.model->available() && data.model->samples() == n)
        layoutModel(c, *data.model, depths, Place{f.L, span, n, M, f.surfaceY, f.H}, t);

    // Markers of a flag series that has one entry per sample.
    const std::size_t firstMarkerText = c.texts.size();
    const auto& s = data.series;
    auto has = [&](SeriesId id) { return s.size(id) == n; };
    for (std::size_t i = 0; i < n; ++i) {
        const double ui = u(static_cast<double>(i)), y = Y(depths[i]);
        if (has(SeriesId::Ascent) && s.ASC_Flag[i] == 1)
            c.images.push_back({"alarmeASC", {ui + 26, y - 8}});
        if (has(SeriesId::Slow) && s.SLOW_Flag[i] == 1)
            c.images.push_back({"alarmeSLOW", {ui + 23, y}});
        if (has(SeriesId::Ceiling) && s.CEIL_Flag[i] == 1)
            c.images.push_back({"alarmeCEIL", {ui + 23, y}});
        // A surfacing needs the sample before it.
        if (has(SeriesId::Surface) && s.SURF_Flag[i] == 1 && i > 0 && i + 1 < n) {
            const double x0 = X(static_cast<double>(i - 1)), x1 = X(static_cast<double>(i));
            c.surfacings.push_back(
                {{x0, Y(depths[i - 1]) + 1}, {(x0 + x1) / 2, f.surfaceY - 1}, {x1, y + 1}});
        }
        if (!has(SeriesId::Gas)) continue;
        const std::int32_t gas = s.GAZ_Flag[i];
        if (gas == 1) {
            c.images.push_back({"alarmeGAZ", {ui - 27, y}});
            c.texts.push_back({text(t, "Bottom gas"), {ui - 12, y + 14}});
        } else if (gas == 2 && data.decoO2[0] >= 98) {
            c.images.push_back({"alarmeGAZO2", {ui, y}});
            c.texts.push_back({text(t, "O2"), {ui + 3, y + 18}});
        } else if (gas >= 2 && gas <= 6) {
            c.images.push_back({"alarmeGAZ", {ui - 27, y}});
            c.texts.push_back(
                {t.format(kTable, "EAN%d", "EAN%d",
                          {std::int64_t{data.decoO2[static_cast<std::size_t>(gas - 2)]}}),
                 {ui - 25, y + 14}});
        }
    }
    // Markers and labels of the first samples stay inside the view.
    for (auto& image : c.images) image.at.x = std::max(image.at.x, 0.0);
    for (auto& text : c.texts) text.at.x = std::max(text.at.x, 0.0);
    // A gas label of a sample at the surface would run into the depth title.
    for (std::size_t k = firstMarkerText; k < c.texts.size(); ++k)
        c.texts[k].at.y = std::min(c.texts[k].at.y, f.surfaceY + 2);
    return c;
}

std::string ProfileChart::readout(double x, double y, const Localisation& texts) const {
    const double span = right - left;
    double minutes = (x - left) * static_cast<double>(samples > 0 ? samples - 1 : 0) *
                     samplingSeconds / (60.0 * span);
    if (!(minutes > 0)) minutes = 0;
    if (y <= timeAxisY + 2) return texts.format(kTable, "Depth no value", "error !", {minutes});
    double depth = (surfaceY - y) / pointsPerMetre;
    if (!(depth > 0) || samples < 2) depth = 0;
    return texts.format(kTable, "Depth time", "error !", {depth, minutes});
}

std::optional<std::size_t> ProfileChart::sampleAt(double x) const {
    if (samples == 0) return std::nullopt;
    const double span = right - left;
    const double i = std::round((x - left) * static_cast<double>(samples) / span);
    if (!(i > 0)) return std::size_t{0};
    return std::min(static_cast<std::size_t>(std::min(i, 1e15)), samples - 1);
}

}  // namespace divelog
