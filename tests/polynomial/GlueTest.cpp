#include "FFPolyGlue.h"
#include "InPlaceCommands.h"
#include "MarkedRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string levels(const FFPolyGlue& g)
{
    std::string s;
    for (const MarkRun& run : g.Runs())
        s += std::string(run.last - run.first + 1, run.step ? 'S' : static_cast<char>('0' + run.level));
    return s;
}

using Glue = PolyFixture;

}  // namespace

// Steps are found before the tuning dialog (cancelled here) shows.
TEST_F(Glue, StepFindingAndLevels)
{
    int shown = 0;
    Tuning<GlueTuning>::setEditor([&](GlueTuning&) { return ++shown, false; });
    struct Case { const char* marks; const char* levels; const char* after; const char* error; } cases[] = {
        {"ssddss", "00SS11", "ssddss", ""},
        {"ssdsssdss", "00S111S00", "ssdsssdss", ""},
        {"ss..dd..ss", "0000SS1111", "ss..dd..ss", ""},  // unmarked runs do not prevent a step
        {"ddssdss", "0000S11", "..ssdss", ""},            // at the start: not a step, cleared
        {"ssdssdd", "00S1111", "ssdss..", ""},            // at the end: not a step, cleared
        {"ssdd.ddss", "", "ssdd.ddss", "FFPolyGlue: no step specified"},
        {"ssd.dss", "", "ssd.dss", "FFPolyGlue: no step specified"},
        {"ssddssdd.dss", "00SS11111111", "ssddss....ss", ""},  // discarded on both sides
        {"ssssss", "", "ssssss", "FFPolyGlue: no data selected and/or discarded"},
        {"dd..dd", "", "dd..dd", "FFPolyGlue: no data selected and/or discarded"},
    };
    for (const Case& c : cases) {
        messages.recorder.clear(), shown = 0;
        MarkedRecord m(std::vector<float>(std::string(c.marks).size(), 1.0f), c.marks);
        FFPolyGlue g(m.view);
        EXPECT_FALSE(g.Execute());
        const bool found = *c.levels != 0;
        EXPECT_EQ(shown, found ? 1 : 0) << c.marks;
        if (found) { EXPECT_EQ(levels(g), c.levels) << c.marks; }
        EXPECT_EQ(m.marks(), c.after) << c.marks;
        EXPECT_EQ(messages.errors(), errorList(c.error)) << c.marks;
    }
}

// The middle stretch lifted by 7, a wild sample in each step: the middle comes down, the steps are filled.
TEST_F(Glue, TwoStepsShiftOnlyTheMiddle)
{
    quietPower<GlueTuning>(1);
    const std::string marks = std::string(8, 's') + "dd" + std::string(8, 's') + "dd" + std::string(8, 's');
    MarkedRecord m(ramp(28, 0, 0.5), marks);
    for (int i = 8; i < 20; ++i)
        m.data[i] += 7.0f;
    m.data[9] = 100, m.data[18] = -100;
    std::string pending;
    ASSERT_TRUE(RunGlue(m.view, [&] { pending = m.marks(); }));
    EXPECT_EQ(pending, std::string(8, '.') + std::string(12, 'p') + std::string(8, '.'));
    EXPECT_EQ(messages.recorder.entries.back().text, "Confirm data changing");
    for (int i = 0; i < 28; ++i)
        EXPECT_NEAR(m.data[i], 0.5 * i, 1e-5) << i;
}

// Power 4 needs 12 per level; a failure gives back the marks the step search cleared.
TEST_F(Glue, EachLevelNeedsTwoPPlusFourSelectedSamples)
{
    for (auto [left, right] : {std::pair{12, 12}, {11, 12}, {12, 11}}) {
        messages.recorder.clear();
        const std::string marks = "dd" + std::string(left, 's') + "dd" + std::string(right, 's');
        MarkedRecord m(std::vector<float>(marks.size()), marks);
        for (std::size_t i = 0; i < m.data.size(); ++i) m.data[i] = static_cast<float>(i % 5);
        const bool ok = left == 12 && right == 12;
        EXPECT_EQ(RunGlue(m.view), ok) << left << "/" << right;
        EXPECT_EQ(messages.errors(), errorList(ok ? "" : "FFPolyGlue: not enough data"));
        if (!ok) { EXPECT_EQ(m.marks(), marks); }
    }
}
