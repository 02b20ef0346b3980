#include "FFCompress.h"
#include "FilterReference.h"
#include "ScanBuilder.h"
#include "TuningFixture.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using CompressFixture = TuningFixture<CompressTuning>;

// The median by the definition: sort, then the middle value or the mean of the middle two.
float blockMedian(std::vector<float> b)
{
    std::sort(b.begin(), b.end());
    const std::size_t h = b.size() / 2;
    return static_cast<float>((static_cast<double>(b[h]) + b[b.size() % 2 ? h : h - 1]) * 0.5);
}

}  // namespace

TEST_F(CompressFixture, BlocksMoveTheAxisAndBadSettingsAreRefused)
{
    struct Case { int n, factor, method; std::vector<float> out; std::string message; } cases[] = {  // out empty: refused
        {10, 4, 0, {1.5f, 5.5f}, ""},  // the remainder is dropped
        {3, 1, 1, {0, 1, 2}, ""},
        {3, 4, 0, {}, "FFCompress: output FFile size is zero"},
        {10, 0, 0, {}, "FFCompress: invalid compression factor 0"},
        {10, -3, 1, {}, "FFCompress: invalid compression factor -3"},
        {10, 2, 2, {}, "FFCompress: unknown method"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        rec.recorder.clear();
        auto in = makeScan(recipe(ramp(c.n), 0.5, 100.0));
        CompressTuning t{.method = c.method, .factor = c.factor};
        FFCompress op(in.get(), &t);
        EXPECT_EQ(op.Execute(), !c.out.empty());
        EXPECT_EQ(rec.errors(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        if (c.out.empty())
            continue;
        std::unique_ptr<FFile> out = op.TakeOutput();
        EXPECT_EQ(samplesOf(*out), c.out);
        EXPECT_EQ(out->GetText("NAXIS1") + " " + out->GetText("HISTORY"), std::to_string(c.out.size()) + " COMPRESS(scan1)");
        EXPECT_EQ(out->GetReal("CDELT1"), 0.5 * c.factor);
        EXPECT_EQ(out->GetReal("CRVAL1"), 100.0 + 0.25 * (c.factor - 1));  // the first block's centre
        EXPECT_TRUE(in->Count() == c.n && !in->Has("HISTORY"));  // the input untouched
    }
}

TEST_F(CompressFixture, ProcessWideSettingsThroughTheEditor)
{
    auto in = makeScan(recipe({1, 9, 3, 7, 5, 1, 9, 0}));
    int shown = 0;
    Tuning<CompressTuning>::setEditor([&](CompressTuning& t) { return ++shown, t.method = 1, true; });
    FFCompress op(in.get());
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(samplesOf(*op.Output()), (std::vector<float>{5, 3}));  // medians of 1 9 3 7 and 5 1 9 0
    Tuning<CompressTuning>::current().quiet = true;  // no dialog, the stored settings apply
    Tuning<CompressTuning>::current().factor = 3;
    FFCompress quiet(in.get());
    ASSERT_TRUE(quiet.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(samplesOf(*quiet.Output()), (std::vector<float>{3, 5}));  // 1 9 3 / 7 5 1
    Tuning<CompressTuning>::current().quiet = false;  // Cancel ends silently
    Tuning<CompressTuning>::setEditor([](CompressTuning&) { return false; });
    FFCompress cancelled(in.get());
    EXPECT_FALSE(cancelled.Execute());
    EXPECT_TRUE(rec.recorder.entries.empty());
    EXPECT_EQ(cancelled.Output(), nullptr);
}

TEST_F(CompressFixture, KernelsAgainstDirectComputation)
{
    for (int f : {1, 2, 3, 4, 5, 7, 8, 16, 33, 64, 65, 300}) {
        for (int levels : {0, 3}) {
            const int n = 40 * f + f / 2;
            const std::vector<float> x = ref::randomSamples(n, static_cast<unsigned>(f * 13 + levels), levels, 3.0f);
            std::vector<float> means(static_cast<std::size_t>(n / f)), medians(means.size());
            FFCompress::BlockMeans(x.data(), n, f, means.data());
            FFCompress::BlockMedians(x.data(), n, f, medians.data());
            for (int i = 0; i < n / f; ++i) {
                const std::vector<float> block(x.begin() + i * f, x.begin() + (i + 1) * f);
                const long double sum = std::accumulate(block.begin(), block.end(), 0.0L);
                EXPECT_LE(ref::ulps(means[static_cast<std::size_t>(i)], static_cast<float>(sum / f)), 1) << f;
                EXPECT_EQ(medians[static_cast<std::size_t>(i)], blockMedian(block)) << f << " block " << i;
            }
        }
    }
}

TEST_F(CompressFixture, BlocksWithNaNFollowTheSelectionOrder)
{
    // Selecting the smallest sample not yet taken: nothing is less than NaN,
    // so NaN is taken as soon as it is the first of those left.
    struct Case { std::vector<float> block; float median; } cases[] = {
        {{NAN, 1, 2, 3}, 1.5f},  // NaN 1 2 3
        {{1, NAN, 2, 3}, NAN},   // 1 NaN 2 3: the middle pair holds NaN
        {{3, 2, 1, NAN}, 2.5f},  // 1 2 3 NaN
        {{5, NAN, 1}, 5.0f},     // 1 5 NaN
    };
    for (const Case& c : cases) {
        const int f = static_cast<int>(c.block.size());
        float out = 0;
        FFCompress::BlockMedians(c.block.data(), f, f, &out);
        EXPECT_TRUE(ref::sameBits(out, c.median) || (std::isnan(out) && std::isnan(c.median))) << f;
    }
    // Sixteen blocks of eight go through the eight-lane network; the block
    // with NaN must still follow the selection order: 0 1 2 4 4 NaN 7 9.
    std::vector<float> x = ref::randomSamples(16 * 8, 21, 50);
    const std::vector<float> special = {4, 4, NAN, 0, 9, 1, 7, 2};
    std::copy(special.begin(), special.end(), x.begin() + 3 * 8);
    std::vector<float> out(16);
    FFCompress::BlockMedians(x.data(), 128, 8, out.data());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(out[static_cast<std::size_t>(i)], i == 3 ? 4.0f : blockMedian({x.begin() + i * 8, x.begin() + i * 8 + 8}));
}
