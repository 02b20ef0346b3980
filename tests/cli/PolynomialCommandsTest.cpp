#include "CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using clirun::run;
using clirun::samplesOf;
using clirun::writeScan;

TEST(CliPolynomial, EachCommandWritesItsResult)
{
    TempDir dir;
    std::vector<float> ramp(20), trend(20), flat(20, 5.0f), step(23, 5.0f);
    for (std::size_t i = 0; i < 20; ++i)
        ramp[i] = static_cast<float>(i), trend[i] = 1.0f + 2.0f * static_cast<float>(i);
    trend[15] = 100;
    flat[10] = flat[11] = flat[12] = 100;
    std::fill(step.begin() + 13, step.end(), 15.0f);
    step[11] = -3;
    const std::string t = writeScan(dir, "t.ff", trend), c = writeScan(dir, "c.ff", flat),
                      g = writeScan(dir, "g.ff", step), r = writeScan(dir, "r.ff", ramp);
    const std::string ab = writeScan(dir, "a.ff", {1, 2, 3, 4}) + " " + writeScan(dir, "b.ff", {2, 4, 6, 8});
    std::vector<float> detrended(20, 0.0f);
    detrended[15] = 100 - 31;
    struct Case { std::string args; std::vector<float> out; } cases[] = {
        {"trend " + t + " --select 0:9", detrended},
        {"clip " + c + " --power 0 --select 0:9 --discard 10:12 --select 13:19", std::vector<float>(20, 5)},
        {"glue " + g + " --select 0:22 --discard 10:12 --power 0", std::vector<float>(23, 5)},
        {"copy " + r + " --select 10:11 --select 13:13", {10, 11, 12, 13}},
        {"lincomb " + ab, {1.5, 3, 4.5, 6}},  // Average by default
        {"lincomb " + ab + " --subtraction", {-1, -2, -3, -4}},
        {"lincomb " + ab + " --coefficients 2,0.25", {2.5, 5, 7.5, 10}},
    };
    for (Case& k : cases) {
        std::filesystem::remove(dir.file("out.ff"));
        const clirun::Result res = run(k.args + " -o " + dir.file("out.ff"), dir);
        EXPECT_EQ(res.status, 0) << k.args << res.err;
        EXPECT_EQ(res.out + res.err, "") << k.args;
        const std::vector<float> out = samplesOf(dir.file("out.ff"));
        ASSERT_EQ(out.size(), k.out.size()) << k.args;
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_NEAR(out[i], k.out[i], 1e-4) << k.args << " at " << i;
    }
    EXPECT_EQ(samplesOf(t), trend);  // the input file is untouched
}

TEST(CliPolynomial, FailuresAndUsageErrors)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3, 4});
    const std::string z = writeScan(dir, "z.ff", {0, 0, 0, 0});
    std::vector<float> clip(20, 5.0f), step(23, 5.0f);
    clip[10] = 100;
    std::fill(step.begin() + 13, step.end(), 15.0f);
    const std::string c = writeScan(dir, "c.ff", clip), g = writeScan(dir, "g.ff", step);
    const std::string o = " -o " + dir.file("o.ff");
    clirun::expectFailures({
        {"clip " + c + o + " --power 0 --discard 10:12 --select 0:19", 1, "FFPolyFit: no data selected or discarded\n"},
        {"glue " + g + o + " --select 0:9 --discard 20:22", 1, "FFPolyGlue: no step specified\n"},
        {"copy " + c + o + " --select 10:12", 1, "Selection is too small\n"},
        {"lincomb " + a + " " + z + " --best-fit" + o, 1,
         "FFLinComb: no best fit: the other f-files are zero or linearly dependent\n"},
        {"trend " + a, 2, "vexil-cli: "},                                     // no -o
        {"trend " + a + o + " --discard 1:2", 2, "vexil-cli: "},              // trend takes no discard
        {"clip " + a + o + " --select 2:1 --discard 3:3", 2, "vexil-cli: "},  // reversed span
        {"clip " + a + o + " --select 0:9 --discard 3:3", 2, "vexil-cli: "},  // beyond the record
        {"lincomb " + a + o, 2, "vexil-cli: "},                               // one file
    }, dir, dir.file("o.ff"));
}
