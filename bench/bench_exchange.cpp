// Exports of a 10,000-dive logbook with 500 samples a dive, streamed to a
// counting output (the writers hold no copy of the file), and the import of
// 2,000 such dives from a UDCF file into that logbook.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "BenchLogbook.h"
#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "logbook/CarnetSession.h"

namespace {

using namespace divelog;

struct Counting final : ByteOutput {
    std::size_t bytes = 0;
    bool write(std::span<const std::uint8_t> b) override {
        bytes += b.size();
        return true;
    }
};

struct Collecting final : ByteOutput {
    std::vector<std::uint8_t> bytes;
    bool write(std::span<const std::uint8_t> b) override {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return true;
    }
};

const Carnet& logbook(std::size_t dives) {
    static std::map<std::size_t, std::unique_ptr<Carnet>> made;
    auto& c = made[dives];
    if (!c) c = bench::makeBenchLogbook(dives, 500);
    return *c;
}

void BM_Export(benchmark::State& state, std::string type) {
    const Carnet& c = logbook(static_cast<std::size_t>(state.range(0)));
    Localisation texts;
    std::size_t written = 0;
    for (auto _ : state) {
        Counting out;
        std::string error;
        if (!exportDives(c.dives(), type, ExportContext{texts, false, Date{}}, out, error))
            state.SkipWithError(error.c_str());
        written = out.bytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(written) * state.iterations());
    state.counters["output_MB"] = static_cast<double>(written) / 1e6;
    state.SetComplexityN(state.range(0));
}

// 2,000 dives of 500 samples read from a UDCF file, built through the form
// and appended to a 10,000-dive logbook as one step, with one refresh.
void BM_ImportUdcf2000Into10000(benchmark::State& state) {
    Localisation texts;
    Collecting file;
    std::string error;
    if (!exportDives(logbook(2000).dives(), "Export UDCF (Universal Dive Computer Format)",
                     ExportContext{texts, false, Date{}}, file, error))
        state.SkipWithError(error.c_str());
    InMemorySettingsStore settings;
    AppContext context(settings);
    context.initialize();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = bench::makeBenchLogbook(10000, 500);
        CarnetSession session(*target, context);
        state.ResumeTiming();
        const ImportResult read = ExchangeFormats::importer("UDCF")->read(file.bytes);
        DiveImport::Built built = DiveImport::build(read.dives, target->nextDiveNumber(), settings,
                                                    context.localisation());
        session.importDives(std::move(built.dives));
        state.PauseTiming();
        if (target->recordCount() != 12000) state.SkipWithError("dives missing");
        target.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(file.bytes.size()) / 1e6;
}

}  // namespace

BENCHMARK_CAPTURE(BM_Export, udcf, "Export UDCF (Universal Dive Computer Format)")
    ->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(BM_Export, uddf, "Export UDDF (Universal Dive Data Format)")
    ->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, csv_semicolon, "Export Carnet CSV (Point-virgule)")
    ->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(BM_Export, csv_comma, "Export Carnet CSV (Virgule)")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, txt_tab, "Export Carnet TXT (Tabulation)")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, profiles_csv, "Export Profils CSV (Virgule)")
    ->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(BM_Export, csv_utf8, "Export Carnet CSV (UTF-8)")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportUdcf2000Into10000)->Unit(benchmark::kMillisecond)->Iterations(2);
