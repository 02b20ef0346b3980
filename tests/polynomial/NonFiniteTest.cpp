// Undefined samples (NaN, infinity) are left out of every operation: each
// result is checked against an independent computation over the defined
// samples only, for a record holding NaN and for one holding +inf.

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
#include <functional>

namespace {

const float kSpecials[] = {NAN, INFINITY};

// 40 samples; a lone undefined sample at 3 and a run of seven at 20 ... 26.
std::vector<float> record(float special)
{
    std::vector<float> x(40);
    for (int i = 0; i < 40; ++i)
        x[i] = static_cast<float>((i * 7) % 11) + 0.25f * i;
    for (int i : {3, 20, 21, 22, 23, 24, 25, 26})
        x[i] = special;
    return x;
}

// Weighted mean and lower weighted median (equal weights) of the defined
// x[i+k], |k| <= m, inside the record; NaN when there is none.
float windowMean(const std::vector<float>& x, int i, int m, const std::function<double(int)>& w)
{
    long double s = 0, ws = 0;
    for (int k = -m; k <= m; ++k)
        if (i + k >= 0 && i + k < static_cast<int>(x.size()) && std::isfinite(x[i + k]))
            s += w(k) * x[i + k], ws += w(k);
    return ws > 0 ? static_cast<float>(s / ws) : NAN;
}
std::vector<float> defined(const std::vector<float>& x, int lo, int hi)
{
    std::vector<float> v;
    for (int j = std::max(lo, 0); j <= std::min(hi, static_cast<int>(x.size()) - 1); ++j)
        if (std::isfinite(x[j]))
            v.push_back(x[j]);
    std::sort(v.begin(), v.end());
    return v;
}
float blockMedian(std::vector<float> v)
{
    const std::size_t c = v.size();
    return c == 0 ? NAN : c % 2 ? v[c / 2] : (v[c / 2 - 1] + v[c / 2]) / 2;
}

std::vector<float> slide(const std::vector<float>& x, int window, int filter, double W)
{
    auto file = makeScan(recipe(x));
    SlidingMeanTuning t;
    t.windowFunction = window, t.filterType = filter, t.windowSize = W;
    FFSlidingMean op(file.get(), &t);
    EXPECT_TRUE(op.Execute());
    return samplesOf(*op.Output());
}
std::vector<float> compress(const std::vector<float>& x, int method)
{
    auto file = makeScan(recipe(x));
    CompressTuning t;
    t.method = method;
    FFCompress op(file.get(), &t);
    EXPECT_TRUE(op.Execute());
    return samplesOf(*op.Output());
}

void expectClose(const std::vector<float>& got, const std::vector<float>& want, const std::string& what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (std::isnan(want[i]))
            EXPECT_TRUE(std::isnan(got[i])) << what << " at " << i;
        else
            EXPECT_NEAR(got[i], want[i], 1e-5 * (1 + std::fabs(want[i]))) << what << " at " << i;
    }
}

}  // namespace

TEST(NonFinite, FiltersAndCompressionAverageTheDefinedSamples)
{
    const double g = 1.665109222 / 2.0;  // Gaussian, W = 2: m = 4
    for (float special : kSpecials) {
        const std::vector<float> x = record(special);
        std::vector<float> mean(40), gauss(40), median(40), blockMeans(10), blockMedians(10);
        for (int i = 0; i < 40; ++i) {
            mean[i] = windowMean(x, i, 3, [](int) { return 1.0; });
            gauss[i] = windowMean(x, i, 4, [&](int k) { return std::exp(-(k * g) * (k * g)); });
            const std::vector<float> v = defined(x, i - 3, i + 3);
            median[i] = v.empty() ? NAN : v[(v.size() - 1) / 2];
        }
        for (int b = 0; b < 10; ++b) {
            blockMeans[b] = windowMean(x, 4 * b, 3, [](int k) { return k >= 0 ? 1.0 : 0.0; });
            blockMedians[b] = blockMedian(defined(x, 4 * b, 4 * b + 3));
        }
        EXPECT_TRUE(std::isnan(mean[23]) && std::isnan(blockMeans[5]));  // nothing defined there
        expectClose(slide(x, WindowRectangular, FilterType::Mean, 5), mean, "mean");
        expectClose(slide(x, WindowGaussian, FilterType::Mean, 2), gauss, "gaussian");
        expectClose(slide(x, WindowRectangular, FilterType::Median, 5), median, "median");
        expectClose(compress(x, CompressMethod::Mean), blockMeans, "block means");
        expectClose(compress(x, CompressMethod::Median), blockMedians, "block medians");
    }
}

TEST(NonFinite, CorrelationAndBestFitUseTheCommonDefinedPoints)
{
    RecordMessages messages;
    OverlayTuning overlay;
    overlay.quiet = overlay.given = true;
    for (float special : kSpecials) {
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
        const std::vector<double> want = FFCorrelation::Correlate({ka.data(), kb.data()}, 32);
        for (std::size_t k = 0; k < want.size(); ++k)
            EXPECT_NEAR(corr.Coefficients()[k], want[k], 1e-12) << k;
        std::vector<double> fit;
        ASSERT_TRUE(BestFitCoefficients({ka.data(), kb.data()}, 32, fit));
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
    EXPECT_TRUE(messages.errors().empty());
}

class NonFinitePoly : public PolyFixture {};

TEST_F(NonFinitePoly, FitsAndStatisticsTakeTheDefinedSamples)
{
    quietPower<ClipTuning>(1), quietPower<TrendTuning>(1), quietPower<GlueTuning>(0);
    for (float special : kSpecials) {
        const std::vector<float> line = ramp(20, 2, 0.5f);
        MarkedRecord clip(line, "sssssddddsssss"), trend(line), glue(line, "ssssssdssssss");
        for (MarkedRecord* r : {&clip, &trend, &glue})
            r->data[2] = r->data[7] = special;
        ASSERT_TRUE(RunClip(clip.view) && RunRemoveTrend(trend.view) && RunGlue(glue.view));
        for (int i = 0; i < 20; ++i) {
            if (i != 2)  // 7 was discarded: filled from the line
                EXPECT_NEAR(clip.data[i], line[i], 1e-4) << i;
            if (i != 2 && i != 7)
                EXPECT_NEAR(trend.data[i], 0.0f, 1e-4) << i;
        }
        for (float v : {clip.data[2], trend.data[7], glue.data[7], glue.data[2]})
            EXPECT_FALSE(std::isfinite(v));
        // RMS of 1, 3, 5 (undefined left out): mean 3, sqrt(8 / sqrt(6)).
        MarkedRecord rms({1, special, 3, 5}), area({0, 0, 2, special, 4, 0, 0}, "ssdddss");
        auto file = makeScan(recipe({0}, 1, 0, "a.ff"));
        messages.recorder.clear();
        ASSERT_TRUE(CalcRms(rms.view, *file) && CalcArea(area.view, *file));
        char text[64];
        std::snprintf(text, sizeof text, "r.m.s. = %g K\n(for whole data)", std::sqrt(8 / std::sqrt(6.0)));
        ASSERT_EQ(messages.recorder.entries.size(), 2u);
        EXPECT_EQ(messages.recorder.entries[0].text, text);
        EXPECT_EQ(messages.recorder.entries[1].text, "Area =  6  K * SEC");
    }
}
