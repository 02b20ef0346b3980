// Kernels of the compression and the sliding filter on records of 1M and
// 10M samples. Output buffers are allocated and touched once outside the
// timed loop, as a program reusing its buffers would run them.
//
// Window sizes are given in samples (step 1): the rectangular W = 2m gives
// exactly 2m+1 taps (5, 51, 501), so the peers can use the same taps.

#include "FFCompress.h"
#include "WeightWindow.h"
#include "ptools.h"
#include "warithmetic.h"
#include "wmedian.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

const std::vector<float>& record(int n)
{
    static std::vector<float> big;
    if (static_cast<int>(big.size()) < n) {
        big.resize(static_cast<std::size_t>(n));
        std::mt19937 gen(12345);
        std::normal_distribution<float> noise(0.0f, 1.0f);
        for (std::size_t i = 0; i < big.size(); ++i)
            big[i] = 10.0f + noise(gen) + static_cast<float>(i % 5000) * 1e-3f;
    }
    return big;
}

void BM_CompressMean(benchmark::State& st)
{
    const int f = static_cast<int>(st.range(0)), n = static_cast<int>(st.range(1));
    const std::vector<float>& x = record(n);
    std::vector<float> out(static_cast<std::size_t>(n / f), 0.0f);
    for (auto _ : st) {
        FFCompress::BlockMeans(x.data(), n, f, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_CompressMedian(benchmark::State& st)
{
    const int f = static_cast<int>(st.range(0)), n = static_cast<int>(st.range(1));
    const std::vector<float>& x = record(n);
    std::vector<float> out(static_cast<std::size_t>(n / f), 0.0f);
    for (auto _ : st) {
        FFCompress::BlockMedians(x.data(), n, f, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_Mean(benchmark::State& st, int type)
{
    const double W = static_cast<double>(st.range(0));
    const int n = static_cast<int>(st.range(1));
    const std::vector<float>& x = record(n);
    std::vector<float> out(static_cast<std::size_t>(n), 0.0f);
    warithmetic k(type, W, 1.0);
    for (auto _ : st) {
        k.filter(out.data(), x.data(), n);
        benchmark::DoNotOptimize(out.data());
    }
    st.counters["taps"] = 2 * k.HalfWidth() + 1;
}

void BM_Median(benchmark::State& st, int type)
{
    const double W = static_cast<double>(st.range(0));
    const int n = static_cast<int>(st.range(1));
    const std::vector<float>& x = record(n);
    std::vector<float> out(static_cast<std::size_t>(n), 0.0f);
    wmedian k(type, W, 1.0);
    for (auto _ : st) {
        k.filter(out.data(), x.data(), n);
        benchmark::DoNotOptimize(out.data());
    }
    st.counters["taps"] = k.Length();
}

// The sliding-mean filter as the operation runs it (ptools), kernel choice
// included.
void BM_Sliding(benchmark::State& st, int filterType)
{
    const double W = static_cast<double>(st.range(0));
    const int n = static_cast<int>(st.range(1));
    const std::vector<float>& x = record(n);
    std::vector<float> work(x.begin(), x.begin() + n);
    ptools tools;
    for (auto _ : st) {
        tools.initInPlace(x.data(), work.data(), n, 1.0);
        tools.apply(WindowRectangular, filterType, W);
        benchmark::DoNotOptimize(work.data());
    }
}

void BM_SlidingMean(benchmark::State& st) { BM_Sliding(st, 0); }
void BM_SlidingMedian(benchmark::State& st) { BM_Sliding(st, 1); }

void BM_MeanRectangular(benchmark::State& st) { BM_Mean(st, WindowRectangular); }
void BM_MeanParabolic(benchmark::State& st) { BM_Mean(st, WindowParabolic); }
void BM_MeanGaussian(benchmark::State& st) { BM_Mean(st, WindowGaussian); }
void BM_MedianRectangular(benchmark::State& st) { BM_Median(st, WindowRectangular); }
void BM_MedianParabolic(benchmark::State& st) { BM_Median(st, WindowParabolic); }
void BM_MedianGaussian(benchmark::State& st) { BM_Median(st, WindowGaussian); }

constexpr int kM = 1000000;
constexpr int k10M = 10000000;

}  // namespace

BENCHMARK(BM_CompressMean)->ArgsProduct({{4, 64}, {kM, k10M}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressMedian)->ArgsProduct({{4, 64}, {kM, k10M}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeanRectangular)->ArgsProduct({{4, 50, 500}, {kM, k10M}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeanParabolic)->ArgsProduct({{51}, {kM, k10M}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeanGaussian)->ArgsProduct({{51}, {kM, k10M}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedianRectangular)->ArgsProduct({{50, 500}, {kM, k10M}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedianParabolic)->ArgsProduct({{51}, {kM}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedianGaussian)->ArgsProduct({{51}, {kM}})->Unit(benchmark::kMillisecond);

BENCHMARK(BM_SlidingMean)->ArgsProduct({{50}, {k10M}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlidingMedian)->ArgsProduct({{50}, {k10M}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
