// vexil-cli correlate, end to end on files written to disk.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun runCli(const std::string& args, const TempDir& dir)
{
    const std::string errFile = dir.file("stderr.txt");
    const std::string cmd = std::string(VEXIL_CLI_PATH) + " " + args + " 2>" + errFile;
    CliRun r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    std::array<char, 4096> buf{};
    std::size_t k;
    while ((k = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), k);
    int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.err = readBytes(errFile);
    return r;
}

// An F-file on a TIME axis with the given samples and extra header lines.
std::string scan(const TempDir& dir, const std::string& name, const std::vector<float>& samples,
                 const std::string& extra = "", const std::string& axis = "CRVAL1=0\nCDELT1=1\n")
{
    std::string text = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=" + std::to_string(samples.size()) +
                       "\nCTYPE1=TIME\n" + axis + "BUNIT=K\n" + extra + "END\n";
    std::string bytes = text;
    bytes.resize(text.size() + samples.size() * sizeof(float));
    std::memcpy(bytes.data() + text.size(), samples.data(), samples.size() * sizeof(float));
    const std::string path = dir.file(name);
    writeBytes(path, bytes);
    return path;
}

}  // namespace

TEST(CliCorrelate, PrintsTheTableInCommandLineOrder)
{
    TempDir dir;
    const std::string a = scan(dir, "a.ff", {1, 2, 3});
    const std::string b = scan(dir, "b.ff", {1, 3, 2});
    const std::string c = scan(dir, "c.ff", {3, 2, 1});
    CliRun r = runCli("correlate " + a + " " + b + " " + c, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "                    [ 1]   [ 2]   [ 3]\n\n"
              "           a:[ 1]  1.000  0.500 -1.000\n\n"
              "           b:[ 2]  0.500  1.000 -0.500\n\n"
              "           c:[ 3] -1.000 -0.500  1.000\n\n");
    r = runCli("correlate " + c + " " + a + " " + b, dir);
    EXPECT_EQ(r.out,
              "                    [ 1]   [ 2]   [ 3]\n\n"
              "           c:[ 1]  1.000 -1.000 -0.500\n\n"
              "           a:[ 2] -1.000  1.000  0.500\n\n"
              "           b:[ 3] -0.500  0.500  1.000\n\n");
}

TEST(CliCorrelate, ScalingFlag)
{
    // On X: a = 0 1 0 1 0 and b (step 2) interpolated to 0 0 0 .5 1 give
    // -0.1 / sqrt(1.2 * 0.8); on sample indices 0 1 0 and 0 0 1 give -0.5.
    TempDir dir;
    const std::string a = scan(dir, "a.ff", {0, 1, 0, 1, 0});
    const std::string b = scan(dir, "b.ff", {0, 0, 1}, "", "CRVAL1=0\nCDELT1=2\n");
    CliRun scaled = runCli("correlate " + a + " " + b, dir);
    EXPECT_EQ(scaled.status, 0) << scaled.err;
    EXPECT_NE(scaled.out.find("a:[ 1]  1.000 -0.102\n"), std::string::npos) << scaled.out;
    CliRun pixels = runCli("correlate --no-scaling " + a + " " + b, dir);
    EXPECT_EQ(pixels.status, 0) << pixels.err;
    EXPECT_NE(pixels.out.find("a:[ 1]  1.000 -0.500\n"), std::string::npos) << pixels.out;
}

TEST(CliCorrelate, OffsetFlagsAlignShiftedRecords)
{
    // b holds a's samples from x = 2 on; only the offset that says so, when
    // applied, lines them up sample for sample.
    const std::vector<float> s = {0, 1, 0, 0, 1, 1, 0, 1, 0, 0, 1, 0};
    const std::vector<float> shifted(s.begin() + 2, s.end());
    struct Case {
        const char* flags;
        std::string axis, extra;
        bool aligned;
    } cases[] = {
        {"", "CRVAL1=2\nCDELT1=1\n", "", true},
        {"--no-absolute-offsets", "CRVAL1=2\nCDELT1=1\n", "", false},
        {"", "CRVAL1=0\nCDELT1=1\n", "TIMEWSH=1.5\nTIMEESH=2.5\n", false},
        {"--channel-offsets", "CRVAL1=0\nCDELT1=1\n", "TIMEWSH=1.5\nTIMEESH=2.5\n", true},
        {"", "CRVAL1=0\nCDELT1=1\n", "NUT-RA=2\n", false},
        {"--time-correction", "CRVAL1=0\nCDELT1=1\n", "NUT-RA=2\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.flags) + " " + c.extra);
        TempDir dir;
        const std::string a = scan(dir, "a.ff", s);
        const std::string b = scan(dir, "b.ff", shifted, c.extra, c.axis);
        CliRun r = runCli(std::string("correlate ") + c.flags + " " + a + " " + b, dir);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.find("a:[ 1]  1.000  1.000\n") != std::string::npos, c.aligned) << r.out;
    }
}

TEST(CliCorrelate, FailuresAndUsage)
{
    TempDir dir;
    const std::string a = scan(dir, "a.ff", {1, 2, 3, 4}, "DEC=30\n");
    const std::string b = scan(dir, "b.ff", {4, 1, 3, 2}, "DEC=31\n");
    const std::string jy = scan(dir, "jy.ff", {4, 1, 3, 2});
    {
        std::string text = readBytes(jy);
        text.replace(text.find("BUNIT=K"), 7, "BUNIT=k");
        writeBytes(jy, text);
    }
    const std::string one = scan(dir, "one.ff", {5});
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        CliRun r = runCli(c.args, dir);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(runCli("correlate " + a + " " + b, dir).status, 0);  // declinations not checked
    EXPECT_EQ(runCli("correlate", dir).status, 2);
    EXPECT_EQ(runCli("correlate --bogus " + a + " " + b, dir).status, 2);
    CliRun help = runCli("--help", dir);
    EXPECT_NE(help.out.find("correlate"), std::string::npos);
}

TEST(CliCorrelate, DemoScansInAllStoredForms)
{
    TempDir dir;
    const std::string cmd = std::string(VEXIL_MAKEDEMO_PATH) + " " + dir.path().string() + " 2000 >/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    CliRun r = runCli("correlate --equal-parameters-only --keep-active-offsets " + dir.file("demo.ff") + " " +
                       dir.file("demo16.ff") + " " + dir.file("demo64.ff"),
                   dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "                    [ 1]   [ 2]   [ 3]\n\n"
              "        demo:[ 1]  1.000  1.000  1.000\n\n"
              "      demo16:[ 2]  1.000  1.000  1.000\n\n"
              "      demo64:[ 3]  1.000  1.000  1.000\n\n");
}
