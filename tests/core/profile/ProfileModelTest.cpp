// The tissues, ceiling and oxygen dose of a profile, checked against values
// worked out here by hand from the published formulas and coefficients: the
// test keeps its own copy of the ZHL-16C table and its own solutions (closed
// forms and bisection), never the code's.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "dive/Plongee.h"
#include "profile/OxygenDose.h"
#include "profile/ProfileModel.h"
#include "profile/RepetitiveDives.h"

using namespace divelog;

namespace {

struct Coefficients {
    double n2Half, n2A, n2B, heHalf, heA, heB;
};
// ZHL-16C, compartment 1b to 16.
constexpr Coefficients kZhl16c[16] = {
    {5.0, 1.1696, 0.5578, 1.88, 1.6189, 0.4770},
    {8.0, 1.0000, 0.6514, 3.02, 1.3830, 0.5747},
    {12.5, 0.8618, 0.7222, 4.72, 1.1919, 0.6527},
    {18.5, 0.7562, 0.7825, 6.99, 1.0458, 0.7223},
    {27.0, 0.6200, 0.8126, 10.21, 0.9220, 0.7582},
    {38.3, 0.5043, 0.8434, 14.48, 0.8205, 0.7957},
    {54.3, 0.4410, 0.8693, 20.53, 0.7305, 0.8279},
    {77.0, 0.4000, 0.8910, 29.11, 0.6502, 0.8553},
    {109.0, 0.3750, 0.9092, 41.20, 0.5950, 0.8757},
    {146.0, 0.3500, 0.9222, 55.19, 0.5545, 0.8903},
    {187.0, 0.3295, 0.9319, 70.69, 0.5333, 0.8997},
    {239.0, 0.3065, 0.9403, 90.34, 0.5189, 0.9073},
    {305.0, 0.2835, 0.9477, 115.29, 0.5181, 0.9122},
    {390.0, 0.2610, 0.9544, 147.42, 0.5176, 0.9171},
    {498.0, 0.2480, 0.9602, 188.24, 0.5172, 0.9217},
    {635.0, 0.2327, 0.9653, 240.03, 0.5119, 0.9267},
};
constexpr double kVapour = 0.0627;

double k(double halfTime) { return std::log(2.0) / halfTime; }
// Haldane: constant inspired pressure.
double haldane(double p0, double inspired, double halfTime, double t) {
    return inspired + (p0 - inspired) * std::exp(-k(halfTime) * t);
}
// Schreiner: inspired pressure pi0 rising at r bar/min.
double schreiner(double p0, double pi0, double r, double halfTime, double t) {
    const double kk = k(halfTime);
    return pi0 + r * (t - 1 / kk) - (pi0 - p0 - r / kk) * std::exp(-kk * t);
}

// A profile at `depth` from the first sample on, sampled every 10 s.
ProfileSeries square(double depth, double minutes) {
    ProfileSeries s;
    s.profilProfondeur.assign(static_cast<std::size_t>(std::lround(minutes * 6)) + 1, depth);
    return s;
}

ModelInputs openCircuit(double o2, double he, double gfLow, double gfHigh) {
    ModelInputs in;
    in.gases.bottom = {o2, he};
    in.gf = GradientFactors::of(gfLow, gfHigh);
    in.samplingSeconds = 10;
    return in;
}

// The no-stop time of air at a depth from surface saturation: the first
// compartment to reach GF high of its surface M-value.
double handNdl(double depth, double gfHigh) {
    const double p0 = (1 - kVapour) * 0.79, pi = (1 + depth / 10 - kVapour) * 0.79;
    double ndl = 1e9;
    for (const Coefficients& c : kZhl16c) {
        const double m0 = c.n2A + 1 / c.n2B;
        const double allowed = 1 + gfHigh * (m0 - 1);
        if (pi <= allowed) continue;
        ndl = std::min(ndl, -std::log((allowed - pi) / (p0 - pi)) / k(c.n2Half));
    }
    return ndl;
}

}  // namespace

