#include "FFSlidingMean.h"
#include "FilterReference.h"
#include "ScanBuilder.h"
#include "TuningFixture.h"

#include <gtest/gtest.h>

namespace {

using SlidingFixture = TuningFixture<SlidingMeanTuning>;

SlidingMeanTuning settings(double W, int function = 0, int filter = 0, int boundary = 0, bool bgr = false)
{
    return {.windowFunction = function, .filterType = filter, .removeBackground = bgr, .boundaryMode = boundary,
            .windowSize = W};
}

}  // namespace

TEST_F(SlidingFixture, WindowSizeMustLieStrictlyBetweenOneStepAndHalfTheRecord)
{
    for (double W : {SlidingMeanTuning().windowSize, 1.0, 1.01, 49.99, 50.0, -5.0, double(NAN)}) {  // initial 0 too
        for (bool given : {false, true}) {
            rec.recorder.clear();
            auto in = makeScan(recipe(ramp(100)));
            SlidingMeanTuning t = settings(W);
            Tuning<SlidingMeanTuning>::current() = t;
            FFSlidingMean op(in.get(), given ? &t : nullptr);
            const bool ok = W > 1.0 && W < 50.0;
            EXPECT_EQ(op.Execute(), ok) << W << " given " << given;
            EXPECT_EQ(rec.errors(), ok ? std::vector<std::string>{} : std::vector<std::string>{"Invalid window size"});
        }
    }
}

TEST_F(SlidingFixture, CutDropsTheMarginsAndMovesTheAxis)
{
    const std::vector<float> x = ref::randomSamples(40, 9);
    auto in = makeScan(recipe(x, 0.5, 10.0));
    SlidingMeanTuning t = settings(2.5, 0, 0, 1);  // m = round(2.5) = 3
    FFSlidingMean op(in.get(), &t);
    ASSERT_TRUE(op.Execute());
    std::unique_ptr<FFile> out = op.TakeOutput();
    ASSERT_EQ(out->Count(), 34);
    EXPECT_EQ(out->GetText("NAXIS1") + " " + out->GetText("CRVAL1") + " " + out->GetText("CDELT1") + " " +
              out->GetText("HISTORY"), "34 11.5 0.5 SLIDING_MEAN(scan1)2.5");
    for (int i = 0; i < 34; ++i)
        EXPECT_LE(ref::ulps(out->Data()[i], ref::mean(x, i + 3, std::vector<double>(4, 1.0))), 1);
}

TEST_F(SlidingFixture, BackgroundOfAStraightLineIsZeroInsideAndFlattenedEnds)
{
    auto in = makeScan(recipe(ramp(30, 5.0f, 2.0f)));
    SlidingMeanTuning leave = settings(5.0 + 1e-7, 0, 0, 0, true);  // m = 3
    FFSlidingMean op(in.get(), &leave);
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(op.Output()->GetText("HISTORY"), "SLIDING_MEAN(scan1)5BGR");  // six digits
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(op.Output()->Data()[i] == 0.0f, i >= 3 && i < 27) << i;
    SlidingMeanTuning flatten = settings(5.0, 0, 0, 2);
    FFSlidingMean op2(in.get(), &flatten);
    ASSERT_TRUE(op2.Execute());
    const float* z = op2.Output()->Data();  // ends: the full-window values at 3 and 26
    EXPECT_EQ(std::vector<float>({z[0], z[2], z[15], z[29]}), std::vector<float>({11, 11, 35, 57}));
}

TEST_F(SlidingFixture, PreviewReceivesTheSmoothedCurveBeforeBackgroundRemoval)
{
    std::vector<float> x(50, 2.0f);
    x[20] = 40.0f;
    auto in = makeScan(recipe(x));
    std::vector<float> preview(50, -1.0f);
    SlidingMeanTuning t = settings(4.0, 0, 1, 0, true);  // median, m = 2
    FFSlidingMean op(in.get(), &t, preview.data());
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(preview, std::vector<float>(50, 2.0f));
    EXPECT_EQ(std::vector<float>(op.Output()->Data() + 19, op.Output()->Data() + 21), std::vector<float>({0, 38}));
}

TEST_F(SlidingFixture, GaussianTooWideForCutOrFlattenIsRefused)
{
    // N = 40: W = 10 passes the size check, but the Gaussian reaches m = 20 samples to each side, leaving
    // nothing between the margins. N = 39, m = round(19.2) leaves the centre.
    struct Case { int n; double W; int boundary, filter; int count; } cases[] = {  // count 0: refused
        {40, 10.0, 0, 0, 40}, {40, 10.0, 0, 1, 40}, {40, 10.0, 1, 0, 0},
        {40, 10.0, 1, 1, 0},  {40, 10.0, 2, 0, 0},  {40, 10.0, 2, 1, 0}, {39, 9.6, 1, 0, 1},
    };
    for (const Case& c : cases) {
        rec.recorder.clear();
        auto in = makeScan(recipe(ref::randomSamples(c.n, 3)));
        SlidingMeanTuning t = settings(c.W, 2, c.filter, c.boundary);
        FFSlidingMean op(in.get(), &t);
        EXPECT_EQ(op.Execute(), c.count > 0) << c.boundary << " " << c.filter;
        const std::vector<std::string> refused = {"FFSlidingMean: window too wide to cut or flatten the record ends"};
        EXPECT_EQ(rec.errors(), c.count ? std::vector<std::string>{} : refused);
        EXPECT_EQ(c.count ? op.Output()->Count() : 0, c.count);
    }
}

TEST_F(SlidingFixture, UnknownBoundaryModeAndEditorCancel)
{
    auto in = makeScan(recipe(ramp(50)));
    SlidingMeanTuning t = settings(5.0, 0, 0, 3);
    FFSlidingMean op(in.get(), &t);
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"FFSlidingMean: unrecognized tf"});

    rec.recorder.clear();
    int shown = 0;
    Tuning<SlidingMeanTuning>::setEditor([&](SlidingMeanTuning&) { return ++shown < 0; });
    Tuning<SlidingMeanTuning>::current().windowSize = 5.0;
    FFSlidingMean cancelled(in.get());
    EXPECT_FALSE(cancelled.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(rec.recorder.entries.empty());
    Tuning<SlidingMeanTuning>::current().quiet = true;
    FFSlidingMean quiet(in.get());
    EXPECT_TRUE(quiet.Execute());
    EXPECT_EQ(shown, 1);
}
