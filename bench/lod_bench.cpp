// Repaint of the plot view on a record of a day of 1 kHz samples (100M by
// default, VEXIL_BENCH_COUNT for another length), 1200 x 800 at Fit in
// window: a full repaint, one drag move (the strips a Select drag updates),
// and the resident memory of the record and an idle view.
//   lod_bench [--benchmark_filter=...]

#include "CFFView.h"
#include "DemoScan.h"
#include "FFile.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QRegion>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

int recordCount()
{
    const char* given = std::getenv("VEXIL_BENCH_COUNT");
    return given && *given ? std::atoi(given) : 100'000'000;
}

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

long long baseResident = 0;

FFile& record()
{
    static std::unique_ptr<FFile> file;
    if (!file) {
        baseResident = residentBytes();
        file = std::make_unique<FFile>();
        DemoScanOptions o;
        o.count = recordCount();
        makeDemoScan(*file, o);
    }
    return *file;
}

CFFView& view()
{
    static std::unique_ptr<CFFView> v;
    if (!v) {
        v = std::make_unique<CFFView>(record());
        v->resize(1200, 800);
        v->fitInWindow();
        QImage img(v->viewport()->size(), QImage::Format_RGB32);
        v->viewport()->render(&img);  // the first paint may build what later ones reuse
    }
    return *v;
}

void BM_RepaintFit(benchmark::State& state)
{
    CFFView& v = view();
    QImage img(v.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        v.viewport()->render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
    state.counters["samples_per_px"] = v.scales().samplesPerPixel;
}
BENCHMARK(BM_RepaintFit)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(3)->ReportAggregatesOnly(true);

// One pointer move of a Select drag: the strips under the old and the new
// rubber line and the start line.
void BM_DragMove(benchmark::State& state)
{
    CFFView& v = view();
    QImage img(v.viewport()->size(), QImage::Format_RGB32);
    const QRegion strips = QRegion(99, 0, 3, 800) + QRegion(899, 0, 3, 800) + QRegion(919, 0, 3, 800);
    for (auto _ : state) {
        v.viewport()->render(&img, QPoint(), strips);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_DragMove)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);

// Resident bytes of the record and one idle, painted view, over the sample
// bytes.
void BM_IdleMemory(benchmark::State& state)
{
    CFFView& v = view();
    double ratio = 0;
    for (auto _ : state) {
        ratio = static_cast<double>(residentBytes() - baseResident) / (4.0 * record().Count());
        benchmark::DoNotOptimize(&v);
    }
    state.counters["rss_over_sample_bytes"] = ratio;
}
BENCHMARK(BM_IdleMemory)->Iterations(1);

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
