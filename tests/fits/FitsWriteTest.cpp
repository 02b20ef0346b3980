#include "ColumnAxis.h"
#include "Fits.h"
#include "FitsBytes.h"
#include "FitsSupport.h"
#include "RecordFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using fitsbytes::entriesOf;

TEST(FitsWrite, FFileToFitsToFFileKeepsSamplesAndEveryValue)
{
    TempDir dir;
    std::string bytes = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=6\nCTYPE1=ANGLE\nCRVAL1=1.25e-05\nCDELT1=-2e-06\n"
                        "BUNIT=mJy/beam\nOBJECT=it's 3C 84\nCMPRS-CF=4\nOBSDEC=42.5\nTAU=abc\nRANDOMAMPL=3\n"
                        "SIGNALTYPE=noise, white\nFREQ=1.4e+09\nNCHAN=16\nFLAGGED=F\nREMARK=" + std::string(100, 'r') +
                        " end\nCOMMENT=Reduced with care; the second horn drifted between 03:00 and 03:20 UT, so that "
                        "part was discarded\nHISTORY=" + std::string(150, 'x') + "\nEND\n";
    const float samples[6] = {1.5f, NAN, -0.0f, 1e-40f, -3.4e38f, 7.25f};
    bytes.append(reinterpret_cast<const char*>(samples), sizeof samples);
    RecordMessages rec;
    FFile original;
    ASSERT_TRUE(original.ReadFromBytes(bytes, dir.file("a.ff")));
    original.SetName(dir.file("a.fits"));
    ASSERT_TRUE(RecordFile::Write(original));

    FFile back;
    ASSERT_TRUE(RecordFile::Read(back, dir.file("a.fits")));
    ASSERT_EQ(back.Count(), 6);
    EXPECT_EQ(std::memcmp(back.Data(), samples, sizeof samples), 0);
    EXPECT_EQ(entriesOf(back), entriesOf(original));
    EXPECT_TRUE(rec.errors().empty());

    // Numbers are number cards and texts strings; long IDs go through HIERARCH.
    const std::string fits = readBytes(dir.file("a.fits"));
    for (const char* card : {"CRVAL1  =             1.25E-05", "CMPRS-CF=                    4", "TAU     = 'abc     '",
             "HIERARCH RANDOMAMPL = 3", "HIERARCH SIGNALTYPE = 'noise, white'", "FREQ    =              1.4E+09",
             "FLAGGED =                    F", "OBJECT  = 'it''s 3C 84'"})
        EXPECT_NE(fits.find(card), std::string::npos) << card;
}

TEST(FitsWrite, EntriesFitsCannotCarryAreNamedAndTheRestIsSaved)
{
    TempDir dir;
    RecordMessages rec;
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes(
        "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\nCTYPE1=TIME\nCDELT1=1\nBUNIT=K\nmode=fast\nCOMMENT=tilt 3\xB0\nNAXIS2=4\nEND\n", "a.ff"));
    f.SetName(dir.file("a.fit"));
    EXPECT_TRUE(Fits::Write(f));
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"FITS: header entries not kept exactly in " + dir.file("a.fit") +
                                                     ": mode, COMMENT, NAXIS2"});
    FFile back;
    ASSERT_TRUE(Fits::Read(back, dir.file("a.fit")));
    EXPECT_EQ(back.GetText("MODE") + "|" + back.GetText("COMMENT"), "fast|tilt 3?");
    EXPECT_EQ(back.Count(), 0);

    rec.recorder.clear();
    f.SetName(dir.file("a.fits.gz"));
    EXPECT_FALSE(RecordFile::Write(f));
    f.SetName(dir.path().string() + "/missing/a.fits");
    EXPECT_FALSE(RecordFile::Write(f));
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FITS: can't write compressed file " + dir.file("a.fits.gz"),
                                                      "FITS: write error"}));
}

