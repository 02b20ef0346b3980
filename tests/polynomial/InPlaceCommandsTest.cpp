#include "FFile.h"
#include "InPlaceCommands.h"
#include "MarkedRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Doc {
    std::unique_ptr<FFile> file;
    ViewArrays view;
    explicit Doc(std::vector<float> v, const std::string& marks = "")
    {
        file = makeScan(recipe(std::move(v), 0.5, 3600, "a.ff", {{"HISTORY", "OLD"}}));
        view.attach(file->Data(), file->Count());
        setMarks(view, marks);
    }
};

class InPlaceCommands : public PolyFixture {
protected:
    std::vector<std::string> infos() const
    {
        std::vector<std::string> out;
        for (const auto& e : messages.recorder.entries)
            if (e.kind == "info")
                out.push_back(e.caption + "|" + e.text);
        return out;
    }
};

}  // namespace

TEST_F(InPlaceCommands, RmsTexts)
{
    struct Case { std::vector<float> values; const char* marks; std::string text; } cases[] = {
        // sqrt(5 / sqrt(12)) = 1.201405...
        {{1, 2, 3, 4}, "", "r.m.s. = 1.20141 K\n(for whole data)"},
        {{9, 1, 2, 3, 4, 9}, ".ssss.", "r.m.s. = 1.20141 K\n(for selected data)"},
        // Without a selection the discarded samples count: mean 22, squares 7610.
        {{1, 2, 3, 4, 100}, "....d", "r.m.s. = 41.251 K\n(for whole data)"},
        // Two samples: sqrt(2 / sqrt(2)) for values 0 and 2.
        {{0, 2}, "", "r.m.s. = 1.18921 K\n(for whole data)"},
        // A constant record has no spread whatever its level.
        {std::vector<float>(100, 1000.0f), "", "r.m.s. = 0 K\n(for whole data)"},
        {{1, 2, 3}, ".s.", ""},
        {{1}, "", ""},
    };
    for (const Case& c : cases) {
        messages.recorder.clear();
        Doc d(c.values, c.marks);
        EXPECT_EQ(CalcRms(d.view, *d.file), !c.text.empty());
        EXPECT_EQ(c.text.empty() ? messages.errors() : infos(),
                  std::vector<std::string>{c.text.empty() ? "FFView: too little data selected" : "Calc|" + c.text});
    }
}

TEST_F(InPlaceCommands, AreaUnderTheClipBaselineLeavesMarksAsTheyWere)
{
    quietPower<ClipTuning>(0);
    Doc d({1, 1, 3, 5, 3, 1, 1, 7}, "ssdddss.");
    const std::vector<std::uint8_t> before = d.view.marks;
    ASSERT_TRUE(CalcArea(d.view, *d.file));
    // (2 + 4 + 2) above the baseline of 1, times 0.5 s per sample.
    EXPECT_EQ(infos(), std::vector<std::string>{"Calc|Area =  4  K * SEC"});
    EXPECT_EQ(d.view.marks, before);
    EXPECT_EQ(d.file->Data()[3], 5.0f);
    // Without a selection the Clip message shows and the marks stay.
    d.view.clearMarks(), setMarks(d.view, "..ddd...");
    EXPECT_FALSE(CalcArea(d.view, *d.file));
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyFit: no data selected or discarded"});
    EXPECT_EQ(d.view.marks[2], MarkDiscarded);
}

TEST_F(InPlaceCommands, CopyTakesTheSelectedStretchOrTheWholeRecord)
{
    FFile::ResetNameCounter(0);
    Doc d(ramp(20, 0, 1), "..........ss.s");  // the unselected 12 comes along
    std::unique_ptr<FFile> copy = CopySelection(d.view, *d.file);
    ASSERT_TRUE(copy);
    EXPECT_EQ(samplesOf(*copy), (std::vector<float>{10, 11, 12, 13}));
    EXPECT_EQ(copy->GetText("NAXIS1"), "4");
    EXPECT_EQ(copy->GetReal("CRVAL1"), 3605.0);  // 3600 s + 10 samples of 0.5 s
    EXPECT_EQ(copy->GetText("HISTORY"), "COPY(a)");

    d.view.clearMarks(), setMarks(d.view, ".sss");
    EXPECT_FALSE(CopySelection(d.view, *d.file));
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"Selection is too small"});
    d.view.clearMarks();
    copy = CopySelection(d.view, *d.file);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->HeaderBytes(), d.file->HeaderBytes());
    EXPECT_EQ(std::vector<float>(copy->Data(), copy->Data() + 20), ramp(20, 0, 1));
}

TEST(CopyOrigin, EverySampleKeepsItsCoordinate)
{
    const struct { double crval, cdelt; int first; } cases[] = {
        {43917.0, 0.05, 19},  {43200.0, 0.001, 75}, {0.0, 0.5, 10},     {86000.5, 1e-4, 12345},
        {-100.0, 0.3, 7},     {1e6, 0.02, 3},       {3.25, -0.01, 40},  {1.420e9, 1e3, 999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        std::unique_ptr<FFile> file = makeScan(recipe(ramp(c.first + 10, 0, 1), c.cdelt, c.crval, "src.ff"));
        ViewArrays view;
        view.attach(file->Data(), file->Count()), view.markRange(c.first, c.first + 4, MarkSelected);
        std::unique_ptr<FFile> copy = CopySelection(view, *file);
        ASSERT_TRUE(copy && copy->Count() == 5);
        for (int i = 0; i < 5; ++i) {  // against the coordinate in long double
            const long double want = static_cast<long double>(c.crval) + static_cast<long double>(c.cdelt) * (c.first + i);
            EXPECT_LE(std::fabs(static_cast<double>(copy->DisplayX(i) - want)), 1e-6 * std::fabs(c.cdelt)) << i;
        }
        EXPECT_EQ(copy->GetText("HISTORY"), "COPY(src)");
    }
}
