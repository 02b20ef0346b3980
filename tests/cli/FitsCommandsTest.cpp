// convert and export end to end, FITS accepted by the other subcommands,
// and our FITS output read by astropy.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <cmath>

using clirun::run;

namespace {

// Output of Debian's python3 with astropy, or "" when either is missing.
std::string python(const std::string& script)
{
    std::FILE* p = ::popen(("/usr/bin/python3 -c '" + script + "' 2>/dev/null").c_str(), "r");
    if (!p) return {};
    std::string out;
    char buf[4096];
    std::size_t k;
    while ((k = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, k);
    return ::pclose(p) == 0 ? out : std::string();
}

std::string astropyDataDir()
{
    std::string dir = python("import astropy.io.fits.tests as t, os; print(os.path.dirname(t.__file__) + \"/data\")");
    while (!dir.empty() && dir.back() == '\n')
        dir.pop_back();
    return dir;
}

}  // namespace

TEST(CliFits, ConvertRoundTripAndAstropyReadsOurOutput)
{
    TempDir dir;
    const std::string extra = "OBJECT=it's 3C 84\nSIGNALTYPE=noise\nCOMMENT=" + std::string(80, 'c') + " end\n";
    const std::string a = clirun::writeScan(dir, "a.ff", {1.5f, -2.25f, 3e-8f, 4e30f}, extra);
    EXPECT_EQ(run("convert " + a + " " + dir.file("a.fits"), dir).status, 0);
    const clirun::Result back = run("convert " + dir.file("a.fits") + " " + dir.file("b.ff"), dir);
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(clirun::samplesOf(dir.file("b.ff")), clirun::samplesOf(a));
    EXPECT_EQ(run("info " + dir.file("b.ff"), dir).out, run("info " + a, dir).out);

    const std::string seen = python(
        "from astropy.io import fits\n"
        "h = fits.open(\"" + dir.file("a.fits") + "\")\n"
        "h.verify(\"exception\")\n"
        "d = h[0].header\n"
        "print(list(h[0].data), d[\"CTYPE1\"], d[\"CRVAL1\"], d[\"CDELT1\"], d[\"OBJECT\"], d[\"SIGNALTYPE\"],"
        " len(str(d[\"COMMENT\"])))");
    if (seen.empty())
        GTEST_SKIP() << "Debian's python3-astropy is not installed: our FITS output is not checked by astropy";
    // Floats as numpy prints them; the COMMENT of 84 characters in two cards.
    EXPECT_EQ(seen, "[1.5, -2.25, 3e-08, 4e+30] TIME 3600 0.5 it's 3C 84 noise 85\n");
}

TEST(CliFits, ExportAndFitsThroughOtherSubcommands)
{
    TempDir dir;
    const std::string a = clirun::writeScan(dir, "a.ff", {1, 2, 3, 4});
    ASSERT_EQ(run("copy " + a + " -o " + dir.file("c.fits"), dir).status, 0);
    EXPECT_EQ(readBytes(dir.file("c.fits")).substr(0, 9), "SIMPLE  =");
    const clirun::Result e = run("export " + dir.file("c.fits") + " -o " + dir.file("c.csv") + " --select 1:2", dir);
    EXPECT_EQ(e.status, 0) << e.err;
    EXPECT_EQ(readBytes(dir.file("c.csv")), "X (SEC),TIME,Y (K)\n3600.5,01:00:00.5,2\n3601,01:00:01.0,3\n");
    // The header editor's command reads and writes FITS like the others.
    ASSERT_EQ(run("head " + dir.file("c.fits") + " -o " + dir.file("c.fits") + " --set OBSERVER=ann", dir).status, 0);
    EXPECT_EQ(readBytes(dir.file("c.fits")).substr(0, 9), "SIMPLE  =");
    EXPECT_NE(run("head " + dir.file("c.fits"), dir).out.find("\nOBSERVER\tann\t"), std::string::npos);

    clirun::expectFailures({
        {"convert " + a + " " + dir.file("o.txt"), 2, "vexil-cli: the output name must end in .ff, .fits, .fit or .fts\n"},
        {"convert " + a, 2, "vexil-cli: convert takes an input and an output file\n"},
        {"export " + a, 2, "vexil-cli: -o OUT is required\n"},
    }, dir, dir.file("o.fits"));
}

// FITS files written by another program: the test files Debian's astropy ships.
TEST(CliFits, FilesAstropyShips)
{
    const std::string data = astropyDataDir();
    if (data.empty())
        GTEST_SKIP() << "Debian's python3-astropy is not installed: its FITS test files are not read";
    TempDir dir;
    const std::string out = dir.file("o.ff");
    // tb.fits: c3 is stored as 1.1 and 2.1 with TSCAL3 = 3, TZERO3 = 0.4.
    clirun::Result r = run("convert " + data + "/tb.fits " + out + " --column c3 --x-column c1", dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(clirun::samplesOf(out), (std::vector<float>{static_cast<float>(double(1.1f) * 3 + 0.4),
                                                          static_cast<float>(double(2.1f) * 3 + 0.4)}));
    // ascii.fits: an ASCII table whose row 4 holds the TNULL text, read as undefined.
    ASSERT_EQ(run("convert " + data + "/ascii.fits[1] " + out + " --column A", dir).status, 0);
    const std::vector<float> a = clirun::samplesOf(out);
    ASSERT_EQ(a.size(), 5u);
    EXPECT_EQ((std::vector<float>{a[0], a[1], a[2], a[4]}), (std::vector<float>{10.123f, 5.2f, 15.61f, 345.f}));
    EXPECT_TRUE(std::isnan(a[3]));
    clirun::expectFailures({
        {"info " + data + "/arange.fits", 1, "FITS: no one-dimensional image or table column in " + data +
                                                 "/arange.fits (HDU 0: 3-D image 11\xC3\x97" "10\xC3\x97" "7)\n"},
    }, dir, dir.file("never"));
}
