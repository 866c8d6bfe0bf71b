// Exports of a 10,000-dive logbook with 500 samples a dive, streamed to a
// counting output (the writers hold no copy of the file), the import of
// 2,000 such dives from a UDCF file into that logbook, and the UDDF import
// of a 100 MB UDDF 3.2 file of 2,000 dives against a plain pugixml parse
// and walk of the same file, in speed and in memory, and the memory of the
// import of one dive of a million waypoints. Its own main(): the
// memory probe runs this program again so it measures a fresh process.

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include <pugixml.hpp>

#include "BenchLogbook.h"
#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/SubsurfaceImport.h"
#include "exchange/UddfImport.h"
#include "logbook/CarnetSession.h"
#include "util/FileIO.h"

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
        auto session = std::make_unique<CarnetSession>(*target, context);
        state.ResumeTiming();
        const ImportResult read = ExchangeFormats::importer("UDCF")->read(file.bytes);
        DiveImport::Built built = DiveImport::build(read.dives, target->nextDiveNumber(), settings,
                                                    context.localisation());
        session->importDives(std::move(built.dives));
        state.PauseTiming();
        if (target->recordCount() != 12000) state.SkipWithError("dives missing");
        // The session observes the logbook: it goes first.
        session.reset();
        target.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(file.bytes.size()) / 1e6;
}

// A UDDF 3.2 file of 2,000 dives, about 100 MB, written once by the
// standard export into the temporary folder.
std::string uddfPath() {
    return (std::filesystem::temp_directory_path() /
            ("bench_exchange_" + std::to_string(::getpid()) + ".uddf"))
        .string();
}

const std::string& uddfFile() {
    static const std::string path = [] {
        Localisation texts;
        const auto dives = bench::makeBenchLogbook(2000, 226);
        const std::string p = uddfPath();
        std::string error;
        if (!writeFileAtomically(
                p,
                [&](ByteOutput& out) {
                    return exportDives(dives->dives(), "Export UDDF 3.2 (standard)",
                                       ExportContext{texts, false, Date{}}, out, error);
                },
                error))
            std::fprintf(stderr, "bench_exchange: %s\n", error.c_str());
        return p;
    }();
    return path;
}

const std::vector<std::uint8_t>& uddfBytes() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> b;
        std::string error;
        if (!readWholeFile(uddfFile(), b, error))
            std::fprintf(stderr, "bench_exchange: %s\n", error.c_str());
        return b;
    }();
    return bytes;
}

// What any reader of the file must do at least: parse it whole and read
// every waypoint's depth and time.
double plainParseAndWalk(std::span<const std::uint8_t> bytes) {
    pugi::xml_document doc;
    doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
    double sum = 0;
    auto number = [](pugi::xml_node n) {
        const char* text = n.child_value();
        double v = 0;
        std::from_chars(text, text + std::strlen(text), v);
        return v;
    };
    for (pugi::xml_node data : doc.document_element().children("profiledata"))
        for (pugi::xml_node group : data.children("repetitiongroup"))
            for (pugi::xml_node dive : group.children("dive"))
                for (pugi::xml_node wp : dive.child("samples").children("waypoint"))
                    sum += number(wp.child("depth")) + number(wp.child("divetime"));
    return sum;
}

std::size_t uddfImport(std::span<const std::uint8_t> bytes) {
    return UddfImport().read(bytes).dives.size();
}

// Both in turn each iteration, so a busy machine slows both alike; the
// counters give each one's speed and the import's share of the plain parse.
void BM_Uddf32ImportAgainstPlainParse(benchmark::State& state) {
    const auto& bytes = uddfBytes();
    using Clock = std::chrono::steady_clock;
    double parseSeconds = 0, importSeconds = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(plainParseAndWalk(bytes));
        auto t1 = Clock::now();
        if (uddfImport(bytes) != 2000) state.SkipWithError("dives missing");
        auto t2 = Clock::now();
        parseSeconds += std::chrono::duration<double>(t1 - t0).count();
        importSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double mb =
        static_cast<double>(bytes.size()) * static_cast<double>(state.iterations()) / 1e6;
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["parse_MBps"] = mb / parseSeconds;
    state.counters["import_MBps"] = mb / importSeconds;
    state.counters["import_of_parse"] = parseSeconds / importSeconds;
}

// A Subsurface logbook of 10,000 dives of 500 samples each, written here
// as that program writes its files: a site per dive, values with their units.
std::string subsurfacePath() {
    return (std::filesystem::temp_directory_path() /
            ("bench_exchange_" + std::to_string(::getpid()) + ".ssrf"))
        .string();
}

