#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kOmega = 2 * M_PI / 86400;

// An F-file with the given header entries (after QControl) and n samples.
FFile makeFile(const std::string& entries, int n = 20)
{
    FFile f;
    std::string text = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=" + std::to_string(n) + "\nBUNIT=K\n" + entries + "END\n";
    text.append(static_cast<std::size_t>(n) * 4, '\0');
    RecordMessages rec;
    EXPECT_TRUE(f.ReadFromBytes(text, "axis.ff")) << (rec.errors().empty() ? "" : rec.errors()[0]);
    return f;
}

}  // namespace

TEST(Axis, OffsetOriginFollowsTheFlags)
{
    FFile f = makeFile("CTYPE1=TIME\nCRVAL1=100\nCRPIX1=1\nCDELT1=0.5\nTIMEWSH=2\nTIMEESH=4\nNUT-RA=1\n");
    struct Case { int flags; double origin, step; } cases[] = {{0, 104, 0.5}, {2, 101, 0.5}, {1, 4, 0.5}, {4, 103, 0.5}, {8, 0, 1}, {7, 0, 0.5}};
    for (const Case& c : cases) {
        f.SetOffsets(c.flags);
        EXPECT_DOUBLE_EQ(f.OffsetOrigin(), c.origin) << c.flags;
        EXPECT_DOUBLE_EQ(f.OffsetStep(), c.step) << c.flags;
        EXPECT_DOUBLE_EQ(f.DisplayOrigin(), 104) << "display origin ignores the flags";
    }
    f.SetOffsets(0);
    EXPECT_DOUBLE_EQ(f.OperationX(10), 109);
}

TEST(Axis, CrpixCountsFromOneAndOtherAxesIgnoreShifts)
{
    FFile f = makeFile("CTYPE1=TIME\nCRVAL1=0\nCRPIX1=3\nCDELT1=2\n");
    EXPECT_DOUBLE_EQ(f.OffsetOrigin(), -4);
    EXPECT_DOUBLE_EQ(f.DisplayX(0), -4);
    FFile g = makeFile("CTYPE1=FREQ\nCRVAL1=10\nCDELT1=2\nTIMEWSH=6\nNUT-RA=3\n");
    EXPECT_DOUBLE_EQ(g.OffsetOrigin(), 10);
    EXPECT_DOUBLE_EQ(g.DisplayOrigin(), 10);
}

TEST(Axis, XModesAndUnits)
{
    FFile angle = makeFile("CTYPE1=ANGLE\nCDELT1=1e-5\nOBSDEC=60\n");
    EXPECT_EQ(angle.Kind(), AxisAngle);
    ASSERT_TRUE(angle.SetXMode(XModeTime));
    EXPECT_NEAR(angle.XScale(), 1 / (0.5 * kOmega), 1e-7);
    EXPECT_NEAR(angle.XScale(), 27501.974, 1e-3);
    EXPECT_EQ(angle.XLabel(), "TIME");
    ASSERT_TRUE(angle.SetUnit(UnitArcsec));
    EXPECT_DOUBLE_EQ(angle.UnitScale(), 206264.80624709636);
    EXPECT_EQ(angle.UnitLabel(), "ARCSEC");
    ASSERT_TRUE(angle.SetUnit(UnitSec));  // an angle read as the time the sky takes to turn through it
    EXPECT_NEAR(angle.UnitScale(), 1 / (0.5 * kOmega), 1e-7);

    FFile time = makeFile("CTYPE1=TIME\nCDELT1=1\n");
    ASSERT_TRUE(time.SetUnit(UnitArcsec));
    EXPECT_DOUBLE_EQ(time.UnitScale(), 15);
    ASSERT_TRUE(time.SetUnit(UnitRad));
    EXPECT_DOUBLE_EQ(time.UnitScale(), 7.27220521664304e-05);
    ASSERT_TRUE(time.SetXMode(XModeAngle));
    EXPECT_DOUBLE_EQ(time.XScale(), 7.27220521664304e-05);
    EXPECT_FALSE(time.SetXMode(5));
    EXPECT_FALSE(time.SetUnit(3));
    EXPECT_FALSE(time.SetUnit(5));
}

