#include "FilterReference.h"
#include "TestSupport.h"
#include "WeightWindow.h"
#include "wmedian.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<float> run(wmedian& k, const std::vector<float>& x)
{
    std::vector<float> out(x.size());
    k.filter(out.data(), x.data(), static_cast<int>(x.size()));
    return out;
}

// Through the window's own operations: m pushes, one push per output, then one pop and step per last
// output. Valid for records of at least 2m+1 samples.
std::vector<float> throughChains(wmedian& k, const std::vector<float>& x)
{
    const int n = static_cast<int>(x.size());
    const int m = k.HalfWidth();
    std::vector<float> out;
    k.reset();
    for (int i = 0; i < n; ++i) {
        k.push(x[static_cast<std::size_t>(i)]);
        if (i >= m)
            out.push_back(static_cast<float>(k.median()));
    }
    while (static_cast<int>(out.size()) < n) {
        k.popOldest();
        k.advance();
        out.push_back(static_cast<float>(k.median()));
    }
    return out;
}

}  // namespace

TEST(Wmedian, WindowOperationsByHand)
{
    wmedian k(WindowRectangular, 2.0, 1.0);  // m = 1, three equal weights
    ASSERT_EQ(k.Length(), 3);
    EXPECT_EQ(k.median(), INFINITY);
    k.push(5);
    k.push(3);
    EXPECT_EQ(k.median(), 3.0);  // two equal weights: the lower value reaches half exactly
    k.push(100);
    EXPECT_EQ(k.median(), 5.0);
    k.push(2);  // the pool is full: 5 leaves
    EXPECT_EQ(k.Count(), 3);
    EXPECT_EQ(k.median(), 3.0);
    for (int i = 0; i < 4; ++i)
        k.popOldest();  // the last time nothing is left
    EXPECT_EQ(k.Count(), 0);
    for (float v : {1, 2, 100})
        k.push(v);
    EXPECT_EQ(k.median(), 2.0);
}

TEST(Wmedian, FilterEqualsTheDefinitionTiesAndCutEndsIncluded)
{
    struct Case { int type; double W; int n; int levels; } cases[] = {
        {WindowRectangular, 2, 50, 3},    {WindowRectangular, 51, 2000, 0}, {WindowRectangular, 51, 2000, 6},
        {WindowRectangular, 501, 3000, 20}, {WindowParabolic, 4, 300, 3},  {WindowParabolic, 30, 1000, 0},
        {WindowGaussian, 2, 200, 4},      {WindowGaussian, 10, 1500, 0},    {WindowGaussian, 7.5, 900, 3},
        // records shorter than the window: cut at both ends at once
        {WindowRectangular, 21, 15, 3},   {WindowGaussian, 5, 12, 2},       {WindowParabolic, 9, 1, 0},
    };
    for (const Case& c : cases) {
        const std::vector<float> x = ref::randomSamples(c.n, 11u * static_cast<unsigned>(c.n), c.levels);
        wmedian k(c.type, c.W, 1.0);
        const std::vector<float> out = run(k, x);
        int bad = 0;
        for (int i = 0; i < c.n; ++i)
            bad += !ref::sameBits(out[static_cast<std::size_t>(i)], ref::median(x, i, k.Weights()));
        EXPECT_EQ(bad, 0) << "type " << c.type << " W " << c.W << " n " << c.n << " levels " << c.levels;
        if (c.n >= k.Length()) {
            const std::vector<float> chains = throughChains(k, x);
            EXPECT_EQ(std::memcmp(chains.data(), out.data(), out.size() * 4), 0) << c.type << " " << c.W;
        }
    }
}

TEST(Wmedian, RecordWithNaNFollowsTheChains)
{
    for (int type : {0, 1, 2}) {
        std::vector<float> x = ref::randomSamples(400, 5, 5);
        x[37] = x[200] = x[201] = NAN;
        wmedian k(type, 6.0, 1.0);
        const std::vector<float> out = run(k, x);
        const std::vector<float> chains = throughChains(k, x);
        for (std::size_t i = 0; i < x.size(); ++i)
            ASSERT_TRUE(ref::sameBits(out[i], chains[i]) || (std::isnan(out[i]) && std::isnan(chains[i])))
                << type << " at " << i;
        // Far from the NaN the record is ordered again.
        EXPECT_EQ(out[120], ref::median(x, 120, k.Weights()));
    }
}

TEST(Wmedian, ShortRecordGivesFiniteValuesEverywhere)
{
    // Four samples under a window of seven: every output sees the whole record. Dropping the oldest
    // sample at each of the last m outputs would give 2, 3, 3, 2 (and +infinity once empty).
    const std::vector<float> x = {1, 4, 3, 2};
    wmedian k(WindowRectangular, 6.0, 1.0);  // m = 3
    EXPECT_EQ(run(k, x), (std::vector<float>{2, 2, 2, 2}));
    wmedian wide(WindowGaussian, 5.0, 1.0);  // m = 10, longer than the record
    for (float v : run(wide, x))
        EXPECT_TRUE(std::isfinite(v));
}

TEST(WmedianDeathTest, UnknownWeightTypeIsFatal)
{
    EXPECT_EXIT(wmedian(-1, 5.0, 1.0), testing::ExitedWithCode(1), "wmedian: unhandled weight type");
}
