// End-to-end runs of the polynomial, linear-combination, statistics and
// copy subcommands on real files.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>

using clirun::run;
using clirun::samplesOf;
using clirun::writeScan;

namespace {

std::vector<float> ramp(int n, float a, float b)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = a + b * static_cast<float>(i);
    return v;
}

}  // namespace

TEST(CliPolynomial, TrendClipGlueAndCopyWriteTheChangedRecord)
{
    TempDir dir;
    std::vector<float> trend = ramp(20, 1, 2), flat(20, 5.0f), step(23, 5.0f);
    trend[15] = 100;
    flat[10] = flat[11] = flat[12] = 100;
    for (int i = 13; i < 23; ++i)
        step[static_cast<std::size_t>(i)] = 15.0f;
    step[11] = -3;
    const std::string t = writeScan(dir, "t.ff", trend), c = writeScan(dir, "c.ff", flat),
                      g = writeScan(dir, "g.ff", step), r = writeScan(dir, "r.ff", ramp(20, 0, 1));
    std::vector<float> detrended(20, 0.0f);
    detrended[15] = 100 - 31;
    struct Case {
        std::string args, err;
        std::vector<float> out;
    } cases[] = {
        {"trend " + t + " --select 0:9", "Confirm data changes\n", detrended},
        {"clip " + c + " --power 0 --select 0:9 --discard 10:12 --select 13:19", "Confirm data changes\n", {}},
        {"clip " + c + " --power 0 --select 0:19 --discard 10:12", "Confirm data changes\n", {}},  // discard wins
        {"glue " + g + " --select 0:22 --discard 10:12 --power 0", "Confirm data changing\n", std::vector<float>(23, 5)},
        {"copy " + r, "", ramp(20, 0, 1)},
        {"copy " + r + " --select 10:11 --select 13:13", "", {10, 11, 12, 13}},
    };
    for (Case& k : cases) {
        std::filesystem::remove(dir.file("out.ff"));
        const clirun::Result res = run(k.args + " -o " + dir.file("out.ff"), dir);
        EXPECT_EQ(res.status, 0) << k.args << res.err;
        EXPECT_EQ(res.err, k.err) << k.args;
        const std::vector<float> out = samplesOf(dir.file("out.ff"));
        if (k.out.empty())
            k.out = std::vector<float>(20, 5.0f);
        ASSERT_EQ(out.size(), k.out.size()) << k.args;
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_NEAR(out[i], k.out[i], 1e-4) << k.args << " at " << i;
    }
    EXPECT_EQ(samplesOf(t), trend);  // the input file is untouched
    FFile copy;  // the stretch copied last keeps its place on the axis
    ASSERT_TRUE(copy.Read(dir.file("out.ff")));
    EXPECT_EQ(copy.GetReal("CRVAL1"), 3605.0);
    EXPECT_EQ(copy.GetText("HISTORY"), "COPY(r)");
}

