#include "CliRun.h"

#include <gtest/gtest.h>

using clirun::run;
using clirun::writeScan;

static const std::string kUnitAxis = "CRVAL1=0\nCDELT1=1\n";

TEST(CliCorrelate, PrintsTheTableInCommandLineOrderOrFails)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3});
    const std::string b = writeScan(dir, "b.ff", {1, 3, 2});
    const std::string c = writeScan(dir, "c.ff", {3, 2, 1});
    const clirun::Result r = run("correlate " + c + " " + a + " " + b, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "                    [ 1]   [ 2]   [ 3]\n\n"
              "           c:[ 1]  1.000 -1.000 -0.500\n\n"
              "           a:[ 2] -1.000  1.000  0.500\n\n"
              "           b:[ 3] -0.500  0.500  1.000\n\n");
    const std::string d30 = writeScan(dir, "d30.ff", {1, 2, 3, 4}, "DEC=30\n");
    const std::string d31 = writeScan(dir, "d31.ff", {4, 1, 3, 2}, "DEC=31\n");
    clirun::expectFailures({
        {"correlate " + d30, 1, "FFOperation: invalid number of operands\n"},
        {"correlate --check-declination " + d30 + " " + d31, 1,
         "FFOperation: nonequal declinations\nFFOperation: can't assemble output FFile head\n"},
        {"correlate", 2, "vexil-cli: correlate needs at least two files\n"},
    }, dir, dir.file("none"));
    EXPECT_EQ(run("correlate " + d30 + " " + d31, dir).status, 0);  // declinations not checked
}

TEST(CliCorrelate, OverlayFlags)
{
    // b holds a's samples from x = 2 on: only the offset that says so, applied, lines them up.
    const std::vector<float> s = {0, 1, 0, 0, 1, 1, 0, 1, 0, 0, 1, 0};
    const std::vector<float> shifted(s.begin() + 2, s.end());
    const std::string horns = "TIMEWSH=1.5\nTIMEESH=2.5\n";
    struct Case { const char* flags; std::string axis, extra; bool aligned; } cases[] = {
        {"", "CRVAL1=2\nCDELT1=1\n", "", true},
        {"--no-absolute-offsets", "CRVAL1=2\nCDELT1=1\n", "", false},
        {"", kUnitAxis, horns, false},
        {"--channel-offsets", kUnitAxis, horns, true},
        {"", kUnitAxis, "NUT-RA=2\n", false},
        {"--time-correction", kUnitAxis, "NUT-RA=2\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.flags) + " " + c.extra);
        TempDir dir;
        const std::string a = writeScan(dir, "a.ff", s, "", kUnitAxis);
        const std::string b = writeScan(dir, "b.ff", shifted, c.extra, c.axis);
        const clirun::Result r = run(std::string("correlate ") + c.flags + " " + a + " " + b, dir);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.find("a:[ 1]  1.000  1.000\n") != std::string::npos, c.aligned) << r.out;
    }
    // On X b (step 2) is 0 0 0 .5 1: -0.1 / sqrt(1.2 * 0.8); on indices 0 1 0 and 0 0 1: -0.5.
    TempDir dir;
    const std::string ab = writeScan(dir, "a.ff", {0, 1, 0, 1, 0}, "", kUnitAxis) + " " +
                           writeScan(dir, "b.ff", {0, 0, 1}, "", "CRVAL1=0\nCDELT1=2\n");
    EXPECT_NE(run("correlate " + ab, dir).out.find("a:[ 1]  1.000 -0.102\n"), std::string::npos);
    EXPECT_NE(run("correlate --no-scaling " + ab, dir).out.find("a:[ 1]  1.000 -0.500\n"), std::string::npos);
}