const std::string& subsurfaceFile() {
    static const std::string path = [] {
        constexpr int kDives = 10000, kSamples = 500;
        const std::string p = subsurfacePath();
        std::ofstream out(p, std::ios::binary);
        char line[256];
        out << "<divelog program='subsurface' version='3'>\n<divesites>\n";
        for (int i = 0; i < kDives; ++i) {
            std::snprintf(line, sizeof line,
                          "<site uuid='%08x' name='Site %d, Place %d' gps='43.%06d 5.%06d'/>\n",
                          0x10000 + i, i, i % 50, i * 7 % 1000000, i * 13 % 1000000);
            out << line;
        }
        out << "</divesites>\n<dives>\n";
        for (int i = 0; i < kDives; ++i) {
            if (i % 100 == 0)
                out << "<trip date='2020-01-01' time='08:00:00' location='Trip " << i / 100
                    << "'>\n";
            std::snprintf(line, sizeof line,
                          "<dive number='%d' rating='3' tags='boat' divesiteid='%08x' "
                          "date='20%02d-%02d-%02d' time='10:%02d:00' duration='83:20 min'>\n",
                          i + 1, 0x10000 + i, 10 + i % 15, 1 + i % 12, 1 + i % 28, i % 60);
            out << line << "  <buddy>Anne, Bruno</buddy>\n"
                << "  <cylinder size='12.0 l' workpressure='232.0 bar' o2='32.0%' "
                   "start='210.0 bar' end='50.0 bar' />\n"
                << "  <divecomputer model='Bench'>\n  <depth max='40.0 m' mean='20.1 m' />\n"
                << "  <temperature water='14.0 C' />\n";
            for (int k = 0; k < kSamples; ++k) {
                const int t = (k + 1) * 10;
                const double depth = 40.0 * (k < 250 ? k : kSamples - k) / 250.0;
                if (k % 10 == 0)
                    std::snprintf(line, sizeof line,
                                  "  <sample time='%d:%02d min' depth='%.1f m' temp='%.1f C' "
                                  "pressure='%.1f bar' />\n",
                                  t / 60, t % 60, depth, 14.0 + k % 3, 210.0 - k * 0.3);
                else
                    std::snprintf(line, sizeof line,
                                  "  <sample time='%d:%02d min' depth='%.1f m' pressure='%.1f "
                                  "bar' />\n",
                                  t / 60, t % 60, depth, 210.0 - k * 0.3);
                out << line;
            }
            out << "  </divecomputer>\n</dive>\n";
            if (i % 100 == 99) out << "</trip>\n";
        }
        out << "</dives>\n</divelog>\n";
        return p;
    }();
    return path;
}

const std::vector<std::uint8_t>& subsurfaceBytes() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> b;
        std::string error;
        if (!readWholeFile(subsurfaceFile(), b, error))
            std::fprintf(stderr, "bench_exchange: %s\n", error.c_str());
        return b;
    }();
    return bytes;
}

// The least a reader of that file does: parse it whole and read every
// sample's time and depth.
double plainParseAndWalkSubsurface(std::span<const std::uint8_t> bytes) {
    pugi::xml_document doc;
    doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
    double sum = 0;
    auto number = [](pugi::xml_attribute a) {
        const char* text = a.value();
        double v = 0;
        std::from_chars(text, text + std::strlen(text), v);
        return v;
    };
    for (pugi::xml_node trip : doc.document_element().child("dives").children("trip"))
        for (pugi::xml_node dive : trip.children("dive"))
            for (pugi::xml_node s : dive.child("divecomputer").children("sample"))
                sum += number(s.attribute("time")) + number(s.attribute("depth"));
    return sum;
}

std::size_t subsurfaceImport(std::span<const std::uint8_t> bytes) {
    return SubsurfaceImport().read(bytes).dives.size();
}

void BM_SubsurfaceImportAgainstPlainParse(benchmark::State& state) {
    const auto& bytes = subsurfaceBytes();
    using Clock = std::chrono::steady_clock;
    double parseSeconds = 0, importSeconds = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(plainParseAndWalkSubsurface(bytes));
        auto t1 = Clock::now();
        if (subsurfaceImport(bytes) != 10000) state.SkipWithError("dives missing");
        auto t2 = Clock::now();
        parseSeconds += std::chrono::duration<double>(t1 - t0).count();
        importSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double mb =
        static_cast<double>(bytes.size()) * static_cast<double>(state.iterations()) / 1e6;
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["parse_MBps"] = mb / parseSeconds;
    state.counters["import_MBps"] = mb / importSeconds;
    state.counters["import_of_parse"] = parseSeconds / importSeconds;
}

// The high-water mark of this process's own memory. Not getrusage's
// ru_maxrss: that survives fork and exec, so the probe would report the
// parent's peak whenever the parent had grown larger.
long peakResidentBytes() {
    long kib = 0;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
        std::fclose(f);
    }
    return kib * 1024L;
}

// Child side: a fresh process reads the file, then imports it (or parses it
// plainly), and prints its peak resident memory and the file's size.
int measure(const char* what, const char* path) {
    FileBytes bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) return 1;
    if (std::string_view(what) == "import") {
        benchmark::DoNotOptimize(uddfImport(bytes.bytes()));
    } else if (std::string_view(what) == "import-subsurface") {
        benchmark::DoNotOptimize(subsurfaceImport(bytes.bytes()));
    } else if (std::string_view(what) == "parse-subsurface") {
        benchmark::DoNotOptimize(plainParseAndWalkSubsurface(bytes.bytes()));
    } else if (std::string_view(what) == "run") {
        // The whole import: read, then every dive stored through the form.
        InMemorySettingsStore settings;
        Localisation texts;
        const auto out = DiveImport::run({bytes.bytes(), path}, 1, settings, texts);
        benchmark::DoNotOptimize(out.dives.size());
    } else {
        benchmark::DoNotOptimize(plainParseAndWalk(bytes.bytes()));
    }
    std::printf("%ld %zu\n", peakResidentBytes(), bytes.size());
    return 0;
}

