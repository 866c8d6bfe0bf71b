#include "profile/ProfileModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dive/DiveCodes.h"
#include "dive/Plongee.h"
#include "dive/Units.h"

namespace divelog {

namespace {

constexpr double kMetresPerBar = 10;
// Below this a pressure or depth difference is rounding, not a warning.
constexpr double kSlack = 1e-6;

double secondsOf(double s) { return std::isfinite(s) && s > 0 ? s : 10; }
double surfaceOf(double p) { return std::isfinite(p) && p > 0 ? p : 1; }

// Depths as the model takes them, with the count of those it had to mend.
void cleanDepths(const std::vector<double>& raw, std::vector<double>& out, std::size_t& held,
                 std::size_t& raised) {
    out.resize(raw.size());
    held = raised = 0;
    double last = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        double d = raw[i];
        if (!std::isfinite(d)) {
            d = last;
            ++held;
        } else if (d < 0) {
            d = 0;
            ++raised;
        }
        out[i] = last = d;
    }
}

// The oxygen of each interval at the pressure of its two ends on the gas of
// its first sample (a switch flagged at a sample is breathed from it on).
struct OxygenSum {
    OxygenDose dose;
    double highest = 0, lowest = std::numeric_limits<double>::infinity();
};
OxygenSum sumOxygen(const std::vector<double>& depths, const std::vector<GasIndex>& gas,
                    const DiveGases& gases, double surface, double minutes,
                    std::vector<float>* perSample) {
    OxygenSum sum;
    const std::size_t n = depths.size();
    if (perSample) perSample->resize(n);
    double before = 0, lastMean = std::numeric_limits<double>::quiet_NaN();
    OxygenDose step;
    for (std::size_t i = 0; i < n; ++i) {
        const double ambient = surface + depths[i] / kMetresPerBar;
        const double now = inspired(gases, gas[i], ambient).o2;
        if (perSample) (*perSample)[i] = static_cast<float>(now);
        sum.highest = std::max(sum.highest, now);
        sum.lowest = std::min(sum.lowest, now);
        if (i > 0) {
            const double end = gas[i] == gas[i - 1] ? now : inspired(gases, gas[i - 1], ambient).o2;
            // A steady pressure repeats the last interval's dose without its power.
            const double mean = (before + end) / 2;
            if (mean != lastMean) {
                step = OxygenDose{};
                step.add(mean, minutes);
                lastMean = mean;
            }
            sum.dose.cnsPercent += step.cnsPercent;
            sum.dose.otu += step.otu;
        }
        before = now;
    }
    if (n == 0) sum.lowest = 0;
    return sum;
}

void mark(std::vector<SampleRun>& runs, std::size_t i, double value, bool higherIsWorse) {
    if (!runs.empty() && runs.back().last + 1 == i) {
        SampleRun& r = runs.back();
        r.last = i;
        r.worst = higherIsWorse ? std::max(r.worst, value) : std::min(r.worst, value);
    } else {
        runs.push_back({i, i, value});
    }
}

// Every compartment at or under its M-value at the surface, by GF high.
bool surfaceAllowed(const Tissues& t, double gfHigh, double surface) {
    for (std::size_t c = 0; c < zhl16c::kCompartments; ++c) {
        const MValueLine line = mValueLine(c, t.n2[c], t.he[c]);
        if (t.n2[c] + t.he[c] > line.a * gfHigh + surface * (gfHigh / line.b - gfHigh + 1))
            return false;
    }
    return true;
}

}  // namespace

ModelInputs ModelInputs::of(const Plongee& d, bool usUnits) {
    ModelInputs in;
    in.gases = DiveGases::of(d);
    in.surfaceBar = surfacePressureAt(units::metresOfTypedDepth(d.altitude(), usUnits));
    in.samplingSeconds = DiveCodes::samplingSeconds(d.samplingRate()).value_or(10);
    in.start = Tissues::saturated(in.surfaceBar);
    return in;
}

