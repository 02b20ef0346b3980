// Correlation coefficients of 8 drift scans of 1M samples each, with the
// whole preparation (common grid, output head, resampling) included, as the
// Correlations command runs it. The scans are offset from each other by
// fractions of a sample so that resampling really interpolates.
//
// The scans are also written to a folder (VEXIL_BENCH_DIR, default
// /tmp/vexil-correlation-bench) so that bench/peers/correlation_peer.py can
// time numpy.corrcoef on the very same samples; that script runs this
// program and prints both medians and their ratio.

#include "BenchScans.h"
#include "DemoScan.h"
#include "FFCorrelation.h"
#include "FFList.h"
#include "FFile.h"
#include "Messages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 8;
constexpr int kSamples = 1000000;

// Swallows the table (and any message) so only the computation is timed.
class QuietSink : public MessageSink {
public:
    void error(const std::string&) override {}
    void fatal(const std::string&) override {}
    Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::Ok; }
    void info(const std::string&, const std::string&) override {}
    void showTable(const std::string&, const std::string& text) override { last = text; }
    std::string last;
};

struct Scans {
    std::vector<std::unique_ptr<FFile>> files = writeBenchScans("/tmp/vexil-correlation-bench", kRecords, kSamples, 1000u, 0.013);
};

Scans& scans()
{
    static Scans s;
    return s;
}

FFList operandList()
{
    FFList list;
    for (auto& f : scans().files)
        list.Add(f.get());
    list.SetActive(scans().files.front().get());
    return list;
}

void BM_Correlation8x1M(benchmark::State& state)
{
    FFList list = operandList();
    QuietSink sink;
    MessageSink* previous = Messages::install(&sink);
    OverlayTuning settings;
    for (auto _ : state) {
        FFCorrelation op(list, &settings);
        if (!op.Execute())
            state.SkipWithError("correlation failed");
        benchmark::DoNotOptimize(op.Coefficients().data());
    }
    Messages::install(previous);
    list.Clear();
}
BENCHMARK(BM_Correlation8x1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// The coefficients alone, on the stored samples.
void BM_CorrelateKernel8x1M(benchmark::State& state)
{
    std::vector<const float*> rows;
    for (auto& f : scans().files)
        rows.push_back(f->Data());
    for (auto _ : state) {
        std::vector<double> r = FFCorrelation::Correlate(rows, kSamples);
        benchmark::DoNotOptimize(r.data());
    }
}
BENCHMARK(BM_CorrelateKernel8x1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// Resampling one record onto a grid a fraction of a sample away.
void BM_Resample1M(benchmark::State& state)
{
    const FFile& f = *scans().files[1];
    std::vector<float> out(kSamples);
    for (auto _ : state) {
        FFOperation::Resample(f, 43200.02, 0.05, kSamples - 1, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Resample1M)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
