#include "Fits.h"
#include "FitsBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <sys/stat.h>

using namespace fitsbytes;

namespace {

std::string image(int bitpix, const std::string& raw, long long n, const std::vector<std::string>& extra)
{
    std::vector<std::string> cards = {kv("SIMPLE", "T"), kv("BITPIX", std::to_string(bitpix)), kv("NAXIS", "1"),
                                      kv("NAXIS1", std::to_string(n)), kv("CTYPE1", "'TIME'"), kv("CDELT1", "0.5"),
                                      kv("BUNIT", "'K'")};
    cards.insert(cards.end(), extra.begin(), extra.end());
    return header(cards) + data(raw);
}

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// A binary table of drift-scan rows: MJD (days), CH1 (K), CH2 (counts), NAME.
std::string driftTable(const std::vector<double>& mjd, const std::vector<float>& ch1)
{
    const std::size_t n = mjd.size();
    std::string rows;
    for (std::size_t i = 0; i < n; ++i)
        rows += bigEndian<double>({mjd[i]}) + bigEndian<float>({ch1[i]}) +
                bigEndian<std::int32_t>({static_cast<std::int32_t>(i)}) + "name";
    return header({kv("SIMPLE", "T"), kv("BITPIX", "8"), kv("NAXIS", "0"), kv("EXTEND", "T")}) +
           header({kv("XTENSION", "'BINTABLE'"), kv("BITPIX", "8"), kv("NAXIS", "2"), kv("NAXIS1", "20"),
                   kv("NAXIS2", std::to_string(n)), kv("PCOUNT", "0"), kv("GCOUNT", "1"), kv("TFIELDS", "4"),
                   kv("TTYPE1", "'MJD'"), kv("TFORM1", "'1D'"), kv("TUNIT1", "'d'"), kv("TTYPE2", "'CH1'"),
                   kv("TFORM2", "'1E'"), kv("TUNIT2", "'K'"), kv("TTYPE3", "'CH2'"), kv("TFORM3", "'1J'"),
                   kv("TTYPE4", "'NAME'"), kv("TFORM4", "'4A'"), kv("EXTNAME", "'SCAN'"), kv("OBJECT", "'Cas A'")}) +
           data(rows);
}

}  // namespace

