// End-to-end runs of the polynomial, linear-combination, statistics and
// copy subcommands on real files.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>

using clirun::run;
using clirun::samplesOf;
using clirun::writeScan;
using RunResult = clirun::Result;

namespace {

std::vector<float> ramp(int n, float a, float b)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = a + b * static_cast<float>(i);
    return v;
}

}  // namespace

TEST(CliPolynomial, TrendIsSubtractedAfterConfirmation)
{
    TempDir dir;
    std::vector<float> v = ramp(20, 1, 2);
    v[15] = 100;
    const std::string in = writeScan(dir, "in.ff", v);
    RunResult r = run("trend " + in + " -o " + dir.file("out.ff") + " --select 0:9", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Confirm data changes\n");
    std::vector<float> out = samplesOf(dir.file("out.ff"));
    for (int i = 0; i < 20; ++i)
        EXPECT_NEAR(out[i], i == 15 ? 100 - 31 : 0, 1e-4) << i;
    EXPECT_EQ(samplesOf(in), v);  // the input file is untouched
}

TEST(CliPolynomial, ClipMarksApplyInOrder)
{
    TempDir dir;
    std::vector<float> v(20, 5.0f);
    v[10] = v[11] = v[12] = 100;
    const std::string in = writeScan(dir, "in.ff", v);
    const std::string out = dir.file("out.ff");
    struct Case {
        std::string marks;
        int status;
        std::string err;
    } cases[] = {
        {"--select 0:9 --discard 10:12 --select 13:19", 0, "Confirm data changes\n"},
        {"--select 0:19 --discard 10:12", 0, "Confirm data changes\n"},  // the later discard overwrites
        {"--discard 10:12 --select 0:19", 1, "FFPolyFit: no data selected or discarded\n"},
        {"--select 0:19 --discard 10:12 --power 9", 1, "FFPolyFit: not enough data\n"},
    };
    for (const Case& c : cases) {
        std::remove(out.c_str());
        RunResult r = run("clip " + in + " -o " + out + " --power 0 " + c.marks, dir);
        EXPECT_EQ(r.status, c.status) << c.marks;
        EXPECT_EQ(r.err, c.err) << c.marks;
        if (c.status == 0) {
            EXPECT_EQ(samplesOf(out), std::vector<float>(20, 5.0f)) << c.marks;
        } else {
            EXPECT_FALSE(std::filesystem::exists(out)) << c.marks;
        }
    }
}

TEST(CliPolynomial, GlueLevelsAStep)
{
    TempDir dir;
    std::vector<float> v(23, 5.0f);
    for (int i = 13; i < 23; ++i)
        v[i] = 15.0f;
    v[11] = -3;
    const std::string in = writeScan(dir, "in.ff", v);
    RunResult r =
        run("glue " + in + " -o " + dir.file("out.ff") + " --select 0:22 --discard 10:12 --power 0", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Confirm data changing\n");
    EXPECT_EQ(samplesOf(dir.file("out.ff")), std::vector<float>(23, 5.0f));

    RunResult none = run("glue " + in + " -o " + dir.file("x.ff") + " --select 0:9 --discard 20:22", dir);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "FFPolyGlue: no step specified\n");
}

TEST(CliPolynomial, RmsAndAreaPrintTheMessageTexts)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3, 4});
    const std::string b = writeScan(dir, "b.ff", {1, 1, 3, 5, 3, 1, 1, 7});
    struct Case {
        std::string args;
        int status;
        std::string err;
    } cases[] = {
        {"rms " + a, 0, "r.m.s. = 1.20141 K\n(for whole data)\n"},
        {"rms " + b + " --select 1:1 --select 2:2", 0, "r.m.s. = 1.18921 K\n(for selected data)\n"},
        {"rms " + a + " --select 2:2", 1, "FFView: too little data selected\n"},
        {"area " + b + " --select 0:6 --discard 2:4 --power 0", 0, "Area =  4  K * SEC\n"},
        {"area " + b + " --discard 2:4", 1, "FFPolyFit: no data selected or discarded\n"},
    };
    for (const Case& c : cases) {
        RunResult r = run(c.args, dir);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

TEST(CliPolynomial, CopyWritesTheSelectedStretch)
{
    TempDir dir;
    const std::string in = writeScan(dir, "in.ff", ramp(20, 0, 1));
    RunResult r = run("copy " + in + " -o " + dir.file("out.ff") + " --select 10:11 --select 13:13", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    FFile f;
    ASSERT_TRUE(f.Read(dir.file("out.ff")));
    EXPECT_EQ(std::vector<float>(f.Data(), f.Data() + f.Count()), (std::vector<float>{10, 11, 12, 13}));
    EXPECT_EQ(f.GetReal("CRVAL1"), 3605.0);
    EXPECT_EQ(f.GetText("HISTORY"), "COPY(new000.ff)");

    RunResult small = run("copy " + in + " -o " + dir.file("s.ff") + " --select 10:12", dir);
    EXPECT_EQ(small.status, 1);
    EXPECT_EQ(small.err, "Selection is too small\n");

    RunResult whole = run("copy " + in + " -o " + dir.file("w.ff"), dir);
    EXPECT_EQ(whole.status, 0);
    EXPECT_EQ(samplesOf(dir.file("w.ff")), ramp(20, 0, 1));
}

TEST(CliPolynomial, LinCombChoices)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3, 4});
    const std::string b = writeScan(dir, "b.ff", {2, 4, 6, 8});
    const std::string c = writeScan(dir, "c.ff", {3, 3, 3, 3});
    auto avg3 = [&](float x, float y, float z) {
        float v = 0;
        v = static_cast<float>(v + 0.333333 * x);
        v = static_cast<float>(v + 0.333333 * y);
        return static_cast<float>(v + 0.333333 * z);
    };
    struct Case {
        std::string args;
        std::vector<float> expected;
    } cases[] = {
        {a + " " + b + " --subtraction", {-1, -2, -3, -4}},
        {a + " " + b + " --sum", {3, 6, 9, 12}},
        {a + " " + b, {1.5, 3, 4.5, 6}},
        {a + " " + b + " --best-fit", {0, 0, 0, 0}},
        {a + " " + b + " --coefficients 2,0.25", {2.5, 5, 7.5, 10}},
        {a + " " + b + " " + c + " --average",
         {avg3(1, 2, 3), avg3(2, 4, 3), avg3(3, 6, 3), avg3(4, 8, 3)}},
    };
    for (const Case& k : cases) {
        RunResult r = run("lincomb " + k.args + " -o " + dir.file("out.ff"), dir);
        EXPECT_EQ(r.status, 0) << k.args << r.err;
        EXPECT_EQ(samplesOf(dir.file("out.ff")), k.expected) << k.args;
    }
    FFile out;
    ASSERT_TRUE(out.Read(dir.file("out.ff")));
    EXPECT_EQ(out.GetText("HISTORY").rfind("LINCOMB(", 0), 0u);

    const std::string zero = writeScan(dir, "z.ff", {0, 0, 0, 0});
    RunResult singular = run("lincomb " + a + " " + zero + " --best-fit -o " + dir.file("z2.ff"), dir);
    EXPECT_EQ(singular.status, 1);
    EXPECT_EQ(singular.err, "FFLinComb: no best fit: the other f-files are zero or linearly dependent\n");
}

TEST(CliPolynomial, UsageErrors)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3, 4});
    const std::string o = " -o " + dir.file("o.ff");
    for (const std::string& args : {
             "trend " + a,                                        // no -o
             "trend " + a + o + " --power 10",                    // power beyond 9
             "trend " + a + o + " --power x",
             "trend " + a + o + " --discard 1:2",                 // trend takes no discard
             "clip " + a + o + " --select 2:1 --discard 3:3",     // reversed span
             "clip " + a + o + " --select 0:9 --discard 3:3",     // beyond the record
             "rms " + a + " " + a,
             "lincomb " + a + o,                                  // one file
             "lincomb " + a + " " + a + " " + a + o + " --subtraction",
             "lincomb " + a + " " + a + o + " --sum --average",
             "lincomb " + a + " " + a + o + " --coefficients 1",
             "lincomb " + a + " " + a + o + " --coefficients 1,abc",
         }) {
        RunResult r = run(args, dir);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: vexil-cli"), std::string::npos) << args;
    }
}
