#include "CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>

using clirun::run;

TEST(CliCompress, DefaultsAreMeansOfFourWrittenAsTheAppWouldSave)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 1003));
    for (const char* name : {"demo.ff", "demo16.ff"}) {
        const clirun::Result r = run(std::string("compress ") + dir.file(name) + " -o " + dir.file("out.ff"), dir);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        FFile in, out;
        ASSERT_TRUE(in.Read(dir.file(name)));
        ASSERT_TRUE(out.Read(dir.file("out.ff")));
        ASSERT_EQ(out.Count(), 250);
        EXPECT_EQ(out.GetText("HISTORY"), std::string("COMPRESS(") + (name[4] == '.' ? "demo" : "demo16") + ")");
        EXPECT_DOUBLE_EQ(out.GetReal("CDELT1"), 0.2);
        // Moved by 1.5 steps to the centre of the first block, and written
        // exactly: six digits (43200.1) would put it half a sample off.
        EXPECT_EQ(out.GetText("CRVAL1"), "43200.075");
        for (int i = 0; i < 250; ++i) {
            long double s = 0;
            for (int j = 0; j < 4; ++j)
                s += in.Data()[4 * i + j];
            EXPECT_NEAR(out.Data()[i], static_cast<float>(s / 4), 1e-6 * std::abs(static_cast<double>(s))) << i;
        }
    }
}

TEST(CliCompress, MedianWithAGivenFactor)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 700));
    const clirun::Result r =
        run("compress --median " + dir.file("demo.ff") + " --factor 7 -o " + dir.file("m.ff"), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    FFile in, out;
    ASSERT_TRUE(in.Read(dir.file("demo.ff")));
    ASSERT_TRUE(out.Read(dir.file("m.ff")));
    ASSERT_EQ(out.Count(), 100);
    for (int i = 0; i < 100; ++i) {
        std::vector<float> b(in.Data() + 7 * i, in.Data() + 7 * i + 7);
        std::sort(b.begin(), b.end());
        EXPECT_EQ(out.Data()[i], b[3]) << i;
    }
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
