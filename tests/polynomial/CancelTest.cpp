#include "FFCompress.h"
#include "FFCorrelation.h"
#include "FFLinComb.h"
#include "FFSlidingMean.h"
#include "InPlaceCommands.h"
#include "MarkedRecord.h"
#include "Progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Cancels at the given step (0: never).
struct CancelAt : Progress::Hook {
    explicit CancelAt(int step) : step(step) {}
    void begin(const std::string& label) override { labels.push_back(label); }
    bool update(double f) override { return fractions.push_back(f), static_cast<int>(fractions.size()) != step; }
    void end() override { ++ends; }
    int step;
    std::vector<std::string> labels;
    std::vector<double> fractions;
    int ends = 0;
};

std::vector<float> wavy(int n)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<float>(std::sin(i * 0.001) * 10.0 + (i % 7) * 0.25);
    return v;
}

// Everything a command must leave alone: header text, samples, marks.
std::string bytesOf(const FFile& f, const ViewArrays* view = nullptr)
{
    std::string b = f.HeaderBytes();
    b.append(reinterpret_cast<const char*>(f.Data()), static_cast<std::size_t>(f.Count()) * sizeof(float));
    if (view) b.append(reinterpret_cast<const char*>(view->marks.data()), view->marks.size());
    return b;
}

struct World {
    std::unique_ptr<FFile> a, b;
    ViewArrays view;
    World()
    {
        a = makeScan(recipe(wavy(300000), 0.5, 100.0, "a.ff"));
        b = makeScan(recipe(wavy(300001), 0.5, 100.2, "b.ff"));
        view.attach(a->Data(), a->Count());  // a step for Glue, a gap for Clip:
        view.markRange(0, 299999, MarkSelected), view.markRange(140000, 149999, MarkDiscarded);
    }
    std::string bytes() const { return bytesOf(*a, &view) + bytesOf(*b); }
};

struct Command { const char* label; std::function<bool(World&)> run; };

template <class Op, class Settings>
bool runTransform(World& w, Settings s)
{
    s.quiet = s.given = true;
    Op op(w.a.get(), &s);
    return op.Execute() && op.TakeOutput() != nullptr;
}

template <class Op>
bool runOperation(World& w)
{
    OverlayTuning t;
    t.quiet = t.given = true;
    FFList list;
    list.Add(w.a.get()), list.Add(w.b.get()), list.SetActive(w.a.get());
    Op op(list, &t);
    return op.Execute() && op.TakeOutput() != nullptr;
}

SlidingMeanTuning smoothing(int function, int filter)
{
    SlidingMeanTuning t;
    t.windowSize = 20.0, t.windowFunction = function, t.filterType = filter;
    return t;
}

}  // namespace

class Cancel : public PolyFixture {
protected:
    void TearDown() override
    {
        Progress::setHook(nullptr);
        PolyFixture::TearDown();
    }
};

TEST_F(Cancel, EveryLongCommandStopsCleanlyAtAnyStep)
{
    quietPower<TrendTuning>(3);
    quietPower<ClipTuning>(4);
    quietPower<GlueTuning>(2);
    CompressTuning median;
    median.method = 1, median.factor = 2;
    const Command commands[] = {
        {"Sliding mean", [](World& w) { return runTransform<FFSlidingMean>(w, smoothing(1, 0)); }},
        {"Sliding mean", [](World& w) { return runTransform<FFSlidingMean>(w, smoothing(0, 0)); }},
        {"Sliding mean", [](World& w) { return runTransform<FFSlidingMean>(w, smoothing(2, 1)); }},
        {"Compress", [median](World& w) { return runTransform<FFCompress>(w, median); }},
        {"Linear combination", [](World& w) { return runOperation<FFLinComb>(w); }},
        {"Correlations", [](World& w) { return runOperation<FFCorrelation>(w); }},
        {"Remove trend", [](World& w) { return RunRemoveTrend(w.view); }},
        {"Clip", [](World& w) { return RunClip(w.view); }},
        {"Glue", [](World& w) { return RunGlue(w.view); }},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.label);
        World counted;
        auto counter = std::make_shared<CancelAt>(0);
        Progress::setHook(counter);
        ASSERT_TRUE(c.run(counted));
        const int steps = static_cast<int>(counter->fractions.size());
        ASSERT_GE(steps, 3);
        EXPECT_EQ(counter->labels, std::vector<std::string>{c.label});
        EXPECT_TRUE(std::is_sorted(counter->fractions.begin(), counter->fractions.end()));
        messages.recorder.clear();
        for (int at : {1, (steps + 1) / 2, steps}) {
            World w;
            const std::string before = w.bytes();
            auto hook = std::make_shared<CancelAt>(at);
            Progress::setHook(hook);
            EXPECT_FALSE(c.run(w)) << "at step " << at << " of " << steps;
            EXPECT_EQ(static_cast<int>(hook->fractions.size()) * 10 + hook->ends, at * 10 + 1);
            EXPECT_TRUE(w.bytes() == before) << "at step " << at;
            EXPECT_TRUE(messages.recorder.entries.empty()) << "at step " << at;
        }
    }
}

// Above the threshold reading reports per million samples and may be stopped.
TEST_F(Cancel, ReadingALargeFileReportsAndStops)
{
    TempDir dir;
    auto f = makeScan(recipe(wavy(2500000), 0.5, 100.0));
    f->SetName(dir.file("big.ff"));
    ASSERT_TRUE(f->Write());
    const struct { long long threshold; int cancelAt; int steps; bool read; } cases[] = {{4'000'000, 0, 3, true}, {4'000'000, 1, 1, false}, {4'000'000, 3, 3, false}, {10'000'000, 1, 0, true}};
    for (const auto& c : cases) {
        FFile::SetProgressThreshold(c.threshold);
        auto hook = std::make_shared<CancelAt>(c.cancelAt);
        Progress::setHook(hook);
        FFile g;
        EXPECT_EQ(g.Read(dir.file("big.ff")), c.read) << c.cancelAt;
        EXPECT_EQ(hook->labels, std::vector<std::string>(c.steps > 0 ? 1 : 0, "Reading big.ff"));
        EXPECT_EQ(static_cast<int>(hook->fractions.size()), c.steps);
        EXPECT_EQ(g.Count(), c.read ? 2500000 : 0);
        EXPECT_EQ(g.EntryCount() > 0, c.read);
    }
    FFile::SetProgressThreshold(100'000'000);
    EXPECT_TRUE(messages.recorder.entries.empty());
}
