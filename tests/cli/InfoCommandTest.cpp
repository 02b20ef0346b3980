#include "CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using clirun::run;

TEST(CliInfo, PrintsHeaderCountAndRanges)
{
    TempDir dir;
    const std::string a = clirun::writeScan(dir, "a.ff", {1, -2, 3});
    const clirun::Result r = run("info " + a, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=3\nCTYPE1=TIME\nCRVAL1=3600\nCDELT1=0.5\nBUNIT=K\n"
              "CRPIX1=1.0\nBSCALE=1\nBZERO=0\nOBSDEC=0.0\nDEC=0.0\nNUT-RA=0.0\nTIMEWSH=0.0\nTIMEESH=0.0\n"
              "samples: 3\n"
              "x: 01:00:00.0 01:00:01.0 SEC\n"
              "y: -2.000e+00  3.000e+00 K\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliInfo, Latin1HeaderTextsPrintAsUtf8AndEmptyRecordsHaveNoRange)
{
    TempDir dir;
    writeBytes(dir.file("a.ff"), std::string("SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\nCTYPE1=ANGLE\n"
                                             "CDELT1=1e-5\nBUNIT=Jy\nCOMMENT=tilt 3\xB0\nEND\n"));
    const clirun::Result r = run("info " + dir.file("a.ff"), dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("COMMENT=tilt 3\xC2\xB0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("samples: 0\nx: none RAD\ny: none Jy\n"), std::string::npos) << r.out;
}

TEST(CliInfo, ExitStatusesFollowTheConventions)
{
    TempDir dir;
    writeBytes(dir.file("bad.ff"), "SIMPLE=T\nNAXIS=1\nEND\n");
    // Inputs that are not regular files are refused at once: a named pipe
    // without a writer must not hang the run.
    ASSERT_EQ(::mkfifo(dir.file("pipe.ff").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder.ff"));
    clirun::expectFailures({
        {"info " + dir.file("pipe.ff"), 1, "FHead: can't open input file\n"},
        {"info " + dir.file("folder.ff"), 1, "FHead: can't open input file\n"},
        {"info /dev/zero", 1, "FHead: can't open input file\n"},
        {"info " + dir.file("bad.ff"), 1, "FHead: missing critical parameter BITPIX\n"},
        {"info " + dir.file("missing.ff"), 1, "FHead: can't open input file\n"},
        {"info", 2, "vexil-cli: "},
        {"info a b", 2, "vexil-cli: "},
        {"info --bogus x.ff", 2, "vexil-cli: unknown option --bogus\n"},
        {"frobnicate", 2, "vexil-cli: unknown command frobnicate\n"},
    }, dir, dir.file("none"));
    const clirun::Result help = run("--help", dir);
    EXPECT_EQ(help.status, 0);
    for (const char* name : {"info", "head", "compress", "smooth", "correlate", "trend", "clip", "glue", "lincomb", "rms",
                             "area", "copy"})
        EXPECT_NE(help.out.find(std::string("\n  ") + name + " "), std::string::npos) << name;
}