TEST(CliPolynomial, RmsAndAreaPrintTheMessageTexts)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3, 4});
    const std::string b = writeScan(dir, "b.ff", {1, 1, 3, 5, 3, 1, 1, 7});
    struct Case {
        std::string args, err;
    } cases[] = {
        {"rms " + a, "r.m.s. = 1.20141 K\n(for whole data)\n"},
        {"rms " + b + " --select 1:1 --select 2:2", "r.m.s. = 1.18921 K\n(for selected data)\n"},
        {"area " + b + " --select 0:6 --discard 2:4 --power 0", "Area =  4  K * SEC\n"},
    };
    for (const Case& c : cases) {
        const clirun::Result r = run(c.args, dir);
        EXPECT_EQ(r.status, 0) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

TEST(CliPolynomial, LinCombChoices)
{
    TempDir dir;
    const std::string ab = writeScan(dir, "a.ff", {1, 2, 3, 4}) + " " + writeScan(dir, "b.ff", {2, 4, 6, 8});
    const std::string c = writeScan(dir, "c.ff", {3, 3, 3, 3});
    // The dialog's Average passes through six-digit texts: 0.333333 each.
    auto avg3 = [&](float x, float y, float z) {
        float v = static_cast<float>(0.333333 * x);
        v = static_cast<float>(v + 0.333333 * y);
        return static_cast<float>(v + 0.333333 * z);
    };
    struct Case {
        std::string args;
        std::vector<float> expected;
    } cases[] = {
        {ab + " --subtraction", {-1, -2, -3, -4}},
        {ab + " --sum", {3, 6, 9, 12}},
        {ab, {1.5, 3, 4.5, 6}},
        {ab + " --best-fit", {0, 0, 0, 0}},
        {ab + " --coefficients 2,0.25", {2.5, 5, 7.5, 10}},
        {ab + " " + c + " --average", {avg3(1, 2, 3), avg3(2, 4, 3), avg3(3, 6, 3), avg3(4, 8, 3)}},
    };
    for (const Case& k : cases) {
        const clirun::Result r = run("lincomb " + k.args + " -o " + dir.file("out.ff"), dir);
        EXPECT_EQ(r.status, 0) << k.args << r.err;
        EXPECT_EQ(samplesOf(dir.file("out.ff")), k.expected) << k.args;
    }
    FFile out;
    ASSERT_TRUE(out.Read(dir.file("out.ff")));
    EXPECT_EQ(out.GetText("HISTORY").rfind("LINCOMB(", 0), 0u);
}

TEST(CliPolynomial, FailuresAndUsageErrors)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3, 4});
    const std::string z = writeScan(dir, "z.ff", {0, 0, 0, 0});
    std::vector<float> clip(20, 5.0f), step(23, 5.0f);
    clip[10] = clip[11] = clip[12] = 100;
    for (int i = 13; i < 23; ++i)
        step[static_cast<std::size_t>(i)] = 15.0f;
    const std::string c = writeScan(dir, "c.ff", clip), g = writeScan(dir, "g.ff", step);
    const std::string b = writeScan(dir, "b.ff", {1, 1, 3, 5, 3, 1, 1, 7});
    const std::string r = writeScan(dir, "r.ff", ramp(20, 0, 1));
    const std::string o = " -o " + dir.file("o.ff");
    clirun::expectFailures({
        {"clip " + c + o + " --power 0 --discard 10:12 --select 0:19", 1, "FFPolyFit: no data selected or discarded\n"},
        {"clip " + c + o + " --select 0:19 --discard 10:12 --power 9", 1, "FFPolyFit: not enough data\n"},
        {"glue " + g + o + " --select 0:9 --discard 20:22", 1, "FFPolyGlue: no step specified\n"},
        {"copy " + r + o + " --select 10:12", 1, "Selection is too small\n"},
        {"rms " + a + " --select 2:2", 1, "FFView: too little data selected\n"},
        {"area " + b + " --discard 2:4", 1, "FFPolyFit: no data selected or discarded\n"},
        {"lincomb " + a + " " + z + " --best-fit" + o, 1,
         "FFLinComb: no best fit: the other f-files are zero or linearly dependent\n"},
        {"trend " + a, 2, "vexil-cli: "},  // no -o
        {"trend " + a + o + " --power 10", 2, "vexil-cli: "},  // power beyond 9
        {"trend " + a + o + " --power x", 2, "vexil-cli: "},
        {"trend " + a + o + " --discard 1:2", 2, "vexil-cli: "},  // trend takes no discard
        {"clip " + a + o + " --select 2:1 --discard 3:3", 2, "vexil-cli: "},  // reversed span
        {"clip " + a + o + " --select 0:9 --discard 3:3", 2, "vexil-cli: "},  // beyond the record
        {"rms " + a + " " + a, 2, "vexil-cli: "},
        {"lincomb " + a + o, 2, "vexil-cli: "},  // one file
        {"lincomb " + a + " " + a + " " + a + o + " --subtraction", 2, "vexil-cli: "},
        {"lincomb " + a + " " + a + o + " --sum --average", 2, "vexil-cli: "},
        {"lincomb " + a + " " + a + o + " --coefficients 1", 2, "vexil-cli: "},
        {"lincomb " + a + " " + a + o + " --coefficients 1,abc", 2, "vexil-cli: "},
    }, dir, dir.file("o.ff"));
}
