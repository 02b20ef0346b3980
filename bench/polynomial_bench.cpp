// Polynomial fits and the linear combination on records of a million
// samples.
//
//   BM_FitPower9_1M      the least-squares fit of power 9 through 1M points
//                        (the peer: numpy.polyfit on the same points)
//   BM_TrendPower9_1M    Remove trend as the command runs it: fit points,
//                        fit, evaluation over the record, pending marks
//   BM_LinComb4x1M       FFLinComb of 4 scans with the whole preparation
//                        (common grid, output head, resampling) and the sum
//                        (the peer: np.interp onto the grid + weighted sum)
//
// The scans are written to VEXIL_BENCH_DIR (default
// /tmp/vexil-polynomial-bench) so that bench/peers/polynomial_peer.py times
// numpy on the very same samples in the same run.

#include "BenchScans.h"
#include "DemoScan.h"
#include "FFLinComb.h"
#include "FFList.h"
#include "FFPolyTrend.h"
#include "FFile.h"
#include "Messages.h"
#include "PolyLeastSquares.h"
#include "PolyTuning.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 4;
constexpr int kSamples = 1000000;

struct Scans {
    std::vector<std::unique_ptr<FFile>> files = writeBenchScans("/tmp/vexil-polynomial-bench", kRecords, kSamples, 2000u, 0.017);
};

Scans& scans()
{
    static Scans s;
    return s;
}

void BM_FitPower9_1M(benchmark::State& state)
{
    const FFile& f = *scans().files[0];
    std::vector<double> x(kSamples), y(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        x[i] = i;
        y[i] = f.Data()[i];
    }
    const int p = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Polynomial fit;
        if (!FitSingleLevel(x.data(), y.data(), kSamples, p, fit))
            state.SkipWithError("fit failed");
        benchmark::DoNotOptimize(fit.coefficients.data());
    }
}
BENCHMARK(BM_FitPower9_1M)->Arg(9)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrendPower9_1M(benchmark::State& state)
{
    FFile copy(*scans().files[0], FFile::Full);
    Tuning<TrendTuning>::current().power = 9;
    Tuning<TrendTuning>::current().quiet = true;
    ViewArrays view;
    view.attach(copy.Data(), copy.Count());
    for (auto _ : state) {
        FFPolyTrend op(view);
        if (!op.Execute())
            state.SkipWithError("trend failed");
        view.clearMarks();
        benchmark::DoNotOptimize(view.result.data());
    }
}
BENCHMARK(BM_TrendPower9_1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LinComb4x1M(benchmark::State& state)
{
    FFList list;
    for (auto& f : scans().files)
        list.Add(f.get());
    list.SetActive(scans().files.front().get());
    OverlayTuning settings;
    settings.quiet = true;
    settings.given = true;
    for (auto _ : state) {
        FFLinComb op(list, &settings);
        if (!op.Execute())
            state.SkipWithError("linear combination failed");
        std::unique_ptr<FFile> out = op.TakeOutput();
        benchmark::DoNotOptimize(out->Data());
    }
    list.Clear();
}
BENCHMARK(BM_LinComb4x1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// The weighted sum alone, on samples already on the grid.
void BM_LinCombSum4x1M(benchmark::State& state)
{
    std::vector<float> out(kSamples);
    const double a[kRecords] = {0.25, 0.25, 0.25, 0.25};
    for (auto _ : state) {
        std::fill(out.begin(), out.end(), 0.0f);
        for (int j = 0; j < kRecords; ++j) {
            const float* p = scans().files[j]->Data();
            for (int i = 0; i < kSamples; ++i)
                out[i] = static_cast<float>(static_cast<double>(out[i]) + a[j] * static_cast<double>(p[i]));
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_LinCombSum4x1M)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