TEST(Tissues, OneCompartmentAfterASquareAndARamp) {
    // Air, 30 m for 20 min from surface saturation: compartment 5 (27 min).
    const ModelInputs in = openCircuit(0.21, 0, 100, 100);
    auto m = ProfileModel::compute(square(30, 20), in);
    ASSERT_TRUE(m->available());
    const double p0 = (1 - kVapour) * 0.79, pi = (4 - kVapour) * 0.79;
    EXPECT_NEAR(m->endTissues().n2[4], haldane(p0, pi, 27, 20), 1e-9);
    EXPECT_NEAR(m->endTissues().n2[4], 1.6922, 1e-4) << "the figure worked on paper";
    EXPECT_EQ(m->endTissues().he[4], 0);

    // A descent to 30 m at 10 m/min (one sample each 10 s), then 10 min there.
    ProfileSeries ramp;
    for (int i = 0; i <= 18; ++i) ramp.profilProfondeur.push_back(30.0 * i / 18);
    for (int i = 0; i < 60; ++i) ramp.profilProfondeur.push_back(30);
    auto r = ProfileModel::compute(ramp, in);
    const double rate = 0.79;  // 1 bar a minute, of which 79 % nitrogen
    for (std::size_t c : {0u, 4u, 15u}) {
        const double afterDescent = schreiner(p0, (1 - kVapour) * 0.79, rate, kZhl16c[c].n2Half, 3);
        EXPECT_NEAR(r->tissuesAt(18).n2[c], afterDescent, 1e-9) << "compartment " << c;
        EXPECT_NEAR(r->endTissues().n2[c], haldane(afterDescent, pi, kZhl16c[c].n2Half, 10), 1e-9);
    }
    // The pointer's tissues are the ones the whole pass reached.
    EXPECT_EQ(r->tissuesAt(r->samples() - 1), r->endTissues());
    EXPECT_EQ(r->tissuesAt(1000), r->endTissues());
}

TEST(Tissues, NoDecompressionTimeOfAir) {
    struct Case {
        double depth, gfLow, gfHigh;
    };
    for (Case c : {Case{18, 100, 100}, Case{30, 100, 100}, Case{40, 100, 100}, Case{18, 30, 85},
                   Case{30, 30, 85}, Case{40, 30, 85}}) {
        auto m = ProfileModel::compute(square(c.depth, 2), openCircuit(0.21, 0, c.gfLow, c.gfHigh));
        const ProfileModel::Moment start = m->at(0);
        ASSERT_FALSE(start.decompression);
        ASSERT_TRUE(start.noDecompression.has_value()) << c.depth;
        EXPECT_NEAR(*start.noDecompression, handNdl(c.depth, c.gfHigh / 100), 0.01)
            << c.depth << " m, GF " << c.gfLow << "/" << c.gfHigh;
    }
    // The figures a diver knows them by, to the minute.
    EXPECT_NEAR(handNdl(30, 1), 17, 1.5);
    EXPECT_LT(handNdl(30, 0.85), handNdl(30, 1));
    // Shallow enough, air never needs a stop.
    auto shallow = ProfileModel::compute(square(5, 2), openCircuit(0.21, 0, 30, 85));
    EXPECT_FALSE(shallow->at(0).noDecompression.has_value());
}

TEST(Tissues, TrimixCeilingBetweenTheGradientFactors) {
    // Trimix 18/45, 60 m for 25 min, GF 30/85.
    const double o2 = 0.18, he = 0.45, n2 = 1 - o2 - he, gL = 0.30, gH = 0.85;
    auto m = ProfileModel::compute(square(60, 25), openCircuit(o2, he, 30, 85));
    const double lungs = 7 - kVapour, p0 = (1 - kVapour) * 0.79;
    struct Tension {
        double p, a, b;
    };
    std::vector<Tension> t;
    for (const Coefficients& c : kZhl16c) {
        const double pn = haldane(p0, lungs * n2, c.n2Half, 25);
        const double ph = haldane(0, lungs * he, c.heHalf, 25);
        t.push_back({pn + ph, (c.n2A * pn + c.heA * ph) / (pn + ph),
                     (c.n2B * pn + c.heB * ph) / (pn + ph)});
    }
    for (std::size_t c = 0; c < 16; ++c)
        EXPECT_NEAR(m->endTissues().n2[c] + m->endTissues().he[c], t[c].p, 1e-9);
    // GF low applies at the deepest ceiling it sets, GF high at the surface.
    double anchor = 1;
    for (const Tension& x : t) anchor = std::max(anchor, (x.p - x.a * gL) / (gL / x.b - gL + 1));
    auto gfAt = [&](double p) { return gH + (gL - gH) * (p - 1) / (anchor - 1); };
    auto allowed = [&](double p) {
        for (const Tension& x : t) {
            const double g = gfAt(p);
            if (x.p > x.a * g + p * (g / x.b - g + 1) + 1e-12) return false;
        }
        return true;
    };
    double lo = 1, hi = anchor;  // not allowed at lo (a ceiling exists), allowed at hi
    ASSERT_FALSE(allowed(lo));
    for (int i = 0; i < 60; ++i) (allowed((lo + hi) / 2) ? hi : lo) = (lo + hi) / 2;
    const double handCeiling = (hi - 1) * 10;
    EXPECT_NEAR(m->ceiling().back(), handCeiling, 1e-3);
    EXPECT_GT(handCeiling, 3) << "a real ceiling, well under the surface";
    EXPECT_LT(handCeiling, (anchor - 1) * 10) << "shallower than GF low alone allows";

    const ProfileModel::Moment end = m->at(m->samples() - 1);
    EXPECT_TRUE(end.decompression);
    ASSERT_TRUE(end.timeToSurface.has_value());
    EXPECT_GT(*end.timeToSurface, 6.0) << "at least the 60 m ascent at 10 m/min";
    EXPECT_GT(end.surfaceGf, 100) << "over the surface M-value";
    EXPECT_GT(end.heliumShare[0], 0.5);
}

