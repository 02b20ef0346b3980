#include "FFPolyFit.h"
#include "FFPolyGlue.h"
#include "FFPolyTrend.h"
#include "InPlaceCommands.h"
#include "MarkedRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using PolyOperations = PolyFixture;

TEST_F(PolyOperations, TrendOverTheWholeRecordIncludesDiscardedSamples)
{
    MarkedRecord r(ramp(10, 3.0, 0.5), "....d.....");
    r.data[4] = 100;  // a discarded outlier still counts without a selection
    quietPower<TrendTuning>(1);
    FFPolyTrend op(r.view);
    ASSERT_TRUE(op.Execute());
    EXPECT_TRUE(op.WholeRecord());
    EXPECT_EQ(r.marks(), "pppppppppp");
    // The outlier's excess of 95 lifts the line by 95/10 at the mean index
    // 4.5 and tilts it by 95·(4 − 4.5)/82.5, 82.5 being Σ(i − 4.5)².
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(r.view.result[i], 3 + 0.5 * i + 9.5 + 95 * -0.5 / 82.5 * (i - 4.5), 1e-5) << i;
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyTrend: can't execute twice"});
}

TEST_F(PolyOperations, TrendThroughTheSelectionIsRemovedEverywhere)
{
    quietPower<TrendTuning>(1);
    MarkedRecord r(ramp(12, 3.0, 0.5), "ssss..ssss..");
    r.data[10] = 50;  // not selected: changed by the trend but not fitted
    ASSERT_TRUE(RunRemoveTrend(r.view));
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(r.data[i], i == 10 ? 50 - 8.0 : 0.0, 1e-5) << i;
    EXPECT_EQ(r.marks(), "............");
    ASSERT_EQ(messages.recorder.entries.size(), 1u);
    const auto& e = messages.recorder.entries[0];
    EXPECT_EQ(e.kind + "|" + e.caption + "|" + e.text, "ask|Complete|Confirm data changes");
}

TEST_F(PolyOperations, TrendNeedsTwoPPlusTwoPoints)
{
    for (auto [power, n, ok] : {std::tuple{9, 20, true}, {9, 19, false}, {0, 2, true}, {0, 1, false}}) {
        messages.recorder.clear();
        quietPower<TrendTuning>(power);
        MarkedRecord r(ramp(n, 1, 1));
        EXPECT_EQ(FFPolyTrend(r.view).Execute(), ok) << power << "/" << n;
        EXPECT_EQ(messages.errors(), errorList(ok ? "" : "FFPolyTrend: not enough data"));
    }
}

TEST_F(PolyOperations, TuningDialogShowsUnlessQuietAndCancelIsSilent)
{
    EXPECT_EQ(Tuning<ClipTuning>::current().power, 4);
    EXPECT_EQ(Tuning<GlueTuning>::current().power, 4);
    int shown = 0;
    Tuning<TrendTuning>::setEditor([&](TrendTuning& t) { return ++shown, t.power = 0, false; });
    MarkedRecord r(ramp(10, 0, 1));
    EXPECT_FALSE(FFPolyTrend(r.view).Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Tuning<TrendTuning>::current().power, 1);
    EXPECT_TRUE(messages.recorder.entries.empty());
    // An out-of-range power is clamped to 9 before it is used.
    quietPower<TrendTuning>(12);
    EXPECT_FALSE(FFPolyTrend(r.view).Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyTrend: not enough data"});
}

// Clip checks the marks before its dialog and counts the fit points after it.
TEST_F(PolyOperations, ClipMarksDialogAndResult)
{
    int shown = 0;
    Tuning<ClipTuning>::setEditor([&](ClipTuning& t) { return ++shown, t.power = 0, true; });
    struct Case { const char* marks; std::string error; int dialogs; const char* after; } cases[] = {
        {"ssssssss", "FFPolyFit: no data selected or discarded", 0, "ssssssss"},
        {"dddddddd", "FFPolyFit: no data selected or discarded", 0, "dddddddd"},
        {"sddddddd", "FFPolyFit: not enough data", 1, "sddddddd"},  // power 0 needs 2
        {"sssdds..", "", 1, "...pp..."},
    };
    for (const Case& c : cases) {
        messages.recorder.clear(), shown = 0;
        MarkedRecord r({1, 2, 3, 50, 60, 4, 9, 9}, c.marks);
        EXPECT_EQ(FFPolyFit(r.view).Execute(), c.error.empty()) << c.marks;
        EXPECT_EQ(messages.errors(), errorList(c.error)) << c.marks;
        EXPECT_EQ(shown, c.dialogs) << c.marks;
        EXPECT_EQ(r.marks(), c.after) << c.marks;
        if (c.error.empty()) {
            EXPECT_TRUE(r.view.result[3] == 2.5f && r.view.result[4] == 2.5f); }  // mean of 1, 2, 3, 4
    }
}

TEST_F(PolyOperations, ClipCommandCancelRestoresMarksAndSamples)
{
    quietPower<ClipTuning>(1);
    MarkedRecord r(ramp(10, 0, 1), "sssssdssss");
    r.data[5] = 99;
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

TEST_F(PolyOperations, ExtrapolationBeyondSinglePrecisionIsRefused)
{
    // A steep power-9 fit grows beyond the float range two million samples away.
    quietPower<TrendTuning>(9);
    std::vector<float> v(2000000, 0.0f);
    for (int i = 0; i < 20; ++i)
        v[i] = static_cast<float>(std::pow(i / 2.0, 9) * 1e3);
    MarkedRecord r(v, std::string(20, 's'));
    EXPECT_FALSE(RunRemoveTrend(r.view));
    EXPECT_EQ(messages.errors(),
              std::vector<std::string>{"FFPolyTrend: singular or degenerate fit, data left unchanged"});
    EXPECT_EQ(r.data, v);
    EXPECT_EQ(r.marks().substr(0, 21), std::string(20, 's') + ".");
    EXPECT_FALSE(r.view.hasMark(MarkPending));
}
