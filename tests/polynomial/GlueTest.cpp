#include "FFPolyGlue.h"
#include "PolyTuning.h"
#include "TestSupport.h"
#include "InPlaceCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Marked {
    std::vector<float> data;
    ViewArrays view;
    explicit Marked(const std::string& marks, float value = 1.0f) : data(marks.size(), value)
    {
        view.attach(data.data(), static_cast<int>(data.size()));
        for (std::size_t i = 0; i < marks.size(); ++i)
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

// Levels per sample, with 'S' for a step sample.
std::string levels(const FFPolyGlue& g)
{
    std::string s;
    for (const MarkRun& run : g.Runs())
        for (int i = run.first; i <= run.last; ++i)
            s += run.step ? 'S' : static_cast<char>('0' + run.level);
    return s;
}

class Glue : public ::testing::Test {
protected:
    void SetUp() override
    {
        Tuning<GlueTuning>::reset();
        Tuning<GlueTuning>::setEditor(nullptr);
    }
    void TearDown() override { SetUp(); }
    RecordMessages messages;
};

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
        Marked m(c.marks);
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

TEST_F(Glue, PowerZeroExampleGluesTheRecordFlat)
{
    Tuning<GlueTuning>::current() = {};
    Tuning<GlueTuning>::current().power = 0;
    Tuning<GlueTuning>::current().quiet = true;
    Marked m(std::string(10, 's') + "ddd" + std::string(10, 's'), 5.0f);
    for (int i = 13; i < 23; ++i)
        m.data[i] = 15.0f;
    m.data[11] = 40.0f;  // the jump itself
    FFPolyGlue g(m.view);
    ASSERT_TRUE(g.Execute());
    EXPECT_DOUBLE_EQ(g.Fitted().d0, 5.0);
    EXPECT_DOUBLE_EQ(g.Fitted().d1, 15.0);
    EXPECT_DOUBLE_EQ(g.StepHeight(), 10.0);
    EXPECT_EQ(m.marks(), std::string(10, '.') + std::string(13, 'p'));
    m.view.marks.assign(23, MarkNone);
    Marked again(std::string(10, 's') + "ddd" + std::string(10, 's'), 5.0f);
    for (int i = 13; i < 23; ++i)
        again.data[i] = 15.0f;
    ASSERT_TRUE(RunGlue(again.view));
    EXPECT_EQ(again.data, std::vector<float>(23, 5.0f));
    EXPECT_EQ(messages.recorder.entries.back().text, "Confirm data changing");
}

TEST_F(Glue, TwoStepsShiftOnlyTheMiddle)
{
    Tuning<GlueTuning>::current().power = 1;
    Tuning<GlueTuning>::current().quiet = true;
    // A slope of 0.5 per sample; the middle stretch lifted by 7.
    const std::string marks = std::string(8, 's') + "dd" + std::string(8, 's') + "dd" + std::string(8, 's');
    Marked m(marks);
    for (int i = 0; i < 28; ++i)
        m.data[i] = static_cast<float>(0.5 * i + (i >= 8 && i < 20 ? 7.0 : 0.0));
    m.data[9] = 100;
    m.data[18] = -100;
    ASSERT_TRUE(RunGlue(m.view));
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
    for (const Case& c : cases) {
        messages.recorder.clear();
        Tuning<GlueTuning>::current().quiet = true;
        Marked m(std::string(c.left, 's') + "dd" + std::string(c.right, 's'));
        for (std::size_t i = 0; i < m.data.size(); ++i)
            m.data[i] = static_cast<float>(i % 5);
        FFPolyGlue g(m.view);
        EXPECT_EQ(g.Execute(), c.ok) << c.left << "/" << c.right;
        if (!c.ok) {
            EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyGlue: not enough data"});
        }
    }
}

TEST_F(Glue, FailureAfterClearingNonStepsRestoresTheMarks)
{
    Tuning<GlueTuning>::current().quiet = true;  // power 4: too few samples
    const std::string marks = "ddsssddsss";
    Marked m(marks);
    EXPECT_FALSE(RunGlue(m.view));
    EXPECT_EQ(m.marks(), marks);
}

TEST_F(Glue, StepsAreFoundBeforeTheDialog)
{
    int shown = 0;
    Tuning<GlueTuning>::setEditor([&](GlueTuning&) { return ++shown, false; });
    Marked none("ssss");
    FFPolyGlue a(none.view);
    EXPECT_FALSE(a.Execute());
    EXPECT_EQ(shown, 0);
    Marked some("ssddss");
    FFPolyGlue b(some.view);
    EXPECT_FALSE(b.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFPolyGlue: no data selected and/or discarded"});
}
