#include "FFPolyGlue.h"
#include "InPlaceCommands.h"
#include "MarkedRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Levels per sample, with 'S' for a step sample.
std::string levels(const FFPolyGlue& g)
{
    std::string s;
    for (const MarkRun& run : g.Runs())
        for (int i = run.first; i <= run.last; ++i)
            s += run.step ? 'S' : static_cast<char>('0' + run.level);
    return s;
}

MarkedRecord flat(const std::string& marks) { return MarkedRecord(std::vector<float>(marks.size(), 1.0f), marks); }

using Glue = PolyFixture;

}  // namespace

TEST_F(Glue, StepFindingAndLevels)
{
    struct Case {
        const char* marks;
        const char* levels;   // "" when FindSteps fails
        const char* after;    // marks after FindSteps
        const char* error;
    } cases[] = {
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
        messages.recorder.clear();
        MarkedRecord m = flat(c.marks);
        FFPolyGlue g(m.view);
        const bool ok = g.FindSteps();
        EXPECT_EQ(ok, std::string(c.error).empty()) << c.marks;
        if (ok) {
            EXPECT_EQ(levels(g), c.levels) << c.marks;
        }
        EXPECT_EQ(m.marks(), c.after) << c.marks;
        EXPECT_EQ(messages.errors(),
                  std::string(c.error).empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error})
            << c.marks;
    }
}

// A slope of 0.5 per sample with the middle stretch lifted by 7 and a wild
// sample in each step: the middle comes down, the steps are filled.
TEST_F(Glue, TwoStepsShiftOnlyTheMiddle)
{
    quietPower<GlueTuning>(1);
    const std::string marks = std::string(8, 's') + "dd" + std::string(8, 's') + "dd" + std::string(8, 's');
    MarkedRecord m(ramp(28, 0, 0.5), marks);
    for (int i = 8; i < 20; ++i)
        m.data[i] += 7.0f;
    m.data[9] = 100;
    m.data[18] = -100;
    std::string pending;
    ASSERT_TRUE(RunGlue(m.view, [&] { pending = m.marks(); }));
    EXPECT_EQ(pending, std::string(8, '.') + std::string(12, 'p') + std::string(8, '.'));
    EXPECT_EQ(messages.recorder.entries.back().text, "Confirm data changing");
    for (int i = 0; i < 28; ++i)
        EXPECT_NEAR(m.data[i], 0.5 * i, 1e-5) << i;
}

TEST_F(Glue, EachLevelNeedsTwoPPlusFourSelectedSamples)
{
    // Power 4 needs 12 selected samples per level.
    struct Case {
        int left, right;
        bool ok;
    } cases[] = {{12, 12, true}, {11, 12, false}, {12, 11, false}};
    Tuning<GlueTuning>::current().quiet = true;
    for (const Case& c : cases) {
        messages.recorder.clear();
        const std::string marks = std::string(c.left, 's') + "dd" + std::string(c.right, 's');
        MarkedRecord m(std::vector<float>(marks.size()), marks);
        for (std::size_t i = 0; i < m.data.size(); ++i)
            m.data[i] = static_cast<float>(i % 5);
        FFPolyGlue g(m.view);
        EXPECT_EQ(g.Execute(), c.ok) << c.left << "/" << c.right;
        EXPECT_EQ(messages.errors().size(), c.ok ? 0u : 1u);
        if (!c.ok) {
            EXPECT_EQ(messages.errors()[0], "FFPolyGlue: not enough data");
        }
    }
    // A failure after the non-step runs were cleared gives their marks back.
    MarkedRecord m = flat("ddsssddsss");
    EXPECT_FALSE(RunGlue(m.view));
    EXPECT_EQ(m.marks(), "ddsssddsss");
}

TEST_F(Glue, StepsAreFoundBeforeTheDialog)
{
    int shown = 0;
    Tuning<GlueTuning>::setEditor([&](GlueTuning&) { return ++shown, false; });
    MarkedRecord none = flat("ssss"), some = flat("ssddss");
    EXPECT_FALSE(FFPolyGlue(none.view).Execute());
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(FFPolyGlue(some.view).Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyGlue: no data selected and/or discarded"});
}
