#include "FilterReference.h"
#include "TestSupport.h"
#include "WeightWindow.h"
#include "warithmetic.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(WeightWindow, HalfWidthsAndWeightsOfTheThreeTypes)
{
    struct Case { int type; double W, h; int m; std::vector<double> w; } cases[] = {  // w(0) ... as far as given
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
    EXPECT_DOUBLE_EQ(k.meanAt(x.data(), 0, 6), (1 + 1.75 + 1.5) / 2.375);  // offsets 0..2 only
    EXPECT_DOUBLE_EQ(k.meanAt(x.data(), 2, 6), 3.0);
    EXPECT_DOUBLE_EQ(k.meanAt(x.data(), 5, 6), (6 + 0.875 * 5 + 0.5 * 4) / 2.375);
}

TEST(Warithmetic, FilterMatchesTheDirectSumWithinOneUlp)
{
    struct Case { int type; double W; int n; float offset; std::vector<std::pair<int, float>> specials = {}; } cases[] = {
        {WindowRectangular, 5, 1000, 0},   {WindowRectangular, 51, 5000, 100},
        {WindowRectangular, 7, 20000, 0.5f},  // chunks of exact sums
        {WindowRectangular, 501, 40000, 0}, {WindowRectangular, 40, 30, 5},  // window wider than the record
        {WindowRectangular, 1, 50, 0},     // m = 1 (round half up of 0.5)
        {WindowRectangular, 0.4, 20, 0},   // m = 0: the record itself
        {WindowParabolic, 51, 5000, 1000}, {WindowParabolic, 30, 20, 0},
        {WindowGaussian, 51 / 2.0, 6000, -50}, {WindowGaussian, 20, 70, 0},  // m = 40: no full window
        // Huge samples: a plain running sum would keep an error of 1e30's size and ruin every later mean.
        {WindowRectangular, 21, 100000, 0, {{500, 1e30f}, {70000, -3e29f}}},
        // Infinities spoil only the windows they fall in (inf - inf: NaN).
        {WindowRectangular, 10, 30000, 20, {{3, INFINITY}, {15000, INFINITY}, {25000, -INFINITY}, {25001, INFINITY}}},
    };
    for (const Case& c : cases) {
        std::vector<float> x = ref::randomSamples(c.n, 7u + static_cast<unsigned>(c.n), 0, c.offset);
        for (const auto& [at, v] : c.specials)
            x[static_cast<std::size_t>(at)] = v;
        warithmetic k(c.type, c.W, 1.0);
        std::vector<float> out(x.size());
        k.filter(out.data(), x.data(), c.n);
        long long worst = 0;
        for (int i = 0; i < c.n; ++i) {
            const float got = out[static_cast<std::size_t>(i)], want = ref::mean(x, i, k.Weights());
            worst = std::max(worst, std::isnan(want) && std::isnan(got) ? 0 : ref::ulps(got, want));
        }
        EXPECT_LE(worst, 1) << "type " << c.type << " W " << c.W << " n " << c.n;
    }
}

TEST(WarithmeticDeathTest, UnknownWeightTypeIsFatal)
{
    EXPECT_EXIT(warithmetic(3, 5.0, 1.0), testing::ExitedWithCode(1), "warithmetic: unhandled weight type");
}
