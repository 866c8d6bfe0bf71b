// Repainting the profile view of a 10-hour dive sampled every second, with
// its ceiling, its marks above it and its warnings: what a window resize or
// an expose costs (target: under 16 ms, a frame).

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>

#include "localisation/Localisation.h"
#include "profile/Profil.h"
#include "profile/ProfileModel.h"

namespace {

using namespace divelog;

ProfileChartData longDecoDive() {
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
        // Deep for hours, then brought up too soon: a ceiling and breaks of it.
        s.profilProfondeur[i] = t < 0.8 ? 60 + 5 * std::sin(static_cast<double>(i) / 300.0)
                                        : 60 * (1 - t) / 0.2 * (1 + 0.2 * std::sin(i / 40.0));
        s.PRESS_Data[i] = 230 - 180 * t;
    }
    ModelInputs in;
    in.gases.bottom = {0.18, 0.45};
    in.samplingSeconds = 1;
    d.model = ProfileModel::compute(s, in);
    return d;
}

void BM_PaintProfileWithCeiling36k(benchmark::State& state) {
    const Localisation texts;
    Profil view(texts);
    view.resize(700, 620);
    view.setData(longDecoDive());
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    if (view.chart().ceilingArea.empty()) state.SkipWithError("no ceiling drawn");
    for (auto _ : state) view.render(&image);
}

// The same dive without its model: what the ceiling adds.
void BM_PaintProfileWithoutModel36k(benchmark::State& state) {
    const Localisation texts;
    Profil view(texts);
    view.resize(700, 620);
    ProfileChartData d = longDecoDive();
    d.model.reset();
    view.setData(d);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) view.render(&image);
}

}  // namespace

BENCHMARK(BM_PaintProfileWithCeiling36k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintProfileWithoutModel36k)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
