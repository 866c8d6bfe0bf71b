// Throughput of the logbook archive on a large logbook: reading the file
// (the floor any decoder sits on), decoding, opening, encoding and saving,
// plus the peak memory of a decode measured in a fresh process.
//
//   bench_archive                       10,000 dives x 500 samples
//   DIVELOG_BENCH_DIVES=500 bench_archive   smaller, e.g. under callgrind
//   DIVELOG_BENCH_DIR=/some/disk        where the files go (default: temp dir)

#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchLogbook.h"
#include "logbook/Carnet.h"
#include "util/FileIO.h"

namespace {

using namespace divelog;
namespace fs = std::filesystem;

std::size_t envSize(const char* name, std::size_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? static_cast<std::size_t>(std::strtoull(v, nullptr, 10)) : fallback;
}

// Built on first use and shared by every benchmark; the files are removed at exit.
struct Corpus {
    fs::path dir;
    std::string file;      // the logbook every reader uses
    std::string saveFile;  // where the save benchmark writes
    std::unique_ptr<Carnet> carnet;
    std::vector<std::uint8_t> bytes;

    Corpus() {
        const char* where = std::getenv("DIVELOG_BENCH_DIR");
        dir = (where && *where ? fs::path(where) : fs::temp_directory_path()) /
              ("divelog-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        file = (dir / "bench.divelog").string();
        saveFile = (dir / "saved.divelog").string();
        carnet = bench::makeBenchLogbook(envSize("DIVELOG_BENCH_DIVES", 10'000),
                                         envSize("DIVELOG_BENCH_SAMPLES", 500));
        std::string error;
        if (!carnet->save(file, error) || !readWholeFile(file, bytes, error)) {
            std::fprintf(stderr, "bench_archive: cannot prepare %s: %s\n", file.c_str(),
                         error.c_str());
            std::exit(1);
        }
    }
    ~Corpus() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

std::unique_ptr<Corpus>& corpusSlot() {
    static std::unique_ptr<Corpus> corpus;
    return corpus;
}

Corpus& corpus() {
    auto& slot = corpusSlot();
    if (!slot) slot = std::make_unique<Corpus>();
    return *slot;
}

void setThroughput(benchmark::State& state, std::size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytesPerIteration));
    state.counters["file_MB"] = static_cast<double>(bytesPerIteration) / 1e6;
}

void BM_ReadFile(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        std::string error;
        if (!readWholeFile(c.file, bytes, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(bytes.data());
        state.PauseTiming();
        bytes = {};
        state.ResumeTiming();
    }
    setThroughput(state, c.bytes.size());
}

void BM_Decode(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        auto carnet = std::make_unique<Carnet>();
        std::string error;
        if (!carnet->loadData(c.bytes, "logbook", error)) state.SkipWithError(error.c_str());
        state.PauseTiming();  // freeing 10,000 dives is not part of a decode
        carnet.reset();
        state.ResumeTiming();
    }
    setThroughput(state, c.bytes.size());
}

void BM_Open(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        auto carnet = std::make_unique<Carnet>();
        std::string error;
        if (!carnet->open(c.file, error)) state.SkipWithError(error.c_str());
        state.PauseTiming();
        carnet.reset();
        state.ResumeTiming();
    }
    setThroughput(state, c.bytes.size());
}

void BM_Encode(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        std::string error;
        std::vector<std::uint8_t> bytes = c.carnet->dataOfType("logbook", error);
        benchmark::DoNotOptimize(bytes.data());
        state.PauseTiming();
        bytes = {};
        state.ResumeTiming();
    }
    setThroughput(state, c.bytes.size());
}

void BM_Save(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        std::string error;
        if (!c.carnet->save(c.saveFile, error)) state.SkipWithError(error.c_str());
    }
    setThroughput(state, c.bytes.size());
}

// ---- peak memory -----------------------------------------------------------

long residentBytes() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
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

// Child side: a fresh process that reads the file, then decodes it, and
// prints how much its peak resident memory grew for each step.
int measureDecode(const char* path) {
    const long start = residentBytes();
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) return 1;
    const long afterRead = residentBytes();
    Carnet carnet;
    if (!carnet.loadData(bytes, "logbook", error)) return 1;
    const long peak = peakResidentBytes();
    std::printf("%ld %ld %zu\n", peak - afterRead, peak - start, bytes.size());
    return 0;
}

void BM_DecodePeakMemory(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        int fds[2];
        if (::pipe(fds) != 0) return state.SkipWithError("pipe failed");
        pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            ::execl("/proc/self/exe", "bench_archive", "--measure-decode", c.file.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char buf[128] = {};
        ssize_t n = ::read(fds[0], buf, sizeof buf - 1);
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        long decodeGrowth = 0, openGrowth = 0;
        std::size_t fileSize = 0;
        if (n <= 0 || std::sscanf(buf, "%ld %ld %zu", &decodeGrowth, &openGrowth, &fileSize) != 3 ||
            fileSize == 0)
            return state.SkipWithError("the measuring process failed");
        // Decode alone (the file's bytes already in memory), and open (read + decode).
        state.counters["mem_x_file"] = static_cast<double>(decodeGrowth) / fileSize;
        state.counters["open_mem_x_file"] = static_cast<double>(openGrowth) / fileSize;
        state.counters["file_MB"] = static_cast<double>(fileSize) / 1e6;
    }
}

constexpr int kRepetitions = 3;

BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_DecodePeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--measure-decode") return measureDecode(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    corpusSlot().reset();
    return 0;
}
