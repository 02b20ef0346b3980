#include "FFSlidingMean.h"
#include "FilterReference.h"
#include "TestSupport.h"
#include "TransformFixtures.h"
#include "Tuning.h"

#include <gtest/gtest.h>

namespace {

struct SlidingFixture : testing::Test {
    void SetUp() override
    {
        Tuning<SlidingMeanTuning>::reset();
        Tuning<SlidingMeanTuning>::setEditor(nullptr);
    }
    void TearDown() override { SetUp(); }
    RecordMessages rec;
};

SlidingMeanTuning settings(double W, int function = 0, int filter = 0, int boundary = 0, bool bgr = false)
{
    SlidingMeanTuning t;
    t.windowSize = W;
    t.windowFunction = function;
    t.filterType = filter;
    t.boundaryMode = boundary;
    t.removeBackground = bgr;
    return t;
}

}  // namespace

TEST_F(SlidingFixture, InitialSettingsAreRefusedForTheirWindowSize)
{
    const SlidingMeanTuning t;
    EXPECT_EQ(t.windowFunction, 0);
    EXPECT_EQ(t.filterType, 0);
    EXPECT_FALSE(t.removeBackground);
    EXPECT_EQ(t.boundaryMode, 0);
    EXPECT_FALSE(t.quiet);
    EXPECT_EQ(t.windowSize, 0.0);
    EXPECT_FALSE(t.given);
    FFile in;
    fixture::makeFile(in, fixture::ramp(100));
    FFSlidingMean op(&in);
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"Invalid window size"});
}

TEST_F(SlidingFixture, WindowSizeMustLieStrictlyBetweenOneStepAndHalfTheRecord)
{
    struct Case {
        double W;
        bool ok;
    } cases[] = {{1.0, false}, {1.01, true}, {49.99, true}, {50.0, false}, {-5.0, false}, {NAN, false}};
    for (const Case& c : cases) {
        for (bool given : {false, true}) {
            rec.recorder.clear();
            FFile in;
            fixture::makeFile(in, fixture::ramp(100));
            SlidingMeanTuning t = settings(c.W);
            Tuning<SlidingMeanTuning>::current() = t;
            FFSlidingMean op(&in, given ? &t : nullptr);
            EXPECT_EQ(op.Execute(), c.ok) << c.W << " given " << given;
            EXPECT_EQ(rec.errors().size(), c.ok ? 0u : 1u);
            if (!c.ok) {
                EXPECT_EQ(rec.errors()[0], "Invalid window size");
            }
        }
    }
}

TEST_F(SlidingFixture, HistoryNamesTheInputTheWindowAndBackgroundRemoval)
{
    FFile in;
    fixture::makeFile(in, fixture::ramp(100));
    SlidingMeanTuning t = settings(12.5, 0, 0, 0, true);
    FFSlidingMean op(&in, &t);
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(op.Output()->GetText("HISTORY"), "SLIDING_MEAN(scan1)12.5BGR");
    SlidingMeanTuning t2 = settings(3.0 + 1e-7);
    FFSlidingMean op2(&in, &t2);
    ASSERT_TRUE(op2.Execute());
    EXPECT_EQ(op2.Output()->GetText("HISTORY"), "SLIDING_MEAN(scan1)3");
}

TEST_F(SlidingFixture, CutDropsTheMarginsAndMovesTheAxis)
{
    FFile in;
    const std::vector<float> x = ref::randomSamples(40, 9);
    fixture::makeFile(in, x, 0.5, 10.0);
    SlidingMeanTuning t = settings(2.5, 0, 0, 1);  // m = round(2.5) = 3
    FFSlidingMean op(&in, &t);
    ASSERT_TRUE(op.Execute());
    std::unique_ptr<FFile> out = op.TakeOutput();
    ASSERT_EQ(out->Count(), 34);
    EXPECT_EQ(out->GetText("NAXIS1"), "34");
    EXPECT_EQ(out->GetText("CRVAL1"), "11.5");
    EXPECT_EQ(out->GetText("CDELT1"), "0.5");
    const std::vector<double> w(4, 1.0);
    for (int i = 0; i < 34; ++i)
        EXPECT_LE(ref::ulps(out->Data()[i], ref::mean(x, i + 3, w)), 1);
}