TEST(Tissues, RepetitiveDiveCarriesTheTissuesOver) {
    auto dive = [](int number, int hour, int minute, int time, double depth) {
        auto p = std::make_unique<Plongee>();
        p->setNoPlongee(number);
        p->setDate(dateFromLocalParts({2024, 6, 1, 0, 0, 0}));
        p->setHeure(dateFromLocalParts({2001, 1, 1, hour, minute, 0}));
        p->setTemps(time);
        p->setProfondeur(static_cast<float>(depth));
        p->setGaz(0);
        p->setO2Mix(21);
        p->setSamplingRate(3);  // 60 s
        p->setProfilProfondeur(std::vector<double>(static_cast<std::size_t>(time) + 1, depth));
        return p;
    };
    std::vector<std::unique_ptr<Plongee>> logbook;
    logbook.push_back(dive(1, 9, 0, 30, 30));
    logbook.push_back(dive(2, 11, 0, 40, 18));

    // Dive 1 ends 9:30; dive 2 starts 11:00: 90 min of air at the surface.
    const double p0 = (1 - kVapour) * 0.79, pi = (4 - kVapour) * 0.79;
    const DiveStart second = DiveStart::of(*logbook[1], 1);
    TissueStart s = TissueStart::of(second, 1, logbook, 1, false);
    ASSERT_EQ(s.source, TissueStart::Source::PreviousDive);
    EXPECT_EQ(s.previousNumber, 1);
    EXPECT_DOUBLE_EQ(s.intervalMinutes, 90);
    EXPECT_FALSE(s.intervalTyped);
    for (std::size_t c = 0; c < 16; ++c) {
        const double end1 = haldane(p0, pi, kZhl16c[c].n2Half, 30);
        EXPECT_NEAR(s.tissues.n2[c], haldane(end1, p0, kZhl16c[c].n2Half, 90), 1e-9);
    }

    // A typed interval wins over the times.
    logbook[1]->setSurface(std::string("0:45"));
    s = TissueStart::of(DiveStart::of(*logbook[1], 1), 1, logbook, 1, false);
    EXPECT_TRUE(s.intervalTyped);
    EXPECT_NEAR(s.tissues.n2[3], haldane(haldane(p0, pi, 18.5, 30), p0, 18.5, 45), 1e-9);

    // The tissues it starts with shorten its no-stop time.
    ModelInputs in = ModelInputs::of(*logbook[1], false);
    const double fresh =
        *ProfileModel::compute(ProfileSeries::of(*logbook[1]), in)->at(0).noDecompression;
    in.start = s.tissues;
    EXPECT_LT(*ProfileModel::compute(ProfileSeries::of(*logbook[1]), in)->at(0).noDecompression,
              fresh);

    // The first dive of the day, and a dive another day, start saturated.
    EXPECT_EQ(TissueStart::of(DiveStart::of(*logbook[0], 0), 1, logbook, 0, false).source,
              TissueStart::Source::Surface);
    logbook[1]->setDate(dateFromLocalParts({2024, 6, 2, 0, 0, 0}));
    s = TissueStart::of(DiveStart::of(*logbook[1], 1), 1, logbook, 1, false);
    EXPECT_EQ(s.source, TissueStart::Source::Surface);
    EXPECT_EQ(s.tissues, Tissues::saturated(1));

    // Same day, overlapping times and no typed interval: unknown, saturated.
    logbook[1]->setDate(dateFromLocalParts({2024, 6, 1, 0, 0, 0}));
    logbook[1]->setSurface(std::string("--:--"));
    logbook[1]->setHeure(dateFromLocalParts({2001, 1, 1, 9, 10, 0}));
    s = TissueStart::of(DiveStart::of(*logbook[1], 1), 1, logbook, 1, false);
    EXPECT_EQ(s.source, TissueStart::Source::Unknown);
    EXPECT_EQ(s.tissues, Tissues::saturated(1));
}