double ceilingPressure(const Tissues& t, const GradientFactors& gf, double surface, double& anchor,
                       std::size_t* leading) {
    // Run for every sample, so it divides only where a compartment limits.
    // With T the tension and aT, bT the a and b summed over its gases (a =
    // aT / T, b = bT / T), T exceeds what P allows, a g + P (g / b - g + 1),
    // when T² bT > g aT bT + P T (g T + bT (1 - g)).
    constexpr std::size_t K = zhl16c::kCompartments;
    // The table's a and b laid out one array each, and each step below a
    // loop of its own without branches: the compiler does two compartments
    // at a time, and only the rare compartment that limits takes a branch.
    struct Coefficients {
        std::array<double, K> n2A, heA, n2B, heB;
    };
    static const Coefficients k = [] {
        Coefficients c;
        for (std::size_t i = 0; i < K; ++i) {
            const zhl16c::Compartment& m = zhl16c::compartments()[i];
            c.n2A[i] = m.n2A;
            c.heA[i] = m.heA;
            c.n2B[i] = m.n2B;
            c.heB[i] = m.heB;
        }
        return c;
    }();
    std::array<double, K> aT, bT, tension, excess;
    const double gL = gf.low, gH = gf.high;
    for (std::size_t c = 0; c < K; ++c) {
        tension[c] = t.n2[c] + t.he[c];
        aT[c] = k.n2A[c] * t.n2[c] + k.heA[c] * t.he[c];
        bT[c] = k.n2B[c] * t.n2[c] + k.heB[c] * t.he[c];
    }
    // How far a compartment is over what P allows at gradient factor g (> 0: over).
    auto excessOf = [&](std::size_t c, double g, double p) {
        const double T = tension[c];
        return T * T * bT[c] - (g * aT[c] * bT[c] + p * T * (g * T + bT[c] * (1 - g)));
    };
    auto overAll = [&](double g, double p) {
        for (std::size_t c = 0; c < K; ++c) excess[c] = excessOf(c, g, p);
    };
    // Only a compartment over its GF-low line at the anchor moves the anchor
    // deeper, to where it is just allowed.
    const double start = std::max(anchor, surface);
    double deepest = start;
    overAll(gL, start);
    for (std::size_t c = 0; c < K; ++c)
        if (excess[c] > 0 && tension[c] > 1e-12) {
            const double T = tension[c];
            deepest = std::max(
                deepest, (T * T * bT[c] - gL * aT[c] * bT[c]) / (T * (gL * T + bT[c] * (1 - gL))));
        }
    anchor = deepest;
    const double span = anchor - surface;
    const double slope = span < 1e-9 ? 0 : (gL - gH) / span;
    const double g0 = gH - slope * surface;
    double ceiling = surface;
    std::size_t leader = leading ? std::min(*leading, K - 1) : 0;
    auto consider = [&](std::size_t c) {
        // Allowed at the ceiling found so far, its own ceiling lies no deeper.
        if (!(tension[c] > 1e-12) || !(excessOf(c, g0 + slope * ceiling, ceiling) > 0)) return;
        const double a = aT[c] / tension[c], b = bT[c] / tension[c];
        const double bTension = bT[c], ab = a * b;
        const double before = ceiling;
        if (span < 1e-9) {
            ceiling = std::max(ceiling, (bTension - ab * gH) / (gH + b * (1 - gH)));
        } else {
            // The gradient factor falls linearly from GF high at the surface to
            // GF low at the anchor: g = g0 + sP. The allowed tension times b,
            // a b g + P (g + b (1 - g)), is then quadratic in P; under the anchor
            // it is allowed and at the surface it is not, so one root lies between.
            const double A = slope * (1 - b);
            const double B = ab * slope + g0 * (1 - b) + b;
            const double C = ab * g0 - bTension;
            double root = anchor;
            auto take = [&](double r) {
                if (std::isfinite(r) && r >= surface - 1e-9 && r <= anchor + 1e-9)
                    root = std::min(root, r);
            };
            if (std::fabs(A) < 1e-12) {
                if (B != 0) take(-C / B);
            } else {
                const double q =
                    -0.5 * (B + std::copysign(std::sqrt(std::max(B * B - 4 * A * C, 0.0)), B));
                take(q / A);
                if (q != 0) take(C / q);
            }
            ceiling = std::max(ceiling, std::clamp(root, surface, anchor));
        }
        if (ceiling > before) leader = c;
    };
    consider(leader);
    // The others at the leader's ceiling: only one still over it has a
    // deeper ceiling of its own.
    overAll(g0 + slope * ceiling, ceiling);
    for (std::size_t c = 0; c < K; ++c)
        if (excess[c] > 0) consider(c);
    if (leading) *leading = leader;
    return ceiling;
}

