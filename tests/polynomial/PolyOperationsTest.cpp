// Remove trend, Clip and Glue on view arrays, with the in-place commands
// that confirm and apply their results.

#include "FFPolyFit.h"
#include "FFPolyGlue.h"
#include "FFPolyTrend.h"
#include "PolyTuning.h"
#include "Reference.h"
#include "TestSupport.h"
#include "InPlaceCommands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// A record with its view arrays; marks given as a string, one character
// per sample ('.' unmarked, 's' selected, 'd' discarded).
struct Record {
    std::vector<float> data;
    ViewArrays view;

    explicit Record(std::vector<float> values) : data(std::move(values))
    {
        view.attach(data.data(), static_cast<int>(data.size()));
    }
    void mark(const std::string& marks)
    {
        for (std::size_t i = 0; i < marks.size() && i < view.marks.size(); ++i)
            view.marks[i] = marks[i] == 's' ? MarkSelected : marks[i] == 'd' ? MarkDiscarded : MarkNone;
    }
    std::string marks() const
    {
        std::string s;
        for (std::uint8_t m : view.marks)
            s += ".sdp"[m];
        return s;
    }
};

class PolyOperations : public ::testing::Test {
protected:
    void SetUp() override { resetTuning(); }
    void TearDown() override { resetTuning(); }
    static void resetTuning()
    {
        Tuning<ClipTuning>::reset();
        Tuning<GlueTuning>::reset();
        Tuning<TrendTuning>::reset();
        Tuning<ClipTuning>::setEditor(nullptr);
        Tuning<GlueTuning>::setEditor(nullptr);
        Tuning<TrendTuning>::setEditor(nullptr);
    }
    template <typename T>
    static void quietPower(int p)
    {
        Tuning<T>::current().power = p;
        Tuning<T>::current().quiet = true;
    }
    RecordMessages messages;
};

std::vector<float> line(int n, double a, double b)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<float>(a + b * i);
    return v;
}

}  // namespace

TEST_F(PolyOperations, InitialTuningValues)
{
    EXPECT_EQ(Tuning<ClipTuning>::current().power, 4);
    EXPECT_EQ(Tuning<GlueTuning>::current().power, 4);
    EXPECT_EQ(Tuning<TrendTuning>::current().power, 1);
    EXPECT_FALSE(Tuning<ClipTuning>::current().quiet);
    EXPECT_FALSE(Tuning<GlueTuning>::current().quiet);
    EXPECT_FALSE(Tuning<TrendTuning>::current().quiet);
    EXPECT_STREQ(ClipTuning::kTitle, "Clip tuning");
    EXPECT_STREQ(GlueTuning::kTitle, "Glue tuning");
    EXPECT_STREQ(TrendTuning::kTitle, "Remove Trend tuning");
}

TEST_F(PolyOperations, TrendOverTheWholeRecordIncludesDiscardedSamples)
{
    Record r(line(10, 3.0, 0.5));
    r.data[4] = 100;  // a discarded outlier still counts without a selection
    r.mark("....d.....");
    FFPolyTrend op(r.view);
    ASSERT_TRUE(op.Execute());
    EXPECT_TRUE(op.WholeRecord());
    EXPECT_EQ(r.marks(), "pppppppppp");
    // Reference: the least-squares line through all ten points.
    std::vector<double> x, y;
    for (int i = 0; i < 10; ++i) {
        x.push_back(i);
        y.push_back(r.data[i]);
    }
    const ref::Fit f = ref::fit(x, y, 1);
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(r.view.result[i], static_cast<double>(f(i)), 1e-5) << i;
}

TEST_F(PolyOperations, TrendThroughTheSelectionIsRemovedEverywhere)
{
    quietPower<TrendTuning>(1);
    Record r(line(12, 3.0, 0.5));
    r.data[10] = 50;  // not selected: changed by the trend but not fitted
    r.mark("ssss..ssss..");
    ASSERT_TRUE(RunRemoveTrend(r.view));
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(r.data[i], i == 10 ? 50 - 8.0 : 0.0, 1e-5) << i;
    EXPECT_EQ(r.marks(), "............");
    ASSERT_EQ(messages.recorder.entries.size(), 1u);
    EXPECT_EQ(messages.recorder.entries[0].kind, "ask");
    EXPECT_EQ(messages.recorder.entries[0].caption, "Complete");
    EXPECT_EQ(messages.recorder.entries[0].text, "Confirm data changes");
}