TEST(FitsRead, EachBitpixScaledWithBlanksAsNaN)
{
    const float nan = NAN;
    struct Case {  // expected: raw * BSCALE + BZERO, worked out by hand
        int bitpix; std::string raw; std::vector<std::string> scaling; std::vector<float> expected;
    } cases[] = {
        {8, std::string("\x00\x03\xFF", 3), {kv("BSCALE", "0.5"), kv("BZERO", "10"), kv("BLANK", "3")}, {10.f, nan, 137.5f}},
        {16, bigEndian<std::int16_t>({-2, -32768, 3}), {kv("BSCALE", "0.5"), kv("BZERO", "10"), kv("BLANK", "-32768")},
         {9.f, nan, 11.5f}},
        {32, bigEndian<std::int32_t>({100000, -7, 2147483647}), {}, {100000.f, -7.f, 2147483648.f}},
        {64, bigEndian<std::int64_t>({1LL << 40, -1, 5}), {kv("BZERO", "0.25")}, {1099511627776.f, -0.75f, 5.25f}},
        {-32, bigEndian<float>({1.5f, nan, -0.0f}), {}, {1.5f, nan, -0.0f}},
        {-64, bigEndian<double>({1e300, 0.1, -2.5}), {kv("BSCALE", "2.0D0")}, {INFINITY, 0.2f, -5.f}},
    };
    for (const Case& c : cases) {
        RecordMessages rec;
        FFile f;
        ASSERT_TRUE(Fits::ReadFromBytes(f, image(c.bitpix, c.raw, 3, c.scaling), "/obs/x.fits")) << c.bitpix;
        ASSERT_EQ(f.Count(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(bits(f.Data()[i]), bits(c.expected[static_cast<std::size_t>(i)])) << c.bitpix << " " << i;
        EXPECT_EQ(std::make_tuple(f.GetText("BITPIX"), f.GetReal("BSCALE"), f.GetReal("BZERO"), f.Has("BLANK"), f.GetShortName()),
                  std::make_tuple(std::string("-32"), 1.0, 0.0, false, std::string("x")));
        EXPECT_TRUE(rec.errors().empty()) << c.bitpix;
    }
}

TEST(FitsRead, CardsBecomeEntries)
{
    RecordMessages rec;
    FFile f;
    ASSERT_TRUE(Fits::ReadFromBytes(f, image(-32, bigEndian<float>({1.f}), 1,
        {kv("OBSDEC", "4.25D+01"), kv("NUT-RA", "-1.5E-3"), kv("FLAG", "T"), kv("OBJECT", "'it''s'"), "COMMENT first words",
         kv("OBJECT", "'3C 84  '"), "HIERARCH ESO DET GAIN = 2.5", kv("NOTE", "'part one &'"), "CONTINUE  'and two'",
         "COMMENT second", "HISTORY made by hand", "        blank keyword", kv("EMPTY", "''"), kv("NAXIS2", "1")}), "x.fits"));
    EXPECT_EQ(entriesOf(f), (std::vector<std::pair<std::string, std::string>>{{"SIMPLE", "T"}, {"BITPIX", "-32"},
        {"NAXIS", "1"}, {"NAXIS1", "1"}, {"CTYPE1", "TIME"}, {"CDELT1", "0.5"}, {"BUNIT", "K"}, {"OBSDEC", "4.25e+01"},
        {"NUT-RA", "-1.5e-3"}, {"FLAG", "T"}, {"OBJECT", "3C 84"}, {"COMMENT", "first words second"},
        {"ESO DET GAIN", "2.5"}, {"NOTE", "part one and two"}, {"HISTORY", "made by hand"}, {"CRVAL1", "0.0"},
        {"CRPIX1", "1.0"}, {"BSCALE", "1.0"}, {"BZERO", "0.0"}, {"DEC", "0.0"}, {"TIMEWSH", "0.0"}, {"TIMEESH", "0.0"}}));
    EXPECT_TRUE(rec.errors().empty());
}

TEST(FitsRead, JitteringMjdColumnGivesTimeAxisInSecondsOfDay)
{
    // 0.1 s steps from MJD 60123.375 (09:00:00 UT, 2023-06-28), each row off by up to 1e-4 of a step.
    const double step = 0.1 / 86400.0;
    std::vector<double> mjd;
    std::vector<float> ch1;
    for (int i = 0; i < 300; ++i) {
        mjd.push_back(60123.375 + i * step + ((i * 7) % 5 - 2) * 0.5e-4 * step);
        ch1.push_back(static_cast<float>(i % 17) * 0.25f);
    }
    RecordMessages rec;
    FFile f;
    ASSERT_TRUE(Fits::ReadFromBytes(f, driftTable(mjd, ch1), "drift.fits", {"ch1", "MJD"}));
    ASSERT_EQ(f.Count(), 300);
    EXPECT_EQ(std::vector<float>(f.Data(), f.Data() + 300), ch1);
    EXPECT_NEAR(f.GetReal("CRVAL1"), 32400.0, 1e-4);
    EXPECT_NEAR(f.GetReal("CDELT1"), 0.1, 1e-8);
    EXPECT_EQ(f.GetText("CTYPE1") + f.GetText("BUNIT") + f.GetText("DATE-OBS") + f.GetText("OBJECT"),
              "TIMEK2023-06-28Cas A");
    EXPECT_FALSE(f.Has("TTYPE1") || f.Has("TFIELDS") || f.Has("XTENSION") || f.Has("NAXIS2"));
    EXPECT_EQ(f.GetText("COMMENT").substr(0, 47), "X from column MJD: step 0.1 s, largest deviatio");
    EXPECT_EQ(f.FormatX(f.DisplayX(0)), "09:00:00.0");
    EXPECT_TRUE(rec.errors().empty());

    // Without an X column the row index, with step 1.
    ASSERT_TRUE(Fits::ReadFromBytes(f, driftTable(mjd, ch1), "drift.fits", {"CH1", ""}));
    EXPECT_EQ(f.GetText("CTYPE1") + " " + f.GetText("CRVAL1") + " " + f.GetText("CDELT1"), "ROW 0 1");
    ASSERT_TRUE(Fits::ReadFromBytes(f, driftTable(mjd, ch1), "drift.fits", {"CH2", "CH1"}) == false);

    // A row 0.3 of a step late is refused: the fitted line moves towards it by
    // 0.3 / 300 + 0.3 * 99.5^2 / (300 * (300^2 - 1) / 12) = 0.0023 steps, leaving 0.298.
    for (int i = 0; i < 300; ++i)
        mjd[static_cast<std::size_t>(i)] = 60123.375 + (i + (i == 50 ? 0.3 : 0.0)) * step;
    rec.recorder.clear();
    EXPECT_FALSE(Fits::ReadFromBytes(f, driftTable(mjd, ch1), "drift.fits", {"CH1", "MJD"}));
    EXPECT_EQ(rec.errors(),
              std::vector<std::string>{"FITS: column MJD of drift.fits is not evenly spaced: row 50 lies 0.298 steps off"});
}

TEST(FitsRead, RefusalsGiveOneMessageAndNoRecord)
{
    TempDir dir;
    writeBytes(dir.file("2d.fits"), header({kv("SIMPLE", "T"), kv("BITPIX", "-32"), kv("NAXIS", "2"),
                                            kv("NAXIS1", "100"), kv("NAXIS2", "100")}) + data(std::string(40000, '\0')));
    writeBytes(dir.file("text.fits"), header({kv("SIMPLE", "T"), kv("BITPIX", "8"), kv("NAXIS", "0")}) +
        header({kv("XTENSION", "'BINTABLE'"), kv("BITPIX", "8"), kv("NAXIS", "2"), kv("NAXIS1", "3"), kv("NAXIS2", "2"),
                kv("PCOUNT", "0"), kv("GCOUNT", "1"), kv("TFIELDS", "1"), kv("TTYPE1", "'S'"), kv("TFORM1", "'3A'")}) +
        data("abcdef"));
    writeBytes(dir.file("drift.fits"), driftTable({1, 2, 3}, {1, 2, 3}));
    writeBytes(dir.file("long.fits"), image(-32, std::string(4, '\0'), 1000, {}));
    writeBytes(dir.file("huge.fits"), image(16, std::string(4, '\0'), 2000000000, {}));
    writeBytes(dir.file("junk.fits"), "SIMPLE = T\nnot a FITS file\n");
    writeBytes(dir.file("big.fits"), image(-32, std::string(40000, '\0'), 10000, {}));
    // Cut in the stream, and whole but for the trailer's checksum and length.
    ASSERT_EQ(std::system(("gzip -c " + dir.file("big.fits") + " >" + dir.file("big.fits.gz") + " && head -c 100 " +
                           dir.file("big.fits.gz") + " >" + dir.file("cut.fits.gz") + " && head -c -8 " +
                           dir.file("big.fits.gz") + " >" + dir.file("notail.fits.gz")).c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.file("pipe.fits").c_str(), 0600), 0);
    const std::string d = dir.path().string() + "/";
    struct Case { std::string name; FitsChoice choice; std::string message; } cases[] = {
        {"2d.fits", {}, "no one-dimensional image or table column in " + d + "2d.fits (HDU 0: 2-D image 100\xD7" "100)"},
        {"text.fits", {}, "no one-dimensional image or table column in " + d +
                              "text.fits (HDU 0: no data; HDU 1: table of 2 rows without numeric columns)"},
        {"drift.fits", {}, "no one-dimensional image in " + d + "drift.fits; choose a table column: HDU 1 SCAN: MJD, CH1, CH2"},
        {"drift.fits", {"FLUX", ""}, "no table in " + d + "drift.fits has a numeric column FLUX"},
        {"drift.fits[0]", {"CH1", ""}, "HDU 0 of " + d + "drift.fits[0] has no numeric column CH1"},
        {"drift.fits[2]", {}, "no HDU 2 in " + d + "drift.fits[2]"},
        {"drift.fits[scan]", {"CH1", "NAME"}, "HDU 1 SCAN of " + d + "drift.fits[scan] has no numeric column NAME"},
        {"long.fits", {}, d + "long.fits is truncated: HDU 0 needs 8640 bytes, the file has 5760"},
        {"huge.fits", {}, d + "huge.fits is truncated: HDU 0 needs 4000003200 bytes, the file has 5760"},
        {"junk.fits", {}, "can't read " + d + "junk.fits: a header card holds characters other than printable ASCII"},
        {"cut.fits.gz", {}, "can't read " + d + "cut.fits.gz: the compressed file ends early or is damaged"},
        {"notail.fits.gz", {}, "can't read " + d + "notail.fits.gz: the compressed file ends early or is damaged"},
        {"pipe.fits", {}, "can't open input file " + d + "pipe.fits"},
        {"absent.fits", {}, "can't open input file " + d + "absent.fits"},
    };
    for (const Case& c : cases) {
        RecordMessages rec;
        FFile f;
        EXPECT_FALSE(Fits::Read(f, d + c.name, c.choice)) << c.name;
        EXPECT_EQ(rec.errors(), std::vector<std::string>{"FITS: " + c.message}) << c.name;
        EXPECT_EQ(f.Count(), 0);
    }
    // The header check applies to FITS too; bytes cut inside the last block or
    // odd bytes in a cut second header are refused without reading past the end.
    RecordMessages rec;
    FFile f;
    EXPECT_FALSE(Fits::ReadFromBytes(f, image(-32, bigEndian<float>({1, 2, 3}), 3, {}).substr(0, 2890), "cut.fits"));
    EXPECT_FALSE(Fits::ReadFromBytes(f, image(-32, bigEndian<float>({1}), 1, {}) +
        header({kv("XTENSION", "'TABLE'"), kv("TTYPE1", "'\xEE\xEE'")}).substr(0, 1000), "odd.fits"));
    EXPECT_FALSE(Fits::ReadFromBytes(f, header({kv("SIMPLE", "T"), kv("BITPIX", "-32"), kv("NAXIS", "1"),
                                                 kv("NAXIS1", "1")}) + data("abcd"), "x.fits"));
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FITS: cut.fits is truncated: HDU 0 needs 5760 bytes, the file has 2890",
                                        "FITS: can't read odd.fits: a header card holds characters other than printable ASCII",
                                        "FHead: missing critical parameter CTYPE1"}));
}