TEST(FitsWrite, CommentaryCardsSplitAndJoinBackToTheSameText)
{
    const std::string w72(72, 'w');
    const std::string texts[] = {  // a blank in column 80; two blanks there
        "short", w72, w72 + "tail", std::string(71, 'a') + " b", std::string(70, 'a') + "  b",
        std::string(60, 'a') + " " + std::string(30, 'c') + " " + std::string(100, 'd'), "   indented " + std::string(70, 'e')};
    for (const std::string& text : texts) {
        const std::vector<std::string> cards = FitsSupport::splitCommentary(text);
        FitsSupport::Commentary joined;
        for (const std::string& c : cards) {
            EXPECT_LE(c.size(), 72u) << text;
            joined.add(c + "   ");  // cards come back padded with blanks
        }
        EXPECT_EQ(joined.text, text);
    }
    FitsSupport::Commentary c;  // another program's cards: one sentence over several lines
    for (const char* card : {"  FITS format is defined in 'Astronomy", "", "and Astrophysics', volume 376"})
        c.add(card);
    EXPECT_EQ(c.text, "  FITS format is defined in 'Astronomy and Astrophysics', volume 376");
}

TEST(FitsNames, ExtensionsAndContents)
{
    TempDir dir;
    writeBytes(dir.file("fits.dat"), "SIMPLE  =                    T" + std::string(50, ' '));
    writeBytes(dir.file("ff.dat"), "SIMPLE  = T\nBITPIX=-32\n" + std::string(80, ' '));
    writeBytes(dir.file("gz.dat"), "\x1F\x8B\x08");
    const std::pair<std::string, bool> cases[] = {{"a.fits", true}, {"A.FIT", true}, {"b.fts.gz", true},
        {"c.FITS[2]", true}, {"d.fits[SCAN]", true}, {"e.ff", false}, {"fits", false}, {"f.fits.txt", false},
        {".fits", false}, {"g.gz", false}, {dir.file("fits.dat"), true}, {dir.file("ff.dat"), false},
        {dir.file("gz.dat"), true}, {dir.path().string(), false}};
    for (const auto& [name, fits] : cases)
        EXPECT_EQ(RecordFile::IsFits(name), fits) << name;
}

TEST(ColumnAxis, LeastSquaresLineEvennessAndDays)
{
    // x = 10 + 2i, +d at row 3, -d at row 5 of 9: the slope changes by -2d / 60, so step 2 - d/30,
    // start 10 + 4d/30, rows off by 29d/30; within 1 % of the step while d <= 0.020682.
    for (double d : {0.0, 0.0206, 0.0207}) {
        std::vector<double> x;
        for (int i = 0; i < 9; ++i)
            x.push_back(10 + 2 * i + (i == 3 ? d : i == 5 ? -d : 0.0));
        EvenSpacing s;
        ASSERT_TRUE(ColumnAxis::FitEvenSpacing(x.data(), 9, s));
        EXPECT_NEAR(s.step, 2 - d / 30, 1e-12);
        EXPECT_NEAR(s.start, 10 + 4 * d / 30, 1e-12);
        EXPECT_NEAR(s.maxDeviation, 29 * d / 30, 1e-12);
        EXPECT_EQ(s.worstRow, d == 0 ? 0 : 3);
        EXPECT_EQ(ColumnAxis::Even(s), d < 0.02068) << d;
    }
    EvenSpacing s;
    const double flat[] = {5, 5, 5}, bad[] = {1, NAN, 3};
    ASSERT_TRUE(ColumnAxis::FitEvenSpacing(flat, 3, s));
    EXPECT_FALSE(ColumnAxis::Even(s));
    EXPECT_FALSE(ColumnAxis::FitEvenSpacing(bad, 3, s) || ColumnAxis::FitEvenSpacing(flat, 1, s));

    const std::pair<double, const char*> days[] = {{0, "1858-11-17"}, {51544.5, "2000-01-01"}, {58908, "2020-02-29"},
        {58909.99, "2020-03-01"}, {60123.375, "2023-06-28"}, {-1, "1858-11-16"}, {4.4e257, ""}};
    for (const auto& [mjd, date] : days)
        EXPECT_EQ(ColumnAxis::Date(mjd), date) << mjd;
    EXPECT_DOUBLE_EQ(ColumnAxis::SecondsOfDay(51544.5), 43200.0);
    EXPECT_NEAR(ColumnAxis::SecondsOfDay(60123.999988425926), 86399.0, 1e-5);
}
