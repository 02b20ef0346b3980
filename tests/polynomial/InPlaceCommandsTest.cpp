// RMS, Area and Copy on a record read from F-file bytes.

#include "FFile.h"
#include "PolyTuning.h"
#include "TestSupport.h"
#include "InPlaceCommands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ffBytes(const std::vector<float>& v, const std::string& extra = "")
{
    std::string head = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=" + std::to_string(v.size()) +
                       "\nCTYPE1=TIME\nCRVAL1=3600\nCDELT1=0.5\nBUNIT=K\n" + extra + "END\n";
    std::string data(v.size() * 4, '\0');
    std::memcpy(data.data(), v.data(), data.size());
    return head + data;
}

struct Doc {
    FFile file;
    ViewArrays view;
    explicit Doc(const std::vector<float>& v, const std::string& extra = "")
    {
        EXPECT_TRUE(file.ReadFromBytes(ffBytes(v, extra), "a.ff"));
        view.attach(file.Data(), file.Count());
    }
};

class ViewCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        Tuning<ClipTuning>::reset();
        Tuning<ClipTuning>::setEditor(nullptr);
    }
    void TearDown() override { SetUp(); }
    std::vector<std::string> infos() const
    {
        std::vector<std::string> out;
        for (const auto& e : messages.recorder.entries)
            if (e.kind == "info")
                out.push_back(e.caption + "|" + e.text);
        return out;
    }
    RecordMessages messages;
};

}  // namespace

TEST_F(ViewCommands, RmsTexts)
{
    struct Case {
        std::vector<float> values;
        std::vector<std::pair<int, int>> selected;
        std::string text;  // "" for the error
    } cases[] = {
        // sqrt(5 / sqrt(12)) = 1.201405...
        {{1, 2, 3, 4}, {}, "r.m.s. = 1.20141 K\n(for whole data)"},
        {{9, 1, 2, 3, 4, 9}, {{1, 4}}, "r.m.s. = 1.20141 K\n(for selected data)"},
        // Two samples: sqrt(2 / sqrt(2)) for values 0 and 2.
        {{0, 2}, {}, "r.m.s. = 1.18921 K\n(for whole data)"},
        // A constant record has no spread whatever its level.
        {std::vector<float>(100, 1000.0f), {}, "r.m.s. = 0 K\n(for whole data)"},
        {{1, 2, 3}, {{1, 1}}, ""},
        {{1}, {}, ""},
    };
    for (const Case& c : cases) {
        messages.recorder.clear();
        Doc d(c.values);
        for (auto [a, b] : c.selected)
            d.view.markRange(a, b, MarkSelected);
        EXPECT_EQ(CalcRms(d.view, d.file), !c.text.empty());
        if (c.text.empty()) {
            EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFView: too little data selected"});
        } else {
            EXPECT_EQ(infos(), std::vector<std::string>{"Calc|" + c.text});
        }
    }
}

TEST_F(ViewCommands, RmsCountsDiscardedSamplesOnlyWithoutASelection)
{
    Doc d({1, 2, 3, 4, 100});
    d.view.markRange(4, 4, MarkDiscarded);
    ASSERT_TRUE(CalcRms(d.view, d.file));
    EXPECT_NE(infos()[0], "Calc|r.m.s. = 1.20141 K\n(for whole data)");
    d.view.markRange(0, 3, MarkSelected);
    ASSERT_TRUE(CalcRms(d.view, d.file));
    EXPECT_EQ(infos()[1], "Calc|r.m.s. = 1.20141 K\n(for selected data)");
}

TEST_F(ViewCommands, AreaUnderTheClipBaselineLeavesMarksAsTheyWere)
{
    Tuning<ClipTuning>::current().power = 0;
    Tuning<ClipTuning>::current().quiet = true;
    Doc d({1, 1, 3, 5, 3, 1, 1, 7});
    d.view.markRange(0, 1, MarkSelected);
    d.view.markRange(2, 4, MarkDiscarded);
    d.view.markRange(5, 6, MarkSelected);
    const std::vector<std::uint8_t> before = d.view.marks;
    ASSERT_TRUE(CalcArea(d.view, d.file));
    // (2 + 4 + 2) samples above the baseline of 1, times 0.5 s per sample.
    EXPECT_EQ(infos(), std::vector<std::string>{"Calc|Area =  4  K * SEC"});
    EXPECT_EQ(d.view.marks, before);
    EXPECT_EQ(d.file.Data()[3], 5.0f);
}

TEST_F(ViewCommands, AreaFailureShowsTheClipMessage)
{
    Doc d({1, 1, 3, 5});
    d.view.markRange(2, 3, MarkDiscarded);
    const std::vector<std::uint8_t> before = d.view.marks;
    EXPECT_FALSE(CalcArea(d.view, d.file));
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyFit: no data selected or discarded"});
    EXPECT_EQ(d.view.marks, before);
}

TEST_F(ViewCommands, CopyOfASelectionKeepsCoordinates)
{
    FFile::ResetNameCounter(0);
    std::vector<float> v(20);
    for (int i = 0; i < 20; ++i)
        v[i] = static_cast<float>(i);
    Doc d(v, "HISTORY=OLD\n");
    d.view.markRange(10, 11, MarkSelected);
    d.view.markRange(13, 13, MarkSelected);  // the unselected 12 comes along
    std::unique_ptr<FFile> copy = CopySelection(d.view, d.file);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Count(), 4);
    EXPECT_EQ(copy->GetText("NAXIS1"), "4");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(copy->Data()[i], 10.0f + i);
    EXPECT_EQ(copy->GetReal("CRVAL1"), 3605.0);
    EXPECT_EQ(copy->GetText("HISTORY"), "COPY(new000.ff)");
    EXPECT_EQ(copy->GetShortName(), "new000.ff");
    EXPECT_DOUBLE_EQ(copy->DisplayX(0), d.file.DisplayX(10));
    EXPECT_EQ(d.file.Count(), 20);
}

TEST_F(ViewCommands, CopyRefusesShortSelectionsAndCopiesWholeRecords)
{
    FFile::ResetNameCounter(5);
    Doc d({1, 2, 3, 4, 5, 6});
    d.view.markRange(1, 3, MarkSelected);
    EXPECT_FALSE(CopySelection(d.view, d.file));
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"Selection is too small"});
    d.view.clearMarks();
    std::unique_ptr<FFile> copy = CopySelection(d.view, d.file);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetShortName(), "new005.ff");
    EXPECT_EQ(copy->HeaderBytes(), d.file.HeaderBytes());
    EXPECT_EQ(std::vector<float>(copy->Data(), copy->Data() + 6), (std::vector<float>{1, 2, 3, 4, 5, 6}));
}

TEST(ApplyResult, ReplaceAndSubtractOnlyPendingSamples)
{
    std::vector<float> a = {10, 20, 30}, b = a;
    for (auto [data, mode, expected] :
         {std::tuple{&a, ApplyMode::Replace, std::vector<float>{1, 20, 3}},
          std::tuple{&b, ApplyMode::Subtract, std::vector<float>{9, 20, 27}}}) {
        ViewArrays v;
        v.attach(data->data(), 3);
        v.result = {1, 2, 3};
        v.marks = {MarkPending, MarkSelected, MarkPending};
        ApplyResult(v, mode);
        EXPECT_EQ(*data, expected);
        EXPECT_FALSE(v.hasMark(MarkPending) || v.hasMark(MarkSelected));
    }
}
