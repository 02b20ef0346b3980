// Opening a large record in the desktop application: from the open request
// to the first paint of its plot, and the memory the open record holds.
//   shell_open_bench [--benchmark_filter=...]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
// bench/shell_open_compare.py runs it beside a numpy peer.

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "DemoScan.h"
#include "FFile.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// VEXIL_BENCH_COUNT gives another record length (100000000 for the figures
// of a day of 1 kHz samples).
int recordCount()
{
    const char* given = std::getenv("VEXIL_BENCH_COUNT");
    return given && *given ? std::atoi(given) : 10'000'000;
}

const QString& recordPath()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        if (const char* given = std::getenv("VEXIL_BENCH_FILE")) {
            path = QString::fromLocal8Bit(given);
        } else {
            path = dir.filePath(QStringLiteral("big.ff"));
            FFile f;
            DemoScanOptions o;
            o.count = recordCount();
            makeDemoScan(f, o);
            f.SetName(path.toStdString());
            if (!f.Write())
                std::abort();
        }
    }
    return path;
}

long residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4096;
}

// Counts paint events reaching a widget.
class PaintWatch : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Made on first use, released before the QApplication goes.
std::unique_ptr<CVexilApp> app;

CVexilApp& application()
{
    static QTemporaryDir settings;
    if (!app) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        app = std::make_unique<CVexilApp>();
        app->InitInstance({}, true);
        app->mainFrame()->resize(1280, 900);
        QCoreApplication::processEvents();
    }
    return *app;
}

void BM_OpenToFirstPaint10M(benchmark::State& state)
{
    const QString path = recordPath();
    CVexilApp& app = application();
    double ratio = 0;
    for (auto _ : state) {
        const long before = residentBytes();
        CFFDoc* doc = app.OpenDocumentFile(path);
        if (!doc) {
            state.SkipWithError("open failed");
            return;
        }
        QWidget* view = app.mainFrame()->framesOf(doc).first()->view();
        PaintWatch watch;
        auto* viewport = view->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
        QWidget* target = viewport ? viewport : view;
        target->installEventFilter(&watch);
        while (watch.paints == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        target->removeEventFilter(&watch);
        state.PauseTiming();
        ratio = double(residentBytes() - before) / (4.0 * doc->GetFFile()->Count());
        app.CloseDocument(doc);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rss_over_sample_bytes"] = ratio;
}
BENCHMARK(BM_OpenToFirstPaint10M)->Unit(benchmark::kMillisecond)->Iterations(7)->Repetitions(3);

// The read alone, for the split of the figure above.
void BM_Read10M(benchmark::State& state)
{
    const std::string path = recordPath().toStdString();
    for (auto _ : state) {
        FFile f;
        if (!f.Read(path))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(f.Data());
    }
}
BENCHMARK(BM_Read10M)->Unit(benchmark::kMillisecond)->Iterations(7)->Repetitions(3);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app.reset();
    return 0;
}
