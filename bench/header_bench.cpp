// Reading a header of a million distinct user entries (about 10 MB of
// "U123456=1" lines), and how far the peak resident size rises for it.
//   header_bench                 the timing (median of the repetitions)
//   header_bench --peak-rss      one read, then the peak rise over the
//                                header's bytes

#include "FHead.h"
#include "Messages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kEntries = 1'000'000;

std::string headerPath()
{
    static std::string path;
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() / "vexil-header-bench.ff").string();
        std::string text = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\nCTYPE1=TIME\nCDELT1=1\nBUNIT=K\n";
        for (int i = 0; i < kEntries; ++i)
            text += "U" + std::to_string(i) + "=" + std::to_string(i % 10) + "\n";
        text += "END\n";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0)
            std::abort();
    }
    return path;
}

long peakRssKiB()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void BM_ReadHeadMillionEntries(benchmark::State& state)
{
    const std::string path = headerPath();
    for (auto _ : state) {
        FHead h;
        if (!h.ReadHead(path))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(h.EntryCount());
    }
    state.counters["header_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BM_ReadHeadMillionEntries)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

int peakRss()
{
    const std::string path = headerPath();
    const long before = peakRssKiB();
    FHead h;
    if (!h.ReadHead(path))
        return 1;
    const long after = peakRssKiB();
    const double bytes = static_cast<double>(std::filesystem::file_size(path));
    std::printf("entries=%d header_bytes=%.0f peak_rss_rise_kib=%ld ratio=%.2f\n", h.EntryCount(), bytes,
                after - before, (after - before) * 1024.0 / bytes);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Messages::installOutOfMemoryHandler();
    if (argc == 2 && std::strcmp(argv[1], "--peak-rss") == 0)
        return peakRss();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