TEST(Axis, OtherAxesRefuseConversions)
{
    FFile f = makeFile("CTYPE1=FREQ\nCDELT1=1\n");
    EXPECT_EQ(f.Kind(), AxisOther);
    EXPECT_EQ(f.GetXMode(), XModeNone);
    EXPECT_EQ(f.Unit(), UnitOwn);
    EXPECT_EQ(f.UnitLabel(), "FREQ");
    for (int mode : {0, 1})
        EXPECT_FALSE(f.SetXMode(mode)) << mode;
    for (int unit : {0, 1, 2, 3})
        EXPECT_FALSE(f.SetUnit(unit)) << unit;
    EXPECT_TRUE(f.SetXMode(XModeOwn));
    EXPECT_EQ(f.XLabel(), "FREQ");
    EXPECT_TRUE(f.SetUnit(UnitFileOwn));
    FFile lower = makeFile("CTYPE1=time\nCDELT1=1\n");
    EXPECT_EQ(lower.Kind(), AxisOther);
}

TEST(Axis, PixelModeRefusesTimeAndLeavingItRestoresTheOwnMode)
{
    FFile f = makeFile("CTYPE1=ANGLE\nCDELT1=1e-5\nOBSDEC=30\n");
    ASSERT_TRUE(f.SetXMode(XModeTime));
    f.SetOffsets(OffsetPixels);
    EXPECT_EQ(f.GetXMode(), XModeNone);
    EXPECT_EQ(f.XLabel(), "PIXELS");
    EXPECT_DOUBLE_EQ(f.OperationX(7), 7);
    EXPECT_FALSE(f.SetXMode(XModeTime));
    f.SetOffsets(0);
    EXPECT_EQ(f.GetXMode(), XModeAngle);
    EXPECT_EQ(f.XLabel(), "ANGLE");
    EXPECT_DOUBLE_EQ(f.XScale(), 1);
}

TEST(Axis, TextForms)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { std::string got, expected; } cases[] = {
        {FFile::TimeText(3725.4), "01:02:05.4"},
        {FFile::TimeText(-10), "23:59:50.0"},
        {FFile::TimeText(86400), "00:00:00.0"},
        {FFile::TimeText(-1e-20), "00:00:00.0"},
        {FFile::TimeText(86400.0 * 1e6 + 3600), "01:00:00.0"},
        {FFile::AngleText(3723.5), "001\xB0" "02'03.5\""},
        {FFile::AngleText(-3600), "359\xB0" "00'00.0\""},
        {FFile::NumberText(1.5), " 1.500e+00"},
        {FFile::NumberText(-1.5), "-1.500e+00"},
        {FFile::DistanceText(2.5), " 000002.5"},
        {FFile::DistanceText(-2.5), "-000002.5"},
        // Values with no place in a day or a turn are shown as numbers.
        {FFile::TimeText(inf), "       inf"},
        {FFile::AngleText(-inf), "      -inf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
    EXPECT_NE(FFile::TimeText(std::nan("")).find("nan"), std::string::npos);
    // Huge finite values finish (and land inside the day).
    EXPECT_EQ(FFile::TimeText(1e300).size(), 10u);
    EXPECT_EQ(FFile::AngleText(-1e308).size(), 12u);
}

TEST(Axis, FormatFollowsTheUnit)
{
    FFile f = makeFile("CTYPE1=TIME\nCRVAL1=3600\nCDELT1=0.5\n");
    EXPECT_EQ(f.FormatX(f.DisplayX(2)), "01:00:01.0");
    EXPECT_EQ(f.FormatDX(f.DisplayDX(5)), " 000002.5");
    ASSERT_TRUE(f.SetUnit(UnitArcsec));
    EXPECT_EQ(f.FormatX(f.DisplayX(0)), "015\xB0" "00'00.0\"");
    ASSERT_TRUE(f.SetUnit(UnitRad));
    EXPECT_EQ(f.FormatX(1.5), " 1.500e+00");
    EXPECT_EQ(f.FormatDX(1.5), " 1.500e+00");
    EXPECT_EQ(f.FormatY(-0.001), "-1.000e-03");
}
