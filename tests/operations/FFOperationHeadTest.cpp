// The output head: merging, observation keywords, axis, HISTORY, QControl.

#include "ProbeOperation.h"
#include "ScanBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string kAssembleFailed = "FFOperation: can't assemble output FFile head";

ScanRecipe observed(const char* name, std::vector<std::pair<std::string, std::string>> extra)
{
    return recipe(ramp(10), 1.0, 0.0, name, std::move(extra));
}

std::string headText(const FHead& head)
{
    std::string out;
    for (int i = 0; i < head.EntryCount(); ++i)
        out += head.EntryAt(i).GetID() + "=" + head.EntryAt(i).GetValue() + "\n";
    return out;
}

}  // namespace

TEST(FFOperationHead, WorkedExampleHeadModeZero)
{
    RecordMessages rec;
    auto a = makeScan(observed("dir/scan1.ff", {{"OBJECT", "M31"},
                                                {"HISTORY", "OLD"},
                                                {"OBSDEC", "41.2"},
                                                {"DEC", "41.25"},
                                                {"TIMEESH", "0.3"},
                                                {"TIMEWSH", "0.1"},
                                                {"NUT-RA", "0.02"},
                                                {"TAU", "0.5"}}));
    auto b = makeScan(observed("scan2.ff", {{"OBJECT", "M 31"}, {"DEC", "41.2503"}}));
    auto c = makeScan(observed("scan3.ff", {{"DEC", "41.2496"}}));
    OperandList ops{a.get(), b.get(), c.get()};
    OverlayTuning t = overlay();
    ProbeOperation op(ops.list, &t, "LINCOMB");
    ASSERT_TRUE(op.Execute());
    EXPECT_TRUE(rec.errors().empty());
    // Non-critical entries in the active head's order (HISTORY replaced in
    // place), then BITPIX/NAXIS, the observation keywords, the axis keywords.
    EXPECT_EQ(headText(*op.OutputFile()),
              "SIMPLE=T\n"
              "NAXIS=1\n"
              "OBJECT=M31\n"
              "HISTORY=LINCOMB(scan1,scan2,scan3)\n"
              "TAU=0.5\n"
              "BITPIX=-32\n"
              "DEC=41.25\n"
              "OBSDEC=41.2\n"
              "TIMEESH=0.1\n"
              "TIMEWSH=-0.1\n"
              "NUT-RA=0.0\n"
              "NAXIS1=10\n"
              "CTYPE1=TIME\n"
              "CRVAL1=0\n"
              "CRPIX1=1.0\n"
              "CDELT1=1\n"
              "BUNIT=K\n"
              "BSCALE=1.0\n"
              "BZERO=0.0\n");
}

TEST(FFOperationHead, HeadModeOneKeepsOnlyEqualTexts)
{
    RecordMessages rec;
    auto a = makeScan(observed("a.ff", {{"OBJECT", "M31"}, {"TAU", "0.5"}, {"OBSERVER", "X"}}));
    auto b = makeScan(observed("b.ff", {{"OBJECT", "M 31"}, {"TAU", "0.5"}}));
    OperandList ops{a.get(), b.get()};
    OverlayTuning t = overlay(6, 1);
    ProbeOperation op(ops.list, &t);
    ASSERT_TRUE(op.Execute());
    const FFile& out = *op.OutputFile();
    EXPECT_FALSE(out.Has("OBJECT"));
    EXPECT_FALSE(out.Has("OBSERVER"));
    EXPECT_EQ(out.GetText("TAU"), "0.5");
    EXPECT_EQ(out.GetText("SIMPLE"), "T");
    EXPECT_TRUE(rec.errors().empty());
}

TEST(FFOperationHead, HeadsThatCantBeAssembled)
{
    struct Case {
        int headMode;
        const char* simple;
        std::vector<std::string> errors;
    } cases[] = {
        {1, "F",
         {"FHead: missing critical parameter SIMPLE", "FFOperation: output FFile head hasn't passed QControl",
          kAssembleFailed}},
        {2, "T", {"FFOperation: unhandled head merging mode", kAssembleFailed}},
    };
    for (const Case& c : cases) {
        RecordMessages rec;
        auto a = makeScan(observed("a.ff", {})), b = makeScan(observed("b.ff", {}));
        b->SetText("SIMPLE", c.simple);
        OperandList ops{a.get(), b.get()};
        OverlayTuning t = overlay(6, c.headMode);
        ProbeOperation op(ops.list, &t);
        EXPECT_FALSE(op.Execute());
        EXPECT_EQ(rec.errors(), c.errors);
    }
}

