#include "CliRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sys/stat.h>

using clirun::run;

TEST(CliConventions, InfoPrintsHeaderCountAndRanges)
{
    TempDir dir;
    const clirun::Result r = run("info " + clirun::writeScan(dir, "a.ff", {1, -2, NAN, -INFINITY, 3}), dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=5\nCTYPE1=TIME\nCRVAL1=3600\nCDELT1=0.5\nBUNIT=K\n"
              "CRPIX1=1.0\nBSCALE=1\nBZERO=0\nOBSDEC=0.0\nDEC=0.0\nNUT-RA=0.0\nTIMEWSH=0.0\nTIMEESH=0.0\n"
              "samples: 5\nx: 01:00:00.0 01:00:02.0 SEC\ny: -2.000e+00  3.000e+00 K\n");
    EXPECT_EQ(r.err, "");
    // Latin-1 header texts reach the terminal as UTF-8; no samples, no range.
    writeBytes(dir.file("b.ff"), "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\nCTYPE1=ANGLE\nCDELT1=1e-5\nBUNIT=Jy\n"
                                 "COMMENT=tilt 3\xB0\nEND\n");
    const std::string b = run("info " + dir.file("b.ff"), dir).out;
    EXPECT_NE(b.find("COMMENT=tilt 3\xC2\xB0\n"), std::string::npos) << b;
    EXPECT_NE(b.find("samples: 0\nx: none RAD\ny: none Jy\n"), std::string::npos) << b;
}

TEST(CliConventions, ResultsOnStdoutMessagesOnStderr)
{
    TempDir dir;
    const std::string a = clirun::writeScan(dir, "a.ff", {1, 2, 3, 4});
    const std::string b = clirun::writeScan(dir, "b.ff", {1, 1, 3, 5, 3, 1, 1, 7});
    const std::string o = dir.file("o.ff");
    writeBytes(dir.file("bad.ff"), "SIMPLE=T\nNAXIS=1\nEND\n");
    // Inputs that are not regular files are refused: a pipe without a writer must not hang the run.
    ASSERT_EQ(::mkfifo(dir.file("pipe.ff").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder.ff"));
    const std::string cantOpen = "FHead: can't open input file\n";
    struct Case { std::string args; int status; std::string out, err; } cases[] = {
        {"rms " + a, 0, "r.m.s. = 1.20141 K\n(for whole data)\n", ""},
        {"rms " + b + " --select 1:1 --select 2:2", 0, "r.m.s. = 1.18921 K\n(for selected data)\n", ""},
        {"area " + b + " --select 0:6 --discard 2:4 --power 0", 0, "Area =  4  K * SEC\n", ""},
        {"--verbose rms " + a + " --select 2:2", 1, "", "FFView: too little data selected\n"},
        // The question the batch answers itself shows only with --verbose.
        {"trend " + a + " -o " + o, 0, "", ""},
        {"trend " + a + " -o " + o + " --verbose", 0, "", "Confirm data changes\nwrote " + o + "\n"},
        {"copy --verbose " + a + " -o " + o + " --select 0:3", 0, "", "wrote " + o + " (HISTORY=COPY(a))\n"},
        {"info " + dir.file("pipe.ff"), 1, "", cantOpen},
        {"info " + dir.file("folder.ff"), 1, "", cantOpen},
        {"info /dev/zero", 1, "", cantOpen},
        {"info " + dir.file("missing.ff"), 1, "", cantOpen},
        {"info " + dir.file("bad.ff"), 1, "", "FHead: missing critical parameter BITPIX\n"},
        {"info", 2, "", "vexil-cli: "},
        {"info a b", 2, "", "vexil-cli: "},
        {"info --bogus x.ff", 2, "", "vexil-cli: unknown option --bogus\n"},
        {"frobnicate", 2, "", "vexil-cli: unknown command frobnicate\n"},
        {"--version", 0, "Vexil Version 1.0\n", ""},
    };
    for (const Case& c : cases) {
        const clirun::Result r = run(c.args, dir);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(c.status == 2 ? r.err.substr(0, c.err.size()) : r.err, c.err) << c.args;
    }
    const clirun::Result help = run("--help", dir);
    EXPECT_EQ(help.status, 0);
    for (const char* name : {"info", "head", "compress", "smooth", "correlate", "trend", "clip", "glue", "lincomb",
                             "rms", "area", "copy", "convert", "export"})
        EXPECT_NE(help.out.find(std::string("\n  ") + name + " "), std::string::npos) << name;
}