std::shared_ptr<const ProfileModel> ProfileModel::compute(const ProfileSeries& series,
                                                          const ModelInputs& inputs) {
    auto m = std::make_shared<ProfileModel>();
    m->inputs_ = inputs;
    m->inputs_.samplingSeconds = secondsOf(inputs.samplingSeconds);
    m->inputs_.surfaceBar = surfaceOf(inputs.surfaceBar);
    m->minutesPerSample_ = m->inputs_.samplingSeconds / 60;
    m->end_ = inputs.start;
    cleanDepths(series.profilProfondeur, m->depths_, m->heldDepths_, m->raisedDepths_);
    const std::size_t n = m->depths_.size();
    if (n < 2) {
        m->missing_ = Missing::Profile;
        return m;
    }
    const DiveGases& gases = m->inputs_.gases;
    if (!gases.usable()) {
        m->missing_ = Missing::SetPoint;
        return m;
    }
    gasOfEachSample(gases, series.GAZ_Flag, n, m->gas_);
    const double ps = m->inputs_.surfaceBar;
    const double minutes = m->minutesPerSample_;
    const std::vector<double>& d = m->depths_;
    const std::vector<GasIndex>& gas = m->gas_.gas;

    const OxygenSum oxygen = sumOxygen(d, gas, gases, ps, minutes, &m->ppO2_);
    m->dose_ = oxygen.dose;
    m->highestPpO2_ = oxygen.highest;
    m->lowestPpO2_ = oxygen.lowest;

    m->ceiling_.resize(n);
    m->anchor_.resize(n);
    m->checkpoints_.reserve(n / kCheckpointEvery + 1);
    const TissueStep step(minutes);
    Tissues t = inputs.start;
    double anchor = ps;
    std::size_t leading = 0;
    Inspired before = inspired(gases, gas[0], ps + d[0] / kMetresPerBar);
    for (std::size_t i = 0; i < n; ++i) {
        const double ambient = ps + d[i] / kMetresPerBar;
        if (i > 0) {
            const Inspired end = inspired(gases, gas[i - 1], ambient);
            step.apply(t, before.n2, end.n2, before.he, end.he);
            before = gas[i] == gas[i - 1] ? end : inspired(gases, gas[i], ambient);
        }
        if (i % kCheckpointEvery == 0) m->checkpoints_.push_back(t);
        const double ceiling =
            (ceilingPressure(t, m->inputs_.gf, ps, anchor, &leading) - ps) * kMetresPerBar;
        m->ceiling_[i] = static_cast<float>(ceiling);
        m->anchor_[i] = static_cast<float>(anchor);
        m->deepestCeiling_ = std::max(m->deepestCeiling_, ceiling);
    }
    m->end_ = t;

    for (std::size_t i = 0; i < n; ++i) {
        const double ceiling = m->ceiling_[i];
        if (ceiling > 0 && d[i] < ceiling - kSlack) mark(m->aboveCeiling_, i, ceiling - d[i], true);
        const double p = m->ppO2_[i];
        if (p > kHighestPpO2 + kSlack) mark(m->highOxygen_, i, p, true);
        if (p < kLowestPpO2 - kSlack) mark(m->lowOxygen_, i, p, false);
    }
    // The ascent of the last minute (of the last interval when samples are further apart).
    const auto window =
        static_cast<std::size_t>(std::max(1.0, std::round(60 / m->inputs_.samplingSeconds)));
    for (std::size_t i = window; i < n; ++i) {
        const double rate = (d[i - window] - d[i]) / (static_cast<double>(window) * minutes);
        if (rate > kFastestAscent + kSlack) mark(m->fastAscents_, i, rate, true);
    }
    return m;
}