TEST_F(SlidingFixture, BackgroundOfAStraightLineIsZeroInsideAndFlattenedEnds)
{
    FFile in;
    fixture::makeFile(in, fixture::ramp(30, 5.0f, 2.0f));
    SlidingMeanTuning leave = settings(5.0, 0, 0, 0, true);  // m = 3
    FFSlidingMean op(&in, &leave);
    ASSERT_TRUE(op.Execute());
    const float* y = op.Output()->Data();
    for (int i = 0; i < 30; ++i) {
        if (i < 3 || i >= 27)
            EXPECT_NE(y[i], 0.0f) << i;
        else
            EXPECT_EQ(y[i], 0.0f) << i;
    }
    SlidingMeanTuning flatten = settings(5.0, 0, 0, 2);
    FFSlidingMean op2(&in, &flatten);
    ASSERT_TRUE(op2.Execute());
    const float* z = op2.Output()->Data();
    EXPECT_EQ(z[0], 11.0f);  // the full-window value at index 3
    EXPECT_EQ(z[2], 11.0f);
    EXPECT_EQ(z[29], 57.0f);  // at index 26
    EXPECT_EQ(z[15], 35.0f);
}

TEST_F(SlidingFixture, PreviewReceivesTheSmoothedCurveBeforeBackgroundRemoval)
{
    FFile in;
    std::vector<float> x(50, 2.0f);
    x[20] = 40.0f;
    fixture::makeFile(in, x);
    std::vector<float> preview(50, -1.0f);
    SlidingMeanTuning t = settings(4.0, 0, 1, 0, true);  // median, m = 2
    FFSlidingMean op(&in, &t, preview.data());
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(preview, std::vector<float>(50, 2.0f));
    EXPECT_EQ(op.Output()->Data()[20], 38.0f);
    EXPECT_EQ(op.Output()->Data()[19], 0.0f);
}

TEST_F(SlidingFixture, GaussianTooWideForCutOrFlattenIsRefused)
{
    // N = 40, step 1: W = 10 passes the size check, but the Gaussian reaches
    // m = 20 samples to each side, which leaves nothing between the margins.
    for (int boundary : {0, 1, 2}) {
        for (int filter : {0, 1}) {
            rec.recorder.clear();
            FFile in;
            fixture::makeFile(in, ref::randomSamples(40, 3));
            SlidingMeanTuning t = settings(10.0, 2, filter, boundary);
            FFSlidingMean op(&in, &t);
            const bool ok = op.Execute();
            EXPECT_EQ(ok, boundary == 0) << boundary;
            if (!ok) {
                EXPECT_EQ(rec.errors(),
                          std::vector<std::string>{"FFSlidingMean: window too wide to cut or flatten the record ends"});
            } else {
                EXPECT_EQ(op.Output()->Count(), 40);
            }
        }
    }
    // One sample short of that still works: m = 19 leaves the centre sample.
    FFile in;
    fixture::makeFile(in, ref::randomSamples(39, 3));
    SlidingMeanTuning t = settings(9.6, 2, 0, 1);  // m = round(19.2) = 19
    FFSlidingMean op(&in, &t);
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(op.Output()->Count(), 1);
}

TEST_F(SlidingFixture, UnknownBoundaryModeAndEditorCancel)
{
    FFile in;
    fixture::makeFile(in, fixture::ramp(50));
    SlidingMeanTuning t = settings(5.0, 0, 0, 3);
    FFSlidingMean op(&in, &t);
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"FFSlidingMean: unrecognized tf"});

    rec.recorder.clear();
    int shown = 0;
    Tuning<SlidingMeanTuning>::setEditor([&](SlidingMeanTuning&) {
        ++shown;
        return false;
    });
    Tuning<SlidingMeanTuning>::current().windowSize = 5.0;
    FFSlidingMean cancelled(&in);
    EXPECT_FALSE(cancelled.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(rec.recorder.entries.empty());

    Tuning<SlidingMeanTuning>::current().quiet = true;
    FFSlidingMean quiet(&in);
    EXPECT_TRUE(quiet.Execute());
    EXPECT_EQ(shown, 1);
}
