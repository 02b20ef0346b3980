#include "ProbeOperation.h"
#include "ScanBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string kAssembleFailed = "FFOperation: can't assemble output FFile head";

std::unique_ptr<FFile> observed(const char* name, std::vector<std::pair<std::string, std::string>> extra = {},
                                double crval = 0.0, double cdelt = 1.0, int n = 10)
{
    return makeScan(recipe(ramp(n), cdelt, crval, name, std::move(extra)));
}

}  // namespace

TEST(FFOperationHead, WorkedExampleHeadModeZero)
{
    RecordMessages rec;
    auto a = observed("dir/scan1.ff", {{"OBJECT", "M31"}, {"HISTORY", "OLD"}, {"OBSDEC", "41.2"}, {"DEC", "41.25"},
                                       {"TIMEESH", "0.3"}, {"TIMEWSH", "0.1"}, {"NUT-RA", "0.02"}, {"TAU", "0.5"}});
    auto b = observed("scan2.ff", {{"OBJECT", "M 31"}, {"DEC", "41.2503"}});
    auto c = observed("scan3.ff", {{"DEC", "41.2496"}});
    ProbeRun run({a.get(), b.get(), c.get()}, overlay(), "LINCOMB");
    ASSERT_TRUE(run.ok);
    EXPECT_TRUE(rec.errors().empty());
    // Non-critical entries in the active head's order (HISTORY in place), then BITPIX, observation, axis keywords.
    std::string head;
    for (int i = 0; i < run.out().EntryCount(); ++i)
        head += run.out().EntryAt(i).GetID() + "=" + run.out().EntryAt(i).GetValue() + "\n";
    EXPECT_EQ(head,
              "SIMPLE=T\nNAXIS=1\nOBJECT=M31\nHISTORY=LINCOMB(scan1,scan2,scan3)\nTAU=0.5\nBITPIX=-32\n"
              "DEC=41.25\nOBSDEC=41.2\nTIMEESH=0.1\nTIMEWSH=-0.1\nNUT-RA=0.0\nNAXIS1=10\nCTYPE1=TIME\n"
              "CRVAL1=0\nCRPIX1=1.0\nCDELT1=1\nBUNIT=K\nBSCALE=1.0\nBZERO=0.0\n");
}

TEST(FFOperationHead, HeadModeOneKeepsOnlyEqualTexts)
{
    RecordMessages rec;
    auto a = observed("a.ff", {{"OBJECT", "M31"}, {"TAU", "0.5"}, {"OBSERVER", "X"}});
    auto b = observed("b.ff", {{"OBJECT", "M 31"}, {"TAU", "0.5"}});
    ProbeRun run({a.get(), b.get()}, overlay(6, 1));
    ASSERT_TRUE(run.ok);
    EXPECT_FALSE(run.out().Has("OBJECT") || run.out().Has("OBSERVER"));
    EXPECT_EQ(run.out().GetText("TAU") + run.out().GetText("SIMPLE"), "0.5T");
    EXPECT_TRUE(rec.errors().empty());
}

TEST(FFOperationHead, DeclinationsAndHeadsThatCantBeAssembled)
{
    struct Case { int headMode; const char *simple, *dec; bool check; std::vector<std::string> errors; } cases[] = {
        {0, "T", "30.0005", true, {}},
        {0, "T", "30.0007", false, {}},
        {0, "T", "30.0007", true, {"FFOperation: nonequal declinations", kAssembleFailed}},
        {1, "F", "30", false,
         {"FHead: missing critical parameter SIMPLE", "FFOperation: output FFile head hasn't passed QControl",
          kAssembleFailed}},
        {2, "T", "30", false, {"FFOperation: unhandled head merging mode", kAssembleFailed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.headMode) + " " + c.dec + (c.check ? " checked" : ""));
        RecordMessages rec;
        auto a = observed("a.ff", {{"DEC", "30.0000"}}), b = observed("b.ff", {{"DEC", c.dec}});
        b->SetText("SIMPLE", c.simple);
        ProbeRun run({a.get(), b.get()}, overlay(6, c.headMode, c.check));
        EXPECT_EQ(run.ok, c.errors.empty());
        EXPECT_EQ(rec.errors(), c.errors);
        EXPECT_TRUE(!run.ok || run.out().GetText("DEC") == "30.0000");
    }
}

TEST(FFOperationHead, ObservationOffsets)
{
    struct Case { const char* what; int flags; bool keep; const char *east, *west, *nutation; } cases[] = {
        {"offsets re-centred", 6, false, "0.1", "-0.1", "0.0"},
        {"kept where left out of X", 6, true, "0.3", "0.1", "0.02"},
        {"horn shifts applied to X", 4, true, "0.1", "-0.1", "0.02"},
        {"nutation applied to X", 2, true, "0.3", "0.1", "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto a = observed("a.ff", {{"TIMEESH", "0.3"}, {"TIMEWSH", "0.1"}, {"NUT-RA", "0.02"}}), b = observed("b.ff");
        ProbeRun run({a.get(), b.get()}, overlay(c.flags, 0, false, c.keep));
        ASSERT_TRUE(run.ok);
        EXPECT_EQ(run.out().GetText("TIMEESH") + " " + run.out().GetText("TIMEWSH") + " " + run.out().GetText("NUT-RA"),
                  std::string(c.east) + " " + c.west + " " + c.nutation);
    }
}

TEST(FFOperationHead, AxisKeywords)
{
    // Pixel axes clear the observation keywords.
    auto a = observed("a.ff", {{"OBSDEC", "41"}, {"DEC", "41"}, {"TIMEESH", "0.3"}, {"NUT-RA", "0.02"}}, 500, 0.05);
    auto b = observed("b.ff");
    ProbeRun pixels({a.get(), b.get()}, overlay(14));
    ASSERT_TRUE(pixels.ok);
    std::string texts;
    for (const char* id : {"CTYPE1", "CDELT1", "CRVAL1", "DEC", "OBSDEC", "TIMEESH", "TIMEWSH", "NUT-RA"})
        texts += pixels.out().GetText(id) + " ";
    EXPECT_EQ(texts, "PIXELS 1 0 0.0 0.0 0.0 0.0 0.0 ");

    // Six significant digits would put 43200.05 at 43200.1, a whole sample off.
    auto c = observed("c.ff", {}, 43200.05, 0.05, 100), d = observed("d.ff", {}, 43200.0, 0.05, 100);
    ProbeRun time({c.get(), d.get()}, overlay());
    ASSERT_TRUE(time.ok);
    EXPECT_EQ(time.out().GetText("CRVAL1") + " " + time.out().GetText("CDELT1"), "43200.05 0.05");
    EXPECT_NEAR(time.out().OperationX(0), time.op.XStart(), 1e-9);
}

TEST(FFOperationHead, HistoryIsCutAt1022Characters)
{
    std::vector<std::unique_ptr<FFile>> files;
    std::vector<FFile*> operands;
    for (int k = 0; k < 100; ++k)
        operands.push_back((files.push_back(observed("abcdefghijklmnop.ff")), files.back().get()));
    ProbeRun run(operands, overlay(), "SUM");
    ASSERT_TRUE(run.ok);
    std::string expected = "SUM(abcdefghijkl";
    while (expected.size() < 1022)
        expected += ",abcdefghijkl";
    expected.resize(1022);
    EXPECT_EQ(run.out().GetText("HISTORY"), expected);
}
