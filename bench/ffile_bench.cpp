// Reading and writing whole F-files of 10 million samples (40 MB of floats).
//
// The files come from the folder named by VEXIL_BENCH_DIR: demo.ff (-32),
// demo16.ff (16-bit scaled) and demo64.ff (-64), as vexil-makedemo writes
// them. Without that variable they are generated into a temporary folder.
// bench/run_ffile_bench.sh runs this program next to the numpy and astropy
// peers on the same files and prints the ratios.
//
// Every iteration reads into a fresh FFile, as opening a document does, so
// the page faults of the new sample array are part of the figure (the peers
// allocate a fresh array too); the "faults" counter shows them per read.
//
//   ffile_bench --peak-rss=FILE   reads FILE once and prints how far the
//                                 peak resident size rose, in KiB.

#include "DemoScan.h"
#include "FFile.h"
#include "Messages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kCount = 10'000'000;

long minorFaults()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
}

long peakRssKiB()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

const std::string& dataDir()
{
    static const std::string dir = [] {
        if (const char* env = std::getenv("VEXIL_BENCH_DIR"); env && *env)
            return std::string(env);
        std::string d = (std::filesystem::temp_directory_path() / "vexil-ffile-bench").string();
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::string dataFile(const char* name)
{
    const std::string path = dataDir() + "/" + name;
    if (!std::filesystem::exists(dataDir() + "/demo.ff") || !std::filesystem::exists(dataDir() + "/demo16.ff") ||
        !std::filesystem::exists(dataDir() + "/demo64.ff")) {
        FFile f;
        DemoScanOptions options;
        options.count = kCount;
        makeDemoScan(f, options);
        f.SetName(dataDir() + "/demo.ff");
        if (!f.Write() || !writeDemoScan16(f, dataDir() + "/demo16.ff") || !writeDemoScan64(f, dataDir() + "/demo64.ff")) {
            std::fprintf(stderr, "ffile_bench: cannot write the data files in %s\n", dataDir().c_str());
            std::exit(1);
        }
    }
    return path;
}

void readFile(benchmark::State& state, const char* name)
{
    const std::string path = dataFile(name);
    long faults = 0;
    long long bytes = 0;
    std::optional<FFile> f;
    for (auto _ : state) {
        f.emplace();
        const long before = minorFaults();
        if (!f->Read(path)) {
            state.SkipWithError("read failed");
            return;
        }
        faults += minorFaults() - before;
        benchmark::DoNotOptimize(f->Data());
        bytes += static_cast<long long>(f->Count()) * 4;
        state.PauseTiming();
        f.reset();  // freeing the samples is not part of the read
        state.ResumeTiming();
    }
    state.SetBytesProcessed(bytes);
    state.counters["faults"] = benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

void BM_ReadF32(benchmark::State& state) { readFile(state, "demo.ff"); }
void BM_ReadI16(benchmark::State& state) { readFile(state, "demo16.ff"); }
void BM_ReadF64(benchmark::State& state) { readFile(state, "demo64.ff"); }

// The safe save: temporary file, samples, fsync, rename over the target.
void BM_Write(benchmark::State& state)
{
    FFile f;
    if (!f.Read(dataFile("demo.ff"))) {
        state.SkipWithError("read failed");
        return;
    }
    f.SetName(dataDir() + "/bench_out.ff");
    long long bytes = 0;
    for (auto _ : state) {
        if (!f.Write()) {
            state.SkipWithError("write failed");
            return;
        }
        bytes += static_cast<long long>(f.Count()) * 4;
    }
    state.SetBytesProcessed(bytes);
    std::filesystem::remove(dataDir() + "/bench_out.ff");
}

BENCHMARK(BM_ReadF32)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadI16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadF64)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond)->UseRealTime();

int peakRss(const char* path)
{
    const long before = peakRssKiB();
    FFile f;
    if (!f.Read(path))
        return 1;
    const long after = peakRssKiB();
    std::printf("peak_rss_rise_kib=%ld samples_kib=%lld\n", after - before,
                static_cast<long long>(f.Count()) * 4 / 1024);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Messages::installOutOfMemoryHandler();
    if (argc == 2 && std::strncmp(argv[1], "--peak-rss=", 11) == 0)
        return peakRss(argv[1] + 11);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