TEST(SurfaceInterval, ReadsHoursAndMinutesOnly) {
    EXPECT_EQ(surfaceIntervalMinutes("1:05"), 65);
    EXPECT_EQ(surfaceIntervalMinutes(" 01:05 "), 65);
    EXPECT_EQ(surfaceIntervalMinutes("--:--"), std::nullopt);
    EXPECT_EQ(surfaceIntervalMinutes("1:75"), std::nullopt);
    EXPECT_EQ(surfaceIntervalMinutes("105"), std::nullopt);
    EXPECT_EQ(surfaceIntervalMinutes(""), std::nullopt);
}

TEST(OxygenOverProfile, CnsAndOtuSumEachInterval) {
    // 40 min of oxygen at 6 m: 1.6 bar, whose NOAA limit is 45 min.
    auto o2 = ProfileModel::compute(square(6, 40), openCircuit(1.0, 0, 30, 85));
    EXPECT_NEAR(o2->dose().cnsPercent, 40.0 / 45 * 100, 1e-9);
    EXPECT_NEAR(o2->dose().cnsPercent, 88.9, 0.05);
    EXPECT_TRUE(o2->highOxygen().empty()) << "1.6 bar is the limit, not over it";

    // 60 min at 1.4 bar (EAN 35 at 30 m).
    auto ean = ProfileModel::compute(square(30, 60), openCircuit(0.35, 0, 30, 85));
    EXPECT_NEAR(ean->dose().otu, 60 * std::pow(1.8, 0.83), 1e-6);
    EXPECT_NEAR(ean->dose().cnsPercent, 60.0 / 150 * 100, 1e-6);

    // The limits between the table's pressures, and none at 0.5 bar or below.
    EXPECT_DOUBLE_EQ(*OxygenDose::limitMinutes(1.45), 135);
    EXPECT_DOUBLE_EQ(*OxygenDose::limitMinutes(0.65), 645);
    EXPECT_DOUBLE_EQ(*OxygenDose::limitMinutes(1.55), 82.5);
    EXPECT_EQ(OxygenDose::limitMinutes(0.5), std::nullopt);
    EXPECT_EQ(OxygenDose::limitMinutes(std::nan("")), std::nullopt);
    EXPECT_EQ(OxygenDose::otuPerMinute(0.5), 0);

    // A stop gas counts from the sample its flag switches to it.
    ProfileSeries s = square(6, 20);
    s.GAZ_Flag.assign(s.profilProfondeur.size(), 0);
    s.GAZ_Flag[60] = 2;  // stop gas 1 after 10 min
    ModelInputs in = openCircuit(0.21, 0, 30, 85);
    in.gases.stops[0] = GasMix{1.0, 0};
    auto switched = ProfileModel::compute(s, in);
    EXPECT_NEAR(switched->ppO2()[59], 0.21 * 1.6, 1e-6);
    EXPECT_NEAR(switched->ppO2()[60], 1.6, 1e-6);
    // Air at 6 m is under 0.5 bar: only the 60 intervals on oxygen count.
    const double interval = 1.0 / 6;
    EXPECT_NEAR(switched->dose().cnsPercent, 60 * interval / 45 * 100, 1e-6);
    EXPECT_NEAR(switched->dose().otu, 60 * interval * std::pow(2.2, 0.83), 1e-6);
}

TEST(OxygenOverProfile, ClosedCircuitHoldsItsSetPointUnderTheAmbient) {
    ModelInputs in;
    in.gases.closedCircuit = true;
    in.gases.setPoint = 1.2;
    in.gases.diluent = {0.21, 0};
    ProfileSeries s;
    s.profilProfondeur = {0, 1, 20, 20, 0};
    auto m = ProfileModel::compute(s, in);
    EXPECT_NEAR(m->ppO2()[0], 1.0, 1e-6) << "capped by the surface's 1 bar";
    EXPECT_NEAR(m->ppO2()[1], 1.1, 1e-6);
    EXPECT_NEAR(m->ppO2()[2], 1.2, 1e-6);
    // The diluent's inert gas fills what the set point leaves.
    const Inspired at20 = inspired(in.gases, 0, 3);
    EXPECT_NEAR(at20.n2, 3 - kVapour - 1.2, 1e-9);

    in.gases.setPoint.reset();
    EXPECT_EQ(ProfileModel::compute(s, in)->missing(), ProfileModel::Missing::SetPoint);
}

