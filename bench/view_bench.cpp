// Repaint and memory of the plot view on large records.
//   view_bench [--benchmark_filter=...]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "CFFView.h"
#include "DemoScan.h"
#include "FFile.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

FFile& record(int count)
{
    static std::unique_ptr<FFile> file;
    static int made = -1;
    if (made != count) {
        file = std::make_unique<FFile>();
        DemoScanOptions o;
        o.count = count;
        makeDemoScan(*file, o);
        made = count;
    }
    return *file;
}

// Full repaint of the view's window through its paint event.
void repaint(benchmark::State& state, CFFView& view)
{
    QImage img(view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.viewport()->render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
}

void BM_RepaintFit10M(benchmark::State& state)
{
    FFile& f = record(10'000'000);
    CFFView view(f);
    view.resize(1200, 800);
    view.fitInWindow();
    repaint(state, view);
    state.counters["samples_per_px"] = view.scales().samplesPerPixel;
}
BENCHMARK(BM_RepaintFit10M)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same per sample on a record that fits in the cache.
void BM_RepaintFit1M(benchmark::State& state)
{
    FFile& f = record(1'000'000);
    CFFView view(f);
    view.resize(1200, 800);
    view.fitInWindow();
    repaint(state, view);
}
BENCHMARK(BM_RepaintFit1M)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_RepaintFit10MWithSelection(benchmark::State& state)
{
    FFile& f = record(10'000'000);
    CFFView view(f);
    view.resize(1200, 800);
    view.fitInWindow();
    view.markSpan(300, 700, 1);
    view.markSpan(800, 900, 2);
    repaint(state, view);
}
BENCHMARK(BM_RepaintFit10MWithSelection)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What a Select drag costs per pointer move: the strips under the old and
// the new line (the start line stays), far apart.
void BM_DragStrips10M(benchmark::State& state)
{
    FFile& f = record(10'000'000);
    CFFView view(f);
    view.resize(1200, 800);
    view.fitInWindow();
    QImage img(view.viewport()->size(), QImage::Format_RGB32);
    const QRegion strips = QRegion(99, 0, 3, 800) + QRegion(899, 0, 3, 800) + QRegion(919, 0, 3, 800);
    for (auto _ : state) {
        view.viewport()->render(&img, QPoint(), strips);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_DragStrips10M)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_RepaintOneToOne(benchmark::State& state)
{
    FFile& f = record(32766);
    CFFView view(f);
    view.resize(1200, 800);
    view.fitInWindow();
    view.oneToOne();
    repaint(state, view);
}
BENCHMARK(BM_RepaintOneToOne)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Bytes the view holds for a record, against the record's sample bytes:
// the counters report the ratio (samples + view arrays) / samples while
// the record is only looked at and while an operation's result is pending.
void BM_ViewMemory10M(benchmark::State& state)
{
    FFile& f = record(10'000'000);
    const double sampleBytes = 4.0 * f.Count();
    double idle = 0;
    double pending = 0;
    for (auto _ : state) {
        CFFView view(f);
        const ViewArrays& a = view.currentArrays();
        idle = static_cast<double>(a.marks.capacity() + a.result.capacity() * 4 + a.saved.capacity());
        view.saveMarks();
        ViewArrays& b = view.arrays();
        pending = static_cast<double>(b.marks.capacity() + b.result.capacity() * 4 + b.saved.capacity());
        benchmark::DoNotOptimize(b.marks.data());
    }
    state.counters["ratio_idle"] = (sampleBytes + idle) / sampleBytes;
    state.counters["ratio_pending"] = (sampleBytes + pending) / sampleBytes;
}
BENCHMARK(BM_ViewMemory10M)->Unit(benchmark::kMillisecond)->Iterations(3);

long long residentBytes()
{
    long long size = 0;
    long long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld %lld", &size, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4096;
}

// The same seen by the kernel: resident memory gained by opening a view on
// the record (marks), then by an operation's result array and saved marks.
// Measured once, before any other view has run, so that no freed memory
// is reused.
void BM_ViewResident10M(benchmark::State& state)
{
    FFile& f = record(10'000'000);
    const double sampleBytes = 4.0 * f.Count();
    double idle = 0;
    double pending = 0;
    {
        // The first widget of the process loads styles and cursors: not
        // the record's cost.
        auto small = std::make_unique<FFile>();
        makeDemoScan(*small, DemoScanOptions{});
        CFFView warmUp(*small);
        warmUp.saveMarks();
        warmUp.arrays();
    }
    for (auto _ : state) {
        const long long before = residentBytes();
        CFFView view(f);
        idle = static_cast<double>(residentBytes() - before);
        view.saveMarks();
        ViewArrays& a = view.arrays();
        benchmark::DoNotOptimize(a.result.data());
        pending = static_cast<double>(residentBytes() - before);
    }
    state.counters["ratio_idle"] = (sampleBytes + idle) / sampleBytes;
    state.counters["ratio_pending"] = (sampleBytes + pending) / sampleBytes;
}
BENCHMARK(BM_ViewResident10M)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