std::optional<Tissues> ProfileModel::tissuesAfter(const ProfileSeries& series,
                                                  const ModelInputs& inputs) {
    Tissues t = inputs.start;
    if (!inputs.gases.usable()) return std::nullopt;
    std::vector<double> d;
    std::size_t held = 0, raised = 0;
    cleanDepths(series.profilProfondeur, d, held, raised);
    if (d.size() < 2) return t;
    GasSwitches gas;
    gasOfEachSample(inputs.gases, series.GAZ_Flag, d.size(), gas);
    const double ps = surfaceOf(inputs.surfaceBar);
    const TissueStep step(secondsOf(inputs.samplingSeconds) / 60);
    for (std::size_t i = 1; i < d.size(); ++i) {
        const Inspired a = inspired(inputs.gases, gas.gas[i - 1], ps + d[i - 1] / kMetresPerBar);
        const Inspired b = inspired(inputs.gases, gas.gas[i - 1], ps + d[i] / kMetresPerBar);
        step.apply(t, a.n2, b.n2, a.he, b.he);
    }
    return t;
}

Tissues ProfileModel::tissuesAt(std::size_t sample) const {
    if (!available()) return inputs_.start;
    const std::size_t n = samples();
    sample = std::min(sample, n - 1);
    const std::size_t from = sample / kCheckpointEvery * kCheckpointEvery;
    Tissues t = checkpoints_[sample / kCheckpointEvery];
    const TissueStep step(minutesPerSample_);
    const double ps = inputs_.surfaceBar;
    for (std::size_t i = from + 1; i <= sample; ++i) {
        const Inspired a =
            inspired(inputs_.gases, gas_.gas[i - 1], ps + depths_[i - 1] / kMetresPerBar);
        const Inspired b =
            inspired(inputs_.gases, gas_.gas[i - 1], ps + depths_[i] / kMetresPerBar);
        step.apply(t, a.n2, b.n2, a.he, b.he);
    }
    return t;
}