// One dive of a million samples, written by the standard UDDF export or the
// UDCF export: the shape where a tree of the whole dive would take many
// times the file.
std::string largeDivePath(std::string_view format) {
    return (std::filesystem::temp_directory_path() /
            ("bench_exchange_large_" + std::to_string(::getpid()) + "." + std::string(format)))
        .string();
}

std::string writeLargeDive(std::string_view format) {
    Localisation texts;
    Carnet::DiveList dives;
    auto d = std::make_unique<Plongee>(makeNewDive(NewDiveDefaults{1}));
    constexpr std::size_t kSamples = 1'000'000;
    std::vector<double> depths(kSamples);
    for (std::size_t i = 0; i < kSamples; ++i)
        depths[i] = static_cast<double>((i * 37) % 4000) / 100;
    d->setSamplingRate(6);  // 1 s
    d->setProfilProfondeur(std::move(depths));
    for (auto set : {&Plongee::setASC_Flag, &Plongee::setSLOW_Flag, &Plongee::setSURF_Flag,
                     &Plongee::setCEIL_Flag, &Plongee::setGAZ_Flag})
        ((*d).*set)(std::vector<std::int32_t>(kSamples, 0));
    d->setPRESS_Data(std::vector<double>{0.0});
    dives.push_back(std::move(d));
    const std::string p = largeDivePath(format);
    const char* type = format == "uddf" ? "Export UDDF 3.2 (standard)"
                                        : "Export UDCF (Universal Dive Computer Format)";
    std::string error;
    if (!writeFileAtomically(
            p,
            [&](ByteOutput& out) {
                return exportDives(dives, type, ExportContext{texts, false, Date{}}, out, error);
            },
            error))
        std::fprintf(stderr, "bench_exchange: %s\n", error.c_str());
    return p;
}

// Peak memory of the whole process (the file's bytes included) over the file
// size; for the large dive, also against the bound of 3 times the file plus
// 200 MB that an import keeps whatever the shape of its file.
void BM_Uddf32PeakMemory(benchmark::State& state, std::string what) {
    const std::string path = what == "run-large-uddf"       ? writeLargeDive("uddf")
                             : what == "run-large-udcf"     ? writeLargeDive("udcf")
                             : what.ends_with("subsurface") ? subsurfaceFile()
                                                            : uddfFile();
    if (what.rfind("run-large", 0) == 0) what = "run";
    for (auto _ : state) {
        int fds[2];
        if (::pipe(fds) != 0) return state.SkipWithError("pipe failed");
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            ::execl("/proc/self/exe", "bench_exchange", "--measure", what.c_str(), path.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char buf[128] = {};
        const ssize_t n = ::read(fds[0], buf, sizeof buf - 1);
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        long peak = 0;
        std::size_t size = 0;
        if (n <= 0 || std::sscanf(buf, "%ld %zu", &peak, &size) != 2 || size == 0)
            return state.SkipWithError("the measuring process failed");
        state.counters["peak_MiB"] = static_cast<double>(peak) / (1 << 20);
        state.counters["file_MiB"] = static_cast<double>(size) / (1 << 20);
        state.counters["mem_x_file"] = static_cast<double>(peak) / static_cast<double>(size);
        const double bound = 3.0 * static_cast<double>(size) + 200.0 * (1 << 20);
        state.counters["of_bound"] = static_cast<double>(peak) / bound;
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Export, udcf, "Export UDCF (Universal Dive Computer Format)")
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(BM_Export, uddf, "Export UDDF (Universal Dive Data Format)")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, csv_semicolon, "Export Carnet CSV (Point-virgule)")
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(BM_Export, csv_comma, "Export Carnet CSV (Virgule)")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, txt_tab, "Export Carnet TXT (Tabulation)")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, profiles_csv, "Export Profils CSV (Virgule)")
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(BM_Export, csv_utf8, "Export Carnet CSV (UTF-8)")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportUdcf2000Into10000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Uddf32ImportAgainstPlainParse)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Uddf32PeakMemory, import, "import")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Uddf32PeakMemory, plain_parse, "parse")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Uddf32PeakMemory, import_one_dive_of_a_million_waypoints, "run-large-uddf")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Uddf32PeakMemory, udcf_import_one_dive_of_a_million_samples, "run-large-udcf")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK(BM_SubsurfaceImportAgainstPlainParse)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Uddf32PeakMemory, subsurface_import, "import-subsurface")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Uddf32PeakMemory, subsurface_plain_parse, "parse-subsurface")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--measure") return measure(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove(uddfPath(), ec);
    std::filesystem::remove(subsurfacePath(), ec);
    std::filesystem::remove(largeDivePath("uddf"), ec);
    std::filesystem::remove(largeDivePath("udcf"), ec);
    return 0;
}
