// Reading and writing a FITS image of 10 million -32 samples (40 MB).
//
// The file is demo.fits in VEXIL_BENCH_DIR (bench/run_fits_bench.sh makes it
// with vexil-cli convert); without that variable a demo scan is written into
// a temporary folder. The script times astropy.io.fits on the same file in
// the same run and prints the ratios.
//
//   fits_bench --peak-rss=FILE   reads FILE once and prints how far the peak
//                                resident size rose, in KiB.

#include "DemoScan.h"
#include "FFile.h"
#include "Fits.h"
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

long peakRssKiB()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

const std::string& fitsFile()
{
    static const std::string path = [] {
        const char* env = std::getenv("VEXIL_BENCH_DIR");
        const std::string dir = env && *env ? env : (std::filesystem::temp_directory_path() / "vexil-fits-bench").string();
        std::filesystem::create_directories(dir);
        const std::string p = dir + "/demo.fits";
        if (!std::filesystem::exists(p)) {
            FFile f;
            DemoScanOptions options;
            options.count = 10'000'000;
            makeDemoScan(f, options);
            f.SetName(p);
            if (!Fits::Write(f))
                std::exit(1);
        }
        return p;
    }();
    return path;
}

// A fresh record per read, as opening a document does.
void BM_FitsRead(benchmark::State& state)
{
    std::optional<FFile> f;
    for (auto _ : state) {
        f.emplace();
        if (!Fits::Read(*f, fitsFile())) {
            state.SkipWithError("read failed");
            return;
        }
        benchmark::DoNotOptimize(f->Data());
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
}

// The safe save: temporary file, cards and samples, fsync, rename.
void BM_FitsWrite(benchmark::State& state)
{
    FFile f;
    if (!Fits::Read(f, fitsFile())) {
        state.SkipWithError("read failed");
        return;
    }
    const std::string out = fitsFile() + ".out.fits";
    f.SetName(out);
    for (auto _ : state)
        if (!Fits::Write(f)) {
            state.SkipWithError("write failed");
            return;
        }
    std::filesystem::remove(out);
}

BENCHMARK(BM_FitsRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FitsWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    Messages::installOutOfMemoryHandler();
    if (argc == 2 && std::strncmp(argv[1], "--peak-rss=", 11) == 0) {
        const long before = peakRssKiB();
        FFile f;
        if (!Fits::Read(f, argv[1] + 11))
            return 1;
        std::printf("peak_rss_rise_kib=%ld samples_kib=%lld\n", peakRssKiB() - before,
                    static_cast<long long>(f.Count()) * 4 / 1024);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
