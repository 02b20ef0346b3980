#include "FilterReference.h"
#include "TestSupport.h"
#include "WeightWindow.h"
#include "warithmetic.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(WeightWindow, HalfWidthsAndWeightsOfTheThreeTypes)
{
    struct Case {
        int type;
        double W, h;
        int m;
        std::vector<double> w;  // w(0) ... checked as far as given
    } cases[] = {
        {WindowRectangular, 5.0, 1.0, 3, {1, 1, 1, 1}},          // round(2.5) = 3
        {WindowRectangular, 4.0, 1.0, 2, {1, 1, 1}},
        {WindowRectangular, 0.5, 0.1, 3, {1, 1, 1, 1}},          // 2.5 in tenths
        {WindowParabolic, 4.0, 1.0, 2, {1, 0.875, 0.5}},         // floor(2.828)
        {WindowParabolic, 10.0, 2.0, 3, {1, 1 - 0.08, 1 - 0.32, 1 - 0.72}},
        {WindowGaussian, 2.0, 1.0, 4, {1, std::exp(-0.69314718)}},  // w(1) about 0.5
        {WindowGaussian, 2.5, 1.0, 5, {1}},                          // round(5)
    };
    for (const Case& c : cases) {
        WeightWindow win = WeightWindow::make(c.type, c.W, c.h);
        EXPECT_EQ(win.halfWidth, c.m) << c.type << " " << c.W;
        EXPECT_EQ(WeightWindow::halfWidthOf(c.type, c.W, c.h), c.m);
        ASSERT_EQ(win.weights.size(), static_cast<std::size_t>(c.m) + 1);
        for (std::size_t k = 0; k < c.w.size(); ++k)
            EXPECT_NEAR(win.weights[k], c.w[k], 1e-8) << c.type << " k=" << k;
    }
    EXPECT_EQ(WeightWindow::halfWidthOf(3, 5.0, 1.0), -1);
}

TEST(Warithmetic, MeanAtCutsTheWindowAtTheEnds)
{
    warithmetic k(WindowParabolic, 4.0, 1.0);  // weights 0.5 0.875 1 0.875 0.5
    const std::vector<float> x = {1, 2, 3, 4, 5, 6};
    // i = 0 uses offsets 0..2 only: (1*1 + 0.875*2 + 0.5*3) / 2.375
    EXPECT_DOUBLE_EQ(k.meanAt(x.data(), 0, 6), (1 + 1.75 + 1.5) / 2.375);
    // i = 2: the full window, symmetric around a straight line
    EXPECT_DOUBLE_EQ(k.meanAt(x.data(), 2, 6), 3.0);
    EXPECT_DOUBLE_EQ(k.meanAt(x.data(), 5, 6), (6 + 0.875 * 5 + 0.5 * 4) / 2.375);
}

TEST(Warithmetic, FilterMatchesTheDirectSumWithinOneUlp)
{
    struct Case {
        int type;
        double W;
        int n;
        float offset;
    } cases[] = {
        {WindowRectangular, 5, 1000, 0},   {WindowRectangular, 51, 5000, 100},
        {WindowRectangular, 7, 20000, 0.5f},  // chunks of exact sums
        {WindowRectangular, 501, 40000, 0}, {WindowRectangular, 40, 30, 5},  // window wider than the record
        {WindowRectangular, 1, 50, 0},     // m = 1 (round half up of 0.5)
        {WindowRectangular, 0.4, 20, 0},   // m = 0: the record itself
        {WindowParabolic, 51, 5000, 1000}, {WindowParabolic, 30, 20, 0},
        {WindowGaussian, 51 / 2.0, 6000, -50}, {WindowGaussian, 20, 70, 0},  // m = 40: no full window
    };
    for (const Case& c : cases) {
        const std::vector<float> x = ref::randomSamples(c.n, 7u + static_cast<unsigned>(c.n), 0, c.offset);
        warithmetic k(c.type, c.W, 1.0);
        std::vector<float> out(x.size());
        k.filter(out.data(), x.data(), c.n);
        long long worst = 0;
        for (int i = 0; i < c.n; ++i)
            worst = std::max(worst, ref::ulps(out[static_cast<std::size_t>(i)], ref::mean(x, i, k.Weights())));
        EXPECT_LE(worst, 1) << "type " << c.type << " W " << c.W << " n " << c.n;
    }
}

TEST(Warithmetic, RunningSumForgetsAHugeValueOnceItLeaves)
{
    // 1e30 passes through the window; a plain running sum would keep an
    // error of its size and ruin every later mean.
    std::vector<float> x = ref::randomSamples(100000, 3);
    x[500] = 1e30f;
    x[70000] = -3e29f;
    warithmetic k(WindowRectangular, 21, 1.0);
    std::vector<float> out(x.size());
    k.filter(out.data(), x.data(), static_cast<int>(x.size()));
    long long worst = 0;
    for (int i = 0; i < static_cast<int>(x.size()); ++i)
        worst = std::max(worst, ref::ulps(out[static_cast<std::size_t>(i)], ref::mean(x, i, k.Weights())));
    EXPECT_LE(worst, 1);
}

TEST(Warithmetic, InfinityInTheRecordLeavesOnlyTheWindowsItFallsIn)
{
    std::vector<float> x = ref::randomSamples(30000, 8, 0, 20.0f);
    x[3] = INFINITY;
    x[15000] = INFINITY;
    x[25000] = -INFINITY;
    x[25001] = INFINITY;  // inf - inf: NaN where both are in the window
    warithmetic k(WindowRectangular, 10, 1.0);  // m = 5
    std::vector<float> out(x.size());
    k.filter(out.data(), x.data(), static_cast<int>(x.size()));
    for (int i = 0; i < static_cast<int>(x.size()); ++i) {
        const float want = ref::mean(x, i, k.Weights());
        const float got = out[static_cast<std::size_t>(i)];
        if (std::isnan(want))
            ASSERT_TRUE(std::isnan(got)) << i;
        else
            ASSERT_LE(ref::ulps(got, want), 1) << i << " " << got << " " << want;
    }
    EXPECT_EQ(out[15005], INFINITY);
    EXPECT_TRUE(std::isfinite(out[15006]));
}

TEST(WarithmeticDeathTest, UnknownWeightTypeIsFatal)
{
    EXPECT_EXIT(warithmetic(3, 5.0, 1.0), testing::ExitedWithCode(1), "warithmetic: unhandled weight type");
}
