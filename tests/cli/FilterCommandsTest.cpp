#include "CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>

using clirun::run;

namespace {

// Mean of the samples first .. last, cut to the record.
float meanOf(const FFile& f, int first, int last)
{
    long double s = 0;
    int c = 0;
    for (int j = std::max(0, first); j <= std::min(f.Count() - 1, last); ++j, ++c)
        s += f.Data()[j];
    return static_cast<float>(s / c);
}

}  // namespace

TEST(CliFilters, CompressAndSmoothWriteWhatTheAppWouldSave)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 2003));  // step 0.05 s
    FFile in;
    ASSERT_TRUE(in.Read(dir.file("demo16.ff")));
    struct Case { std::string flags, history, crval; int count, block, half; } cases[] = {
        // The centre of the first block, written exactly (43200.1 would be half a sample off).
        {"compress --factor 4", "COMPRESS(demo16)", "43200.075", 500, 4, 0},
        {"smooth --window 0.5", "SLIDING_MEAN(demo16)0.5", "43200", 2003, 0, 5},
        // Samples 10 ... 30 span 20 steps: W = 1, half-width 10.
        {"smooth --select 10:30", "SLIDING_MEAN(demo16)1", "43200", 2003, 0, 10},
    };
    for (const Case& c : cases) {
        const clirun::Result r = run(c.flags + " " + dir.file("demo16.ff") + " -o " + dir.file("out.ff"), dir);
        ASSERT_EQ(r.status, 0) << c.flags << r.err;
        EXPECT_EQ(r.out + r.err, "") << c.flags;
        FFile out;
        ASSERT_TRUE(out.Read(dir.file("out.ff")));
        ASSERT_EQ(out.Count(), c.count) << c.flags;
        EXPECT_EQ(out.GetText("HISTORY"), c.history);
        EXPECT_EQ(out.GetText("CRVAL1"), c.crval);
        for (int i = 0; i < out.Count(); ++i) {
            const float want = c.block ? meanOf(in, c.block * i, c.block * (i + 1) - 1)
                                       : meanOf(in, i - c.half, i + c.half);
            ASSERT_NEAR(out.Data()[i], want, 2e-6 * std::abs(want)) << c.flags << " at " << i;
        }
    }
}

TEST(CliFilters, FailuresAndUsageErrors)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 100));  // 5 s of samples
    const std::string in = dir.file("demo.ff"), out = dir.file("o.ff");
    const std::string smooth = "smooth " + in + " -o " + out, compress = "compress " + in + " -o " + out;
    clirun::expectFailures({
        {compress + " --factor 0", 1, "FFCompress: invalid compression factor 0\n"},
        {"compress " + in, 2, "vexil-cli: compress needs -o OUT\n"},
        {smooth + " --window 2.5", 1, "Invalid window size\n"},
        {smooth + " --window 1.5 --window-function gaussian --boundary cut", 1,
         "FFSlidingMean: window too wide to cut or flatten the record ends\n"},
        {smooth, 2, "vexil-cli: smooth needs either --window W or --select A:B\n"},
        {smooth + " --window 1 --window-function hann", 2, "vexil-cli: --window-function takes"},
        {smooth + " --select 5:100", 2, "vexil-cli: --select reaches beyond the last sample\n"},
    }, dir, out);
}