TEST_F(PolyOperations, PowerZeroTrendShiftsByTheMean)
{
    quietPower<TrendTuning>(0);
    Record r({1, 2, 6, 7});
    ASSERT_TRUE(RunRemoveTrend(r.view));
    EXPECT_EQ(r.data, (std::vector<float>{-3, -2, 2, 3}));
}

TEST_F(PolyOperations, TooFewPointsForThePower)
{
    struct Case {
        const char* name;
        int power;
        int n;
        bool ok;
    } cases[] = {{"power 9, 20 points", 9, 20, true}, {"power 9, 19 points", 9, 19, false},
                 {"power 0, 2 points", 0, 2, true},   {"power 0, 1 point", 0, 1, false}};
    for (const Case& c : cases) {
        messages.recorder.clear();
        quietPower<TrendTuning>(c.power);
        Record r(line(c.n, 1, 1));
        FFPolyTrend op(r.view);
        EXPECT_EQ(op.Execute(), c.ok) << c.name;
        if (!c.ok) {
            EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyTrend: not enough data"}) << c.name;
        }
    }
}

TEST_F(PolyOperations, ExecuteTwiceIsRefused)
{
    quietPower<TrendTuning>(1);
    quietPower<ClipTuning>(0);
    quietPower<GlueTuning>(0);
    Record r(line(30, 0, 1));
    FFPolyTrend trend(r.view);
    EXPECT_TRUE(trend.Execute());
    EXPECT_FALSE(trend.Execute());
    r.mark("sssssdddssssssssssss");
    FFPolyFit clip(r.view);
    EXPECT_TRUE(clip.Execute());
    EXPECT_FALSE(clip.Execute());
    r.mark("sssssdddssssssssssss");
    FFPolyGlue glue(r.view);
    EXPECT_TRUE(glue.Execute());
    EXPECT_FALSE(glue.Execute());
    EXPECT_EQ(messages.errors(),
              (std::vector<std::string>{"FFPolyTrend: can't execute twice", "FFPolyFit: can't execute twice",
                                        "FFPolyGlue: can't execute twice"}));
}

