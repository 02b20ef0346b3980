#include "FFCompress.h"
#include "FFCorrelation.h"
#include "FFLinComb.h"
#include "FFSlidingMean.h"
#include "InPlaceCommands.h"
#include "MarkedRecord.h"
#include "WeightWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Undefined at 3 and 20…26; weighted mean or median of the defined x[lo…hi], NaN if none.
std::vector<float> record(float special)
{
    std::vector<float> x(40);
    for (int i = 0; i < 40; ++i)
        x[i] = (i == 3 || (i >= 20 && i <= 26)) ? special : static_cast<float>((i * 7) % 11) + 0.25f * i;
    return x;
}
float reference(const std::vector<float>& x, int c, int lo, int hi, double g, bool median)
{
    std::vector<float> v;
    long double s = 0, ws = 0;
    for (int j = std::max(lo, 0); j <= std::min(hi, 39); ++j) {
        const double w = std::exp(-(j - c) * (j - c) * g * g);
        if (std::isfinite(x[j]))
            v.push_back(x[j]), s += w * x[j], ws += w;
    }
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size(), h = n / 2;
    if (n == 0)
        return NAN;
    if (!median)
        return static_cast<float>(s / ws);
    return g < 0 ? v[(n - 1) / 2] : (v[n % 2 ? h : h - 1] + v[h]) / 2;  // g < 0: sliding median
}
std::vector<float> run(FFTransform&& op)
{
    EXPECT_TRUE(op.Execute());
    return samplesOf(*op.TakeOutput());
}

}  // namespace

TEST(NonFinite, FiltersAndCompressionTakeTheDefinedSamples)
{
    for (float special : {NAN, INFINITY}) {
        const std::vector<float> x = record(special);
        auto file = makeScan(recipe(x));
        // Rectangular W = 5 (m = 3) mean and median, Gaussian W = 2 (m = 4), blocks of 4.
        SlidingMeanTuning box, gauss, median;
        box.windowSize = median.windowSize = 5, gauss.windowSize = 2;
        gauss.windowFunction = WindowGaussian, median.filterType = FilterType::Median;
        CompressTuning means, medians;
        medians.method = CompressMethod::Median;
        const std::vector<std::vector<float>> got = {
            run(FFSlidingMean(file.get(), &box)), run(FFSlidingMean(file.get(), &gauss)),
            run(FFSlidingMean(file.get(), &median)), run(FFCompress(file.get(), &means)),
            run(FFCompress(file.get(), &medians))};
        for (int i = 0; i < 40; ++i) {
            const float want[] = {reference(x, i, i - 3, i + 3, 0, false),
                                  reference(x, i, i - 4, i + 4, 1.665109222 / 2, false),
                                  reference(x, i, i - 3, i + 3, -1, true), reference(x, i, 4 * i, 4 * i + 3, 0, false),
                                  reference(x, i, 4 * i, 4 * i + 3, 0, true)};
            for (std::size_t k = 0; k < 5 && i < static_cast<int>(got[k].size()); ++k) {
                if (std::isnan(want[k]))  // nothing defined in the window or block
                    EXPECT_TRUE(std::isnan(got[k][i])) << k << " at " << i;
                else
                    EXPECT_NEAR(got[k][i], want[k], 1e-5 * (1 + std::fabs(want[k]))) << k << " at " << i;
            }
        }
    }
}

TEST(NonFinite, CorrelationAndBestFitUseTheCommonDefinedPoints)
{
    OverlayTuning overlay;
    overlay.quiet = overlay.given = true;
    for (float special : {NAN, INFINITY}) {
        std::vector<float> a = record(special), b(40), ka, kb;  // ka, kb: where a is defined
        for (int i = 0; i < 40; ++i) {
            b[i] = std::isfinite(a[i]) ? 2 * a[i] + (i % 3) : 7.0f;
            if (std::isfinite(a[i]))
                ka.push_back(a[i]), kb.push_back(b[i]);
        }
        auto fa = makeScan(recipe(a, 1, 0, "a.ff")), fb = makeScan(recipe(b, 1, 0, "b.ff"));
        FFList list;
        list.Add(fb.get()), list.Add(fa.get());
        list.SetActive(fa.get());
        FFCorrelation corr(list, &overlay);
        ASSERT_TRUE(corr.Execute());
        EXPECT_NEAR(corr.Coefficients()[1], FFCorrelation::Correlate({ka.data(), kb.data()}, 32)[1], 1e-12);
        std::vector<double> fit;
        BestFitCoefficients({ka.data(), kb.data()}, 32, fit);
        FFLinComb::SetDialog([](LinCombCoefficients& rows) { return rows.BestFit(); });
        FFLinComb comb(list, &overlay);
        ASSERT_TRUE(comb.Execute());
        EXPECT_NEAR(comb.Coefficients()[1], fit[1], 1e-5);
        EXPECT_FALSE(std::isfinite(comb.TakeOutput()->Data()[3]));
        // An operand with coefficient 0 takes no part, undefined samples and all.
        FFLinComb::SetDialog([](LinCombCoefficients& rows) { return rows.SetText(0, "0"), true; });
        FFLinComb zero(list, &overlay);
        ASSERT_TRUE(zero.Execute());
        EXPECT_EQ(zero.TakeOutput()->Data()[3], 0.5f * b[3]);
        FFLinComb::SetDialog(nullptr);
    }
}

class NonFinitePoly : public PolyFixture {};

TEST_F(NonFinitePoly, FitsAndStatisticsTakeTheDefinedSamples)
{
    quietPower<ClipTuning>(1), quietPower<TrendTuning>(1), quietPower<GlueTuning>(0);
    for (float special : {NAN, INFINITY}) {
        const std::vector<float> line = ramp(20, 2, 0.5f);
        MarkedRecord clip(line, "sssssddddsssss"), trend(line), glue(line, "ssssssdssssss");
        for (MarkedRecord* r : {&clip, &trend, &glue})
            r->data[2] = r->data[7] = special;
        ASSERT_TRUE(RunClip(clip.view) && RunRemoveTrend(trend.view) && RunGlue(glue.view));
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(std::isfinite(clip.data[i]), i != 2);  // 7 was discarded: filled from the line
            EXPECT_NEAR(std::isfinite(clip.data[i]) ? clip.data[i] : line[i], line[i], 1e-4) << i;
            EXPECT_NEAR(std::isfinite(trend.data[i]) ? trend.data[i] : 0, 0, 1e-4) << i;
            EXPECT_EQ(std::isfinite(trend.data[i]) && std::isfinite(glue.data[i]), i != 2 && i != 7) << i;
        }
        // RMS of 1, 3, 5: mean 3, sqrt(8 / sqrt(6)); area above the zero baseline 2 + 4.
        MarkedRecord rms({1, special, 3, 5}), area({0, 0, 2, special, 4, 0, 0}, "ssdddss");
        auto file = makeScan(recipe({0}, 1, 0, "a.ff"));
        messages.recorder.clear();
        ASSERT_TRUE(CalcRms(rms.view, *file) && CalcArea(area.view, *file));
        ASSERT_EQ(messages.recorder.entries.size(), 2u);
        EXPECT_EQ(messages.recorder.entries[0].text, "r.m.s. = 1.8072 K\n(for whole data)");
        EXPECT_EQ(messages.recorder.entries[1].text, "Area =  6  K * SEC");
    }
}
