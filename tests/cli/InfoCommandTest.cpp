#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

RunResult run(const std::string& args, const TempDir& dir)
{
    const std::string errFile = dir.file("stderr.txt");
    const std::string cmd = std::string(VEXIL_CLI_PATH) + " " + args + " 2>" + errFile;
    RunResult r;
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

}  // namespace

TEST(CliInfo, PrintsHeaderCountAndRanges)
{
    TempDir dir;
    writeBytes(dir.file("a.ff"), std::string("SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=3\nCTYPE1=TIME\n"
                                             "CRVAL1=3600\nCDELT1=0.5\nBUNIT=K\nEND\n") +
                                     std::string("\x00\x00\x80\x3f\x00\x00\x00\xc0\x00\x00\x40\x40", 12));
    RunResult r = run("info " + dir.file("a.ff"), dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=3\nCTYPE1=TIME\nCRVAL1=3600\nCDELT1=0.5\nBUNIT=K\n"
              "CRPIX1=1.0\nBSCALE=1\nBZERO=0\nOBSDEC=0.0\nDEC=0.0\nNUT-RA=0.0\nTIMEWSH=0.0\nTIMEESH=0.0\n"
              "samples: 3\n"
              "x: 01:00:00.0 01:00:01.0 SEC\n"
              "y: -2.000e+00  3.000e+00 K\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliInfo, ExitStatusesFollowTheConventions)
{
    TempDir dir;
    writeBytes(dir.file("bad.ff"), "SIMPLE=T\nNAXIS=1\nEND\n");
    struct Case {
        std::string args;
        int status;
        std::string err;
    } cases[] = {
        {"info " + dir.file("bad.ff"), 1, "FHead: missing critical parameter BITPIX\n"},
        {"info " + dir.file("missing.ff"), 1, "FHead: can't open input file\n"},
    };
    for (const Case& c : cases) {
        RunResult r = run(c.args, dir);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(run("info", dir).status, 2);
    EXPECT_EQ(run("info a b", dir).status, 2);
    EXPECT_EQ(run("info --bogus x.ff", dir).status, 2);
    EXPECT_EQ(run("frobnicate", dir).status, 2);
    RunResult help = run("--help", dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("info"), std::string::npos);
}

TEST(CliInfo, Latin1HeaderTextsPrintAsUtf8AndEmptyRecordsHaveNoRange)
{
    TempDir dir;
    writeBytes(dir.file("a.ff"), std::string("SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\nCTYPE1=ANGLE\n"
                                             "CDELT1=1e-5\nBUNIT=Jy\nCOMMENT=tilt 3\xB0\nEND\n"));
    RunResult r = run("info " + dir.file("a.ff"), dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("COMMENT=tilt 3\xC2\xB0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("samples: 0\nx: none RAD\ny: none Jy\n"), std::string::npos) << r.out;
}