ProfileModel::Moment ProfileModel::at(std::size_t sample) const {
    Moment m;
    m.tissues = inputs_.start;
    const double ps = inputs_.surfaceBar;
    m.ambient = ps;
    if (!available()) return m;
    sample = std::min(sample, samples() - 1);
    m.sample = sample;
    m.minutes = static_cast<double>(sample) * minutesPerSample_;
    m.depth = depths_[sample];
    m.ambient = ps + m.depth / kMetresPerBar;
    m.ppO2 = ppO2_[sample];
    m.tissues = tissuesAt(sample);
    m.ceiling = ceiling_[sample];
    m.decompression = m.ceiling > 0;

    const Tissues& t = m.tissues;
    double nearest = -std::numeric_limits<double>::infinity();
    for (std::size_t c = 0; c < zhl16c::kCompartments; ++c) {
        const double tension = t.n2[c] + t.he[c];
        const MValueLine line = mValueLine(c, t.n2[c], t.he[c]);
        const double gradient = (tension - ps) / (line.at(ps) - ps);
        if (gradient > nearest) {
            nearest = gradient;
            m.leading = c;
        }
        m.loading[c] = tension / line.at(m.ambient) * 100;
        m.heliumShare[c] = tension > 0 ? t.he[c] / tension : 0;
    }
    m.surfaceGf = std::max(nearest * 100, 0.0);

    const GasIndex gas = gas_.gas[sample];
    const GradientFactors& gf = inputs_.gf;
    if (!m.decompression) {
        // Minute by minute at this depth, then to the second within the minute it ends.
        const Inspired here = inspired(inputs_.gases, gas, m.ambient);
        const TissueStep minute(1);
        Tissues now = t;
        for (double elapsed = 0; elapsed < kLongestLimit; ++elapsed) {
            Tissues next = now;
            minute.apply(next, here.n2, here.n2, here.he, here.he);
            if (!surfaceAllowed(next, gf.high, ps)) {
                double lo = 0, hi = 1;
                for (int k = 0; k < 12; ++k) {
                    const double mid = (lo + hi) / 2;
                    Tissues probe = now;
                    TissueStep(mid).apply(probe, here.n2, here.n2, here.he, here.he);
                    (surfaceAllowed(probe, gf.high, ps) ? lo : hi) = mid;
                }
                m.noDecompression = elapsed + lo;
                break;
            }
            now = next;
        }
        return m;
    }

    // The ascent: 10 m/min to the next stop a ceiling allows, a minute at a
    // time at each stop until the one above is clear.
    Tissues now = t;
    double anchor = anchor_[sample];
    double depth = m.depth, elapsed = 0;
    const TissueStep minute(1);
    while (elapsed < kLongestLimit) {
        const double ceiling = (ceilingPressure(now, gf, ps, anchor) - ps) * kMetresPerBar;
        const double stop =
            ceiling > kSlack ? std::ceil(ceiling / kStopSpacing - kSlack) * kStopSpacing : 0;
        if (stop < depth - kSlack) {
            const double travel = (depth - stop) / kFastestAscent;
            const Inspired a = inspired(inputs_.gases, gas, ps + depth / kMetresPerBar);
            const Inspired b = inspired(inputs_.gases, gas, ps + stop / kMetresPerBar);
            TissueStep(travel).apply(now, a.n2, b.n2, a.he, b.he);
            elapsed += travel;
            depth = stop;
            if (depth <= 0) {
                m.timeToSurface = elapsed;
                break;
            }
        } else {
            const Inspired here = inspired(inputs_.gases, gas, ps + depth / kMetresPerBar);
            minute.apply(now, here.n2, here.n2, here.he, here.he);
            elapsed += 1;
        }
    }
    return m;
}

std::shared_ptr<const ProfileModel> ProfileModelCache::get(const ProfileSeries& series,
                                                           const ModelInputs& inputs) {
    if (!model_ || !(inputs == inputs_) || !(series == series_)) {
        model_ = ProfileModel::compute(series, inputs);
        series_ = series;
        inputs_ = inputs;
    }
    return model_;
}

std::optional<OxygenDose> oxygenOverProfile(const Plongee& dive, bool usUnits) {
    static const std::vector<double> kNone;
    static const std::vector<std::int32_t> kNoFlags;
    const std::vector<double>& raw = dive.profilProfondeur() ? *dive.profilProfondeur() : kNone;
    if (raw.size() < 2) return std::nullopt;
    const ModelInputs in = ModelInputs::of(dive, usUnits);
    if (!in.gases.usable()) return std::nullopt;
    std::vector<double> depths;
    std::size_t held = 0, raised = 0;
    cleanDepths(raw, depths, held, raised);
    GasSwitches gas;
    gasOfEachSample(in.gases, dive.GAZ_Flag() ? *dive.GAZ_Flag() : kNoFlags, depths.size(), gas);
    return sumOxygen(depths, gas.gas, in.gases, in.surfaceBar, in.samplingSeconds / 60, nullptr)
        .dose;
}

}  // namespace divelog
