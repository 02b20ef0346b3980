#include "Progress.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Log : public Progress::Hook {
public:
    void begin(const std::string& label) override { events.push_back("begin " + label); }
    bool update(double fraction) override
    {
        fractions.push_back(fraction);
        return fraction < cancelFrom;
    }
    void end() override { events.push_back("end"); }
    std::vector<std::string> events;
    std::vector<double> fractions;
    double cancelFrom = 2.0;
};

struct HookGuard {
    std::shared_ptr<Log> log = std::make_shared<Log>();
    HookGuard() { Progress::setHook(log); }
    ~HookGuard() { Progress::setHook(nullptr); }
};

}  // namespace

TEST(Progress, StagesShareTheBarAndReportsAreThinnedOut)
{
    HookGuard g;
    {
        Progress p("Glue", 4);
        EXPECT_TRUE(Progress::report(1, 2));  // stage 0 of 4: 0.125
        Progress::nextStage();
        EXPECT_TRUE(Progress::report(0, 10));  // 0.25
        Progress::nextStage();
        Progress::nextStage();
        Progress::nextStage();                 // no fifth stage
        EXPECT_TRUE(Progress::report(3, 4));   // 0.75 + 0.1875
        EXPECT_TRUE(Progress::report(7, 0));   // nothing to do counts as done
        // Steps of less than a thousandth are not passed on, except the end.
        for (int i = 0; i < 3000; ++i)
            EXPECT_TRUE(Progress::report(i, 3000));
    }
    ASSERT_GE(g.log->fractions.size(), 4u);
    EXPECT_EQ(std::vector<double>(g.log->fractions.begin(), g.log->fractions.begin() + 4),
              (std::vector<double>{0.125, 0.25, 0.9375, 1.0}));
    EXPECT_EQ(g.log->fractions.size(), 4u);  // the loop stayed at or below 1.0 reported
    EXPECT_EQ(g.log->events, (std::vector<std::string>{"begin Glue", "end"}));
}

TEST(Progress, ThinningKeepsAThousandStepsAndTheEnd)
{
    HookGuard g;
    {
        Progress p("Compress");
        for (int i = 0; i <= 100000; ++i)
            Progress::report(i, 100000);
    }
    const auto& f = g.log->fractions;
    EXPECT_GE(f.size(), 900u);
    EXPECT_LE(f.size(), 1001u);
    EXPECT_EQ(f.front(), 0.0);
    EXPECT_EQ(f.back(), 1.0);
}

TEST(Progress, CancelHoldsUntilTheOutermostScopeEnds)
{
    HookGuard g;
    g.log->cancelFrom = 0.5;
    {
        Progress outer("Clip", 2);
        EXPECT_TRUE(Progress::report(1, 4));  // 0.125
        Progress::nextStage();
        {
            Progress inner("Reading a.ff");  // not shown: part of the outer scope
            EXPECT_FALSE(Progress::report(0, 4));  // 0.5: cancelled
            EXPECT_TRUE(Progress::cancelled());
        }
        EXPECT_TRUE(Progress::cancelled());
        EXPECT_FALSE(Progress::report(4, 4));
    }
    EXPECT_FALSE(Progress::cancelled());
    EXPECT_EQ(g.log->fractions, (std::vector<double>{0.125, 0.5}));
    EXPECT_EQ(g.log->events, (std::vector<std::string>{"begin Clip", "end"}));
    // The next command starts afresh.
    Progress next("Glue");
    EXPECT_TRUE(Progress::report(1, 10));
}

TEST(Progress, WithoutHookOrScopeNothingIsCancelled)
{
    EXPECT_TRUE(Progress::report(5, 10));
    Progress p("Glue");
    EXPECT_TRUE(Progress::report(5, 10));
    EXPECT_FALSE(Progress::cancelled());
}
