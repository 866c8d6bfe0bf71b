// The profile of a 10-hour dive sampled every second (36,000 samples): its
// summary, the chart laid out for the view, and a read-out under the pointer;
// its tissues, ceiling and oxygen worked out (target: under 10 ms), the chart
// with the ceiling, and the tissues under the pointer.

#include <benchmark/benchmark.h>

#include <cmath>

#include "localisation/Localisation.h"
#include "profile/ProfileChart.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileModelText.h"
#include "profile/ProfileSummary.h"

namespace {

using namespace divelog;

ProfileChartData longDive() {
    ProfileChartData d;
    const std::size_t n = 36'000;
    d.samplingCode = 6;  // 1 s
    auto& s = d.series;
    s.profilProfondeur.resize(n);
    s.PRESS_Data.resize(n);
    for (auto* flags : {&s.ASC_Flag, &s.SLOW_Flag, &s.SURF_Flag, &s.CEIL_Flag, &s.GAZ_Flag})
        flags->assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(n);
        s.profilProfondeur[i] =
            40 * std::sin(3.14159 * t) + 2 * std::sin(static_cast<double>(i) / 50.0);
        s.PRESS_Data[i] = 230 - 180 * t;
        if (i % 900 == 0) s.ASC_Flag[i] = 1;
        if (i % 6000 == 3000) s.GAZ_Flag[i] = 2 + static_cast<std::int32_t>(i / 6000) % 5;
    }
    d.decoO2 = {50, 80, 100, 32, 36};
    return d;
}

// Trimix 18/45 with the five stop gases the flags switch to.
ModelInputs longDiveInputs() {
    ModelInputs in;
    in.gases.bottom = {0.18, 0.45};
    in.gases.stops = {GasMix{0.50, 0}, GasMix{0.80, 0}, GasMix{1.0, 0}, GasMix{0.32, 0},
                      GasMix{0.36, 0}};
    in.samplingSeconds = 1;
    in.gf = GradientFactors::of(30, 85);
    return in;
}

const ProfileChartData& dive() {
    static const ProfileChartData d = longDive();
    return d;
}

void BM_ProfileSummary36k(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ProfileSummary::of(dive().series));
}

void BM_ChartLayout36k(benchmark::State& state) {
    const Localisation texts;
    ProfileChartLook look;
    look.gradient = look.dashedLines = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutProfileChart(dive(), look, 700, 620, texts));
}

void BM_PointerReadout36k(benchmark::State& state) {
    const Localisation texts;
    const ProfileChart chart = layoutProfileChart(dive(), ProfileChartLook{}, 700, 620, texts);
    double x = 30;
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart.readout(x, 400, texts));
        x = x >= 680 ? 30 : x + 1;
    }
}

void BM_ProfileModel36k(benchmark::State& state) {
    const ModelInputs in = longDiveInputs();
    for (auto _ : state) benchmark::DoNotOptimize(ProfileModel::compute(dive().series, in));
}

void BM_ChartLayoutWithCeiling36k(benchmark::State& state) {
    const Localisation texts;
    ProfileChartData d = dive();
    d.model = ProfileModel::compute(d.series, longDiveInputs());
    ProfileChartLook look;
    look.gradient = look.dashedLines = true;
    for (auto _ : state) benchmark::DoNotOptimize(layoutProfileChart(d, look, 700, 620, texts));
}

void BM_PointerTissues36k(benchmark::State& state) {
    const Localisation texts;
    const auto model = ProfileModel::compute(dive().series, longDiveInputs());
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(momentText(model->at(i), texts));
        i = (i + 3'601) % model->samples();
    }
}

}  // namespace

BENCHMARK(BM_ProfileModel36k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartLayoutWithCeiling36k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PointerTissues36k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileSummary36k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartLayout36k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PointerReadout36k)->Unit(benchmark::kMicrosecond);
