#include "CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>

using clirun::run;

TEST(CliCompress, MeansOrMediansWrittenAsTheAppWouldSave)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 1003));
    struct Case {
        const char* name;
        const char* flags;
        int factor;
        bool median;
    } cases[] = {{"demo", "", 4, false}, {"demo16", "", 4, false}, {"demo", " --median --factor 7", 7, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + c.flags);
        const std::string in = dir.file(std::string(c.name) + ".ff");
        const clirun::Result r = run("compress " + in + c.flags + " -o " + dir.file("out.ff"), dir);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const std::vector<float> x = clirun::samplesOf(in);
        FFile out;
        ASSERT_TRUE(out.Read(dir.file("out.ff")));
        ASSERT_EQ(out.Count(), 1003 / c.factor);
        EXPECT_EQ(out.GetText("HISTORY"), std::string("COMPRESS(") + c.name + ")");
        EXPECT_DOUBLE_EQ(out.GetReal("CDELT1"), 0.05 * c.factor);
        for (int i = 0; i < out.Count(); ++i) {
            std::vector<float> b(x.begin() + c.factor * i, x.begin() + c.factor * (i + 1));
            std::sort(b.begin(), b.end());
            long double s = 0;
            for (float v : b)
                s += v;
            const float want = c.median ? b[3] : static_cast<float>(s / c.factor);
            EXPECT_NEAR(out.Data()[i], want, 1e-6 * std::abs(want)) << i;
        }
    }
    // Moved by 1.5 steps to the centre of the first block, and written
    // exactly: six digits (43200.1) would put it half a sample off.
    run("compress " + dir.file("demo.ff") + " -o " + dir.file("out.ff"), dir);
    FFile out;
    ASSERT_TRUE(out.Read(dir.file("out.ff")));
    EXPECT_EQ(out.GetText("CRVAL1"), "43200.075");
}

TEST(CliCompress, FailuresAndUsageErrors)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 5));
    const std::string in = dir.file("demo.ff");
    const std::string out = dir.file("o.ff");
    clirun::expectFailures({
        {"compress " + in + " -o " + out + " --factor 0", 1, "FFCompress: invalid compression factor 0\n"},
        {"compress " + in + " -o " + out + " --factor 6", 1, "FFCompress: output FFile size is zero\n"},
        {"compress " + dir.file("none.ff") + " -o " + out, 1, "FHead: can't open input file\n"},
        {"compress " + in, 2, "vexil-cli: compress needs -o OUT\n"},
        {"compress " + in + " -o " + out + " --factor 2.5", 2, "vexil-cli: --factor takes a whole number\n"},
        {"compress " + in + " " + in + " -o " + out, 2, "vexil-cli: compress takes exactly one file\n"},
        {"compress " + in + " -o " + out + " --fast", 2, "vexil-cli: unknown option --fast\n"},
    }, dir, out);
}
