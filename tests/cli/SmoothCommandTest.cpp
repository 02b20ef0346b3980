#include "CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>

using clirun::run;

namespace {

// Rectangular mean of half-width m around i, window cut at the ends.
float boxMean(const FFile& f, int i, int m)
{
    long double s = 0;
    int c = 0;
    for (int j = std::max(0, i - m); j <= std::min(f.Count() - 1, i + m); ++j, ++c)
        s += f.Data()[j];
    return static_cast<float>(s / c);
}

}  // namespace

TEST(CliSmooth, RectangularMeanOverTheWholeRecord)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 2000));  // step 0.05 s
    const clirun::Result r = run("smooth " + dir.file("demo.ff") + " -o " + dir.file("s.ff") + " --window 0.5", dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    FFile in, out;
    ASSERT_TRUE(in.Read(dir.file("demo.ff")));
    ASSERT_TRUE(out.Read(dir.file("s.ff")));
    ASSERT_EQ(out.Count(), 2000);
    EXPECT_EQ(out.GetText("HISTORY"), "SLIDING_MEAN(demo)0.5");
    EXPECT_EQ(out.GetText("CRVAL1"), in.GetText("CRVAL1"));
    for (int i = 0; i < 2000; ++i)
        ASSERT_NEAR(out.Data()[i], boxMean(in, i, 5), 2e-7 * std::abs(out.Data()[i])) << i;  // m = round(5)
}

TEST(CliSmooth, SelectionPresetsTheWindowAsTheViewDoes)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 1500));
    const std::string in = dir.file("demo.ff");
    // Samples 10 ... 30 span 20 steps of 0.05 s: W = 1.
    ASSERT_EQ(run("smooth " + in + " -o " + dir.file("a.ff") + " --select 10:30 --median --boundary cut", dir).status, 0);
    ASSERT_EQ(run("smooth " + in + " -o " + dir.file("b.ff") + " --window 1 --median --boundary cut", dir).status, 0);
    EXPECT_EQ(readBytes(dir.file("a.ff")), readBytes(dir.file("b.ff")));
    EXPECT_EQ(clirun::samplesOf(dir.file("a.ff")).size(), 1500u - 20u);  // m = 10, cut
}

TEST(CliSmooth, GaussianBackgroundRemovalWithFlattenedEnds)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 3000));
    const clirun::Result r = run("smooth " + dir.file("demo.ff") + " -o " + dir.file("g.ff") +
                                     " --window 2 --window-function gaussian --remove-background --boundary flatten",
                                 dir);
    ASSERT_EQ(r.status, 0) << r.err;
    FFile out;
    ASSERT_TRUE(out.Read(dir.file("g.ff")));
    EXPECT_EQ(out.GetText("HISTORY"), "SLIDING_MEAN(demo)2BGR");
    const int m = 80;  // round(2 * 2 / 0.05)
    for (int i = 0; i < m; ++i) {
        EXPECT_EQ(out.Data()[i], out.Data()[m]);
        EXPECT_EQ(out.Data()[2999 - i], out.Data()[2999 - m]);
    }
}

TEST(CliSmooth, FailuresAndUsageErrors)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 100));  // 5 s of samples
    const std::string in = dir.file("demo.ff");
    const std::string out = dir.file("o.ff");
    const std::string base = "smooth " + in + " -o " + out;
    clirun::expectFailures({
        {base + " --window 0.05", 1, "Invalid window size\n"},
        {base + " --window 2.5", 1, "Invalid window size\n"},
        {base + " --select 3:3", 1, "Invalid window size\n"},
        {base + " --window 1.5 --window-function gaussian --boundary cut", 1,
         "FFSlidingMean: window too wide to cut or flatten the record ends\n"},
        {base + " --window 1.5 --window-function gaussian --median --boundary flatten", 1,
         "FFSlidingMean: window too wide to cut or flatten the record ends\n"},
        {base, 2, "vexil-cli: smooth needs either --window W or --select A:B\n"},
        {base + " --window 1 --select 1:5", 2, "vexil-cli: smooth needs either --window W or --select A:B\n"},
        {base + " --window 1 --window-function hann", 2, "vexil-cli: --window-function takes"},
        {base + " --window 1 --boundary wrap", 2, "vexil-cli: --boundary takes"},
        {base + " --select 5:100", 2, "vexil-cli: --select reaches beyond the last sample\n"},
        {base + " --select x", 2, "vexil-cli: --select takes A:B"},
        {"smooth " + in + " --window 1", 2, "vexil-cli: smooth needs -o OUT\n"},
    }, dir, out);
    // A Gaussian that is too wide for cut and flatten still runs with the
    // ends left as they are.
    EXPECT_EQ(run(base + " --window 1.5 --window-function gaussian", dir).status, 0);
}
