// vexil-cli correlate, end to end on files written to disk.

#include "CliRun.h"

#include <gtest/gtest.h>

using clirun::run;
using clirun::writeScan;

namespace {
const std::string kUnitAxis = "CRVAL1=0\nCDELT1=1\n";
}

TEST(CliCorrelate, PrintsTheTableInCommandLineOrder)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3});
    const std::string b = writeScan(dir, "b.ff", {1, 3, 2});
    const std::string c = writeScan(dir, "c.ff", {3, 2, 1});
    clirun::Result r = run("correlate " + a + " " + b + " " + c, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "                    [ 1]   [ 2]   [ 3]\n\n"
              "           a:[ 1]  1.000  0.500 -1.000\n\n"
              "           b:[ 2]  0.500  1.000 -0.500\n\n"
              "           c:[ 3] -1.000 -0.500  1.000\n\n");
    r = run("correlate " + c + " " + a + " " + b, dir);
    EXPECT_NE(r.out.find("\n           c:[ 1]  1.000 -1.000 -0.500\n\n           a:[ 2] -1.000"), std::string::npos);
}

TEST(CliCorrelate, ScalingFlag)
{
    // On X: a = 0 1 0 1 0 and b (step 2) interpolated to 0 0 0 .5 1 give
    // -0.1 / sqrt(1.2 * 0.8); on sample indices 0 1 0 and 0 0 1 give -0.5.
    TempDir dir;
    const std::string ab = writeScan(dir, "a.ff", {0, 1, 0, 1, 0}, "", kUnitAxis) + " " +
                           writeScan(dir, "b.ff", {0, 0, 1}, "", "CRVAL1=0\nCDELT1=2\n");
    const clirun::Result scaled = run("correlate " + ab, dir);
    EXPECT_EQ(scaled.status, 0) << scaled.err;
    EXPECT_NE(scaled.out.find("a:[ 1]  1.000 -0.102\n"), std::string::npos) << scaled.out;
    const clirun::Result pixels = run("correlate --no-scaling " + ab, dir);
    EXPECT_NE(pixels.out.find("a:[ 1]  1.000 -0.500\n"), std::string::npos) << pixels.out;
}

TEST(CliCorrelate, OffsetFlagsAlignShiftedRecords)
{
    // b holds a's samples from x = 2 on; only the offset that says so, when
    // applied, lines them up sample for sample.
    const std::vector<float> s = {0, 1, 0, 0, 1, 1, 0, 1, 0, 0, 1, 0};
    const std::vector<float> shifted(s.begin() + 2, s.end());
    const std::string horns = "TIMEWSH=1.5\nTIMEESH=2.5\n";
    struct Case {
        const char* flags;
        std::string axis, extra;
        bool aligned;
    } cases[] = {
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
}

TEST(CliCorrelate, FailuresAndUsage)
{
    TempDir dir;
    const std::string a = writeScan(dir, "a.ff", {1, 2, 3, 4}, "DEC=30\n");
    const std::string b = writeScan(dir, "b.ff", {4, 1, 3, 2}, "DEC=31\n");
    const std::string one = writeScan(dir, "one.ff", {5});
    const std::string jy = writeScan(dir, "jy.ff", {4, 1, 3, 2});
    std::string text = readBytes(jy);
    writeBytes(jy, text.replace(text.find("BUNIT=K"), 7, "BUNIT=k"));
    struct Case {
        std::string args;
        int status;
        std::string err;
    } cases[] = {
        {"correlate " + a, 1, "FFOperation: invalid number of operands\n"},
        {"correlate " + a + " " + dir.file("missing.ff"), 1, "FHead: can't open input file\n"},
        {"correlate --check-declination " + a + " " + b, 1,
         "FFOperation: nonequal declinations\nFFOperation: can't assemble output FFile head\n"},
        {"correlate " + a + " " + jy, 1,
         "FFOperation: incompatible Y units\nFFOperation: can't initialize output FFile coordinates\n"},
        {"correlate " + a + " " + one, 1,
         "FFOperation: FFile one has fewer than two samples\n"
         "FFOperation: can't initialize output FFile coordinates\n"},
        {"correlate " + a + " " + b, 0, ""},  // declinations not checked
        {"correlate", 2, "vexil-cli: correlate needs at least two files\n"},
        {"correlate --bogus " + a + " " + b, 2, "vexil-cli: unknown option --bogus\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const clirun::Result r = run(c.args, dir);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(c.status == 2 ? r.err.substr(0, c.err.size()) : r.err, c.err);
        EXPECT_TRUE(c.status == 0 || r.out.empty());
    }
}

TEST(CliCorrelate, DemoScansInAllStoredForms)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 2000));
    const clirun::Result r = run("correlate --equal-parameters-only --keep-active-offsets " + dir.file("demo.ff") +
                                     " " + dir.file("demo16.ff") + " " + dir.file("demo64.ff"),
                                 dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "                    [ 1]   [ 2]   [ 3]\n\n"
              "        demo:[ 1]  1.000  1.000  1.000\n\n"
              "      demo16:[ 2]  1.000  1.000  1.000\n\n"
              "      demo64:[ 3]  1.000  1.000  1.000\n\n");
}