TEST(ProfileWarnings, OxygenAscentAndCeiling) {
    // Oxygen to 9 m (1.9 bar), then straight up in 30 s.
    ProfileSeries s;
    s.profilProfondeur = {0, 3, 6, 9, 9, 9, 6, 3, 0};
    auto m = ProfileModel::compute(s, openCircuit(1.0, 0, 30, 85));
    ASSERT_EQ(m->highOxygen().size(), 1u);
    EXPECT_EQ(m->highOxygen()[0].first, 3u);
    EXPECT_EQ(m->highOxygen()[0].last, 5u);
    EXPECT_NEAR(m->highOxygen()[0].worst, 1.9, 1e-6);
    // Over the last minute (6 samples) it rose 6 m: not too fast.
    EXPECT_TRUE(m->fastAscents().empty());
    s.profilProfondeur = {0, 12, 12, 12, 12, 12, 12, 12, 0};
    m = ProfileModel::compute(s, openCircuit(0.21, 0, 30, 85));
    ASSERT_EQ(m->fastAscents().size(), 1u);
    EXPECT_NEAR(m->fastAscents()[0].worst, 12, 1e-9);

    // A hypoxic mix at the surface.
    s.profilProfondeur = {0, 0, 10, 10};
    m = ProfileModel::compute(s, openCircuit(0.10, 0.70, 30, 85));
    ASSERT_EQ(m->lowOxygen().size(), 1u);
    EXPECT_EQ(m->lowOxygen()[0].last, 1u);

    // A decompression dive brought straight up goes above its ceiling.
    ProfileSeries deco = square(40, 30);
    for (int i = 0; i < 24; ++i) deco.profilProfondeur.push_back(40 - 40.0 * (i + 1) / 24);
    m = ProfileModel::compute(deco, openCircuit(0.21, 0, 30, 85));
    EXPECT_GT(m->deepestCeiling(), 3);
    ASSERT_FALSE(m->aboveCeiling().empty());
    EXPECT_EQ(m->aboveCeiling().back().last, deco.profilProfondeur.size() - 1);
}

TEST(ProfileModelInputs, RefusedGradientFactorsAndOddSamples) {
    EXPECT_TRUE(GradientFactors::of(30, 85).fromPreferences);
    EXPECT_DOUBLE_EQ(GradientFactors::of(40, 40).low, 0.4);
    for (auto [lo, hi] :
         {std::pair{90.0, 50.0}, {5.0, 85.0}, {30.0, 101.0}, {std::nan(""), 85.0}}) {
        const GradientFactors g = GradientFactors::of(lo, hi);
        EXPECT_FALSE(g.fromPreferences) << lo << "/" << hi;
        EXPECT_DOUBLE_EQ(g.low, 0.30);
        EXPECT_DOUBLE_EQ(g.high, 0.85);
    }
    // Depths that are no number hold the one before; negative ones are the surface.
    ProfileSeries s;
    s.profilProfondeur = {0, 10, std::nan(""), -2, 10};
    auto m = ProfileModel::compute(s, openCircuit(0.21, 0, 30, 85));
    EXPECT_EQ(m->depths(), (std::vector<double>{0, 10, 10, 0, 10}));
    EXPECT_EQ(m->heldDepths(), 1u);
    EXPECT_EQ(m->raisedDepths(), 1u);
    // A gas flag series not one per sample switches nothing, and says so.
    s.GAZ_Flag = {0, 2};
    EXPECT_TRUE(ProfileModel::compute(s, openCircuit(0.21, 0, 30, 85))->gasSwitches().flagsIgnored);
    s.profilProfondeur = {0};
    EXPECT_EQ(ProfileModel::compute(s, openCircuit(0.21, 0, 30, 85))->missing(),
              ProfileModel::Missing::Profile);
    // Altitude lowers the surface pressure the tissues start from.
    EXPECT_NEAR(surfacePressureAt(2000), 0.7846, 1e-3);
}