TEST(FFOperationHead, Declinations)
{
    struct Case {
        const char* other;
        bool check;
        std::vector<std::string> errors;
    } cases[] = {
        {"30.0005", true, {}},
        {"30.0007", false, {}},
        {"30.0007", true, {"FFOperation: nonequal declinations", kAssembleFailed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.other) + (c.check ? " checked" : ""));
        RecordMessages rec;
        auto a = makeScan(observed("a.ff", {{"DEC", "30.0000"}}));
        auto b = makeScan(observed("b.ff", {{"DEC", c.other}}));
        OperandList ops{a.get(), b.get()};
        OverlayTuning t = overlay(6, 0, c.check);
        ProbeOperation op(ops.list, &t);
        EXPECT_EQ(op.Execute(), c.errors.empty());
        EXPECT_EQ(rec.errors(), c.errors);
        if (c.errors.empty()) {
            EXPECT_EQ(op.OutputFile()->GetText("DEC"), "30.0000");
        }
    }
}

TEST(FFOperationHead, ObservationOffsets)
{
    struct Case {
        const char* what;
        int flags;
        bool keep;
        const char *east, *west, *nutation;
    } cases[] = {
        {"offsets re-centred", 6, false, "0.1", "-0.1", "0.0"},
        {"kept where left out of X", 6, true, "0.3", "0.1", "0.02"},
        {"horn shifts applied to X", 4, true, "0.1", "-0.1", "0.02"},
        {"nutation applied to X", 2, true, "0.3", "0.1", "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto a = makeScan(observed("a.ff", {{"TIMEESH", "0.3"}, {"TIMEWSH", "0.1"}, {"NUT-RA", "0.02"}}));
        auto b = makeScan(observed("b.ff", {}));
        OperandList ops{a.get(), b.get()};
        OverlayTuning t = overlay(c.flags, 0, false, c.keep);
        ProbeOperation op(ops.list, &t);
        ASSERT_TRUE(op.Execute());
        EXPECT_EQ(op.OutputFile()->GetText("TIMEESH"), c.east);
        EXPECT_EQ(op.OutputFile()->GetText("TIMEWSH"), c.west);
        EXPECT_EQ(op.OutputFile()->GetText("NUT-RA"), c.nutation);
    }
}

TEST(FFOperationHead, PixelAxesClearTheObservationKeywords)
{
    ScanRecipe sa = observed("a.ff", {{"OBSDEC", "41"}, {"DEC", "41"}, {"TIMEESH", "0.3"}, {"NUT-RA", "0.02"}});
    sa.crval = 500;
    sa.cdelt = 0.05;
    auto a = makeScan(sa);
    auto b = makeScan(observed("b.ff", {}));
    OperandList ops{a.get(), b.get()};
    OverlayTuning t = overlay(14);
    ProbeOperation op(ops.list, &t);
    ASSERT_TRUE(op.Execute());
    const FFile& out = *op.OutputFile();
    EXPECT_EQ(out.GetText("CTYPE1"), "PIXELS");
    EXPECT_EQ(out.GetText("CDELT1"), "1");
    EXPECT_EQ(out.GetText("CRVAL1"), "0");
    for (const char* id : {"DEC", "OBSDEC", "TIMEESH", "TIMEWSH", "NUT-RA"})
        EXPECT_EQ(out.GetText(id), "0.0") << id;
}

TEST(FFOperationHead, GridOriginKeepsTheDigitsItNeeds)
{
    // Six significant digits would put 43200.05 at 43200.1, a whole sample off.
    ScanRecipe sa = observed("a.ff", {});
    sa.crval = 43200.05;
    sa.cdelt = 0.05;
    sa.samples = ramp(100);
    ScanRecipe sb = sa;
    sb.crval = 43200.0;
    auto a = makeScan(sa), b = makeScan(sb);
    OperandList ops{a.get(), b.get()};
    OverlayTuning t = overlay();
    ProbeOperation op(ops.list, &t);
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(op.OutputFile()->GetText("CRVAL1"), "43200.05");
    EXPECT_EQ(op.OutputFile()->GetText("CDELT1"), "0.05");
    EXPECT_NEAR(op.OutputFile()->OperationX(0), op.XStart(), 1e-9);
}

TEST(FFOperationHead, HistoryIsCutAt1022Characters)
{
    std::vector<std::unique_ptr<FFile>> files;
    FFList caller;
    for (int k = 0; k < 100; ++k) {
        files.push_back(makeScan(observed("abcdefghijklmnop.ff", {})));
        caller.Add(files.back().get());
    }
    ASSERT_TRUE(caller.SetActive(files.front().get()));
    OverlayTuning t = overlay();
    ProbeOperation op(caller, &t, "SUM");
    ASSERT_TRUE(op.Execute());
    std::string expected = "SUM(abcdefghijkl";
    while (expected.size() < 1022)
        expected += ",abcdefghijkl";
    expected.resize(1022);
    EXPECT_EQ(op.OutputFile()->GetText("HISTORY"), expected);
}