TEST_F(PolyOperations, TuningDialogShowsUnlessQuietAndCancelIsSilent)
{
    int shown = 0;
    Tuning<TrendTuning>::setEditor([&](TrendTuning& t) {
        ++shown;
        t.power = 0;
        return false;  // Cancel
    });
    Record r(line(10, 0, 1));
    FFPolyTrend cancelled(r.view);
    EXPECT_FALSE(cancelled.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Tuning<TrendTuning>::current().power, 1);
    EXPECT_TRUE(messages.recorder.entries.empty());

    // An out-of-range power is clamped to 9 before it is used.
    Tuning<TrendTuning>::current().power = 12;
    Tuning<TrendTuning>::current().quiet = true;
    FFPolyTrend quiet(r.view);
    EXPECT_FALSE(quiet.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyTrend: not enough data"});
}

TEST_F(PolyOperations, ClipReplacesOnlyDiscardedSamples)
{
    quietPower<ClipTuning>(0);
    Record r({1, 2, 3, 50, 60, 4, 9, 9});
    r.mark("sssdds..");
    FFPolyFit op(r.view);
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(r.marks(), "...pp...");
    EXPECT_FLOAT_EQ(r.view.result[3], 2.5f);
    EXPECT_FLOAT_EQ(r.view.result[4], 2.5f);
}

TEST_F(PolyOperations, ClipChecksMarksBeforeTheDialogAndCountAfterIt)
{
    int shown = 0;
    Tuning<ClipTuning>::setEditor([&](ClipTuning&) { return ++shown, true; });
    struct Case {
        const char* marks;
        std::string error;
        int dialogs;
    } cases[] = {
        {"ssssssssssss", "FFPolyFit: no data selected or discarded", 0},
        {"dddddddddddd", "FFPolyFit: no data selected or discarded", 0},
        {"sssssssssddd", "FFPolyFit: not enough data", 1},  // power 4 needs 10
        {"ssssssssssdd", "", 1},
    };
    for (const Case& c : cases) {
        messages.recorder.clear();
        shown = 0;
        Record r(line(12, 0, 1));
        r.mark(c.marks);
        FFPolyFit op(r.view);
        EXPECT_EQ(op.Execute(), c.error.empty()) << c.marks;
        EXPECT_EQ(messages.errors(), c.error.empty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{c.error})
            << c.marks;
        EXPECT_EQ(shown, c.dialogs) << c.marks;
    }
}

TEST_F(PolyOperations, ClipCommandCancelRestoresMarksAndSamples)
{
    quietPower<ClipTuning>(1);
    Record r(line(10, 0, 1));
    r.data[5] = 99;
    r.mark("sssssdssss");
    const std::vector<float> before = r.data;
    messages.recorder.answers = {Answer::Cancel};
    EXPECT_FALSE(RunClip(r.view));
    EXPECT_EQ(r.data, before);
    EXPECT_EQ(r.marks(), "sssssdssss");
    messages.recorder.answers = {Answer::Ok};
    EXPECT_TRUE(RunClip(r.view));
    EXPECT_NEAR(r.data[5], 5.0f, 1e-5);
    EXPECT_EQ(r.marks(), "..........");
}

// A smooth signal of size ~10 around index 10 000, a 100-sample gap between
// two stretches of 300 selected samples, power 4: the gap is filled with the
// well-conditioned least-squares polynomial.
TEST_F(PolyOperations, ClipFarFromTheOriginFillsTheGapSoundly)
{
    quietPower<ClipTuning>(4);
    const int n = 10500;
    std::vector<float> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = static_cast<float>(10.0 * std::sin(i / 200.0) + 0.5 * std::sin(i / 3.0));
    Record r(v);
    r.view.markRange(9700, 9999, MarkSelected);
    r.view.markRange(10000, 10099, MarkDiscarded);
    r.view.markRange(10100, 10399, MarkSelected);
    std::vector<double> x, y;
    for (int i = 9700; i < 10400; ++i)
        if (i < 10000 || i >= 10100) {
            x.push_back(i);
            y.push_back(v[i]);
        }
    const ref::Fit f = ref::fit(x, y, 4);
    ASSERT_TRUE(RunClip(r.view));
    for (int i = 10000; i < 10100; ++i)
        EXPECT_NEAR(r.data[i], static_cast<double>(f(i)), 1e-5) << i;
    EXPECT_EQ(r.data[9999], v[9999]);
    EXPECT_EQ(r.data[10100], v[10100]);
}

TEST_F(PolyOperations, NonFiniteSelectionIsRefusedAndNothingChanges)
{
    quietPower<ClipTuning>(1);
    quietPower<TrendTuning>(1);
    quietPower<GlueTuning>(0);
    Record r(line(20, 0, 1));
    r.data[2] = NAN;
    const std::string marks = "sssssdddsssssddsssss";
    r.mark(marks);
    EXPECT_FALSE(RunClip(r.view));
    EXPECT_FALSE(RunRemoveTrend(r.view));
    EXPECT_FALSE(RunGlue(r.view));
    EXPECT_EQ(messages.errors(),
              (std::vector<std::string>{"FFPolyFit: singular or degenerate fit, data left unchanged",
                                        "FFPolyTrend: singular or degenerate fit, data left unchanged",
                                        "FFPolyGlue: singular or degenerate fit, data left unchanged"}));
    EXPECT_EQ(r.marks(), marks);
    for (int i = 0; i < 20; ++i)
        if (i != 2) {
            EXPECT_EQ(r.data[i], static_cast<float>(i));
        }
    EXPECT_TRUE(std::isnan(r.data[2]));
}

TEST_F(PolyOperations, ExtrapolationBeyondSinglePrecisionIsRefused)
{
    // A steep power-9 polynomial through ten samples grows beyond the
    // float range two million samples away.
    quietPower<TrendTuning>(9);
    const int n = 2000000;
    std::vector<float> v(n, 0.0f);
    for (int i = 0; i < 20; ++i)
        v[i] = static_cast<float>(std::pow(i / 2.0, 9) * 1e3);
    Record r(v);
    r.view.markRange(0, 19, MarkSelected);
    EXPECT_FALSE(RunRemoveTrend(r.view));
    EXPECT_EQ(messages.errors(),
              std::vector<std::string>{"FFPolyTrend: singular or degenerate fit, data left unchanged"});
    EXPECT_EQ(r.data, v);
    EXPECT_TRUE(r.view.hasMark(MarkSelected));
    EXPECT_FALSE(r.view.hasMark(MarkPending));
}
