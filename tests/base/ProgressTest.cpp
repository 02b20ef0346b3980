#include "Progress.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Log : public Progress::Hook {
public:
    explicit Log(double cancelFrom) : cancelFrom_(cancelFrom) {}
    void begin(const std::string& label) override { events.push_back("begin " + label); }
    bool update(double f) override { return fractions.push_back(f), f < cancelFrom_; }
    void end() override { events.push_back("end"); }
    std::vector<std::string> events;
    std::vector<double> fractions;

private:
    double cancelFrom_;
};

}  // namespace

TEST(Progress, StagesThinningNestingAndCancel)
{
    auto log = std::make_shared<Log>(0.95);
    Progress::setHook(log);
    EXPECT_TRUE(Progress::report(5, 10));  // no scope: nothing heard
    {
        Progress p("Glue", 4);
        EXPECT_TRUE(Progress::report(1, 2));   // 0.125
        Progress::nextStage();
        EXPECT_TRUE(Progress::report(0, 10));  // 0.25
        for (int i = 0; i < 3000; ++i)         // 0.25 .. 0.5: thinned
            Progress::report(i, 3000);
        Progress::nextStage();
        Progress::nextStage();
        Progress::nextStage();  // there is no fifth stage
        {
            Progress inner("Reading a.ff");
            EXPECT_TRUE(Progress::report(3, 4));  // 0.9375
            EXPECT_FALSE(Progress::report(7, 0));  // nothing to do: 1.0, cancelled
        }
        EXPECT_TRUE(Progress::cancelled());
        EXPECT_FALSE(Progress::report(0, 4));
    }
    EXPECT_FALSE(Progress::cancelled());
    EXPECT_TRUE(Progress::report(1, 4));
    Progress::setHook(nullptr);
    const auto& f = log->fractions;
    ASSERT_GE(f.size(), 200u);
    EXPECT_LE(f.size(), 260u);
    EXPECT_EQ(f[0], 0.125);
    EXPECT_EQ(f[1], 0.25);
    EXPECT_EQ(f[f.size() - 2], 0.9375);
    EXPECT_EQ(f.back(), 1.0);
    EXPECT_EQ(log->events, (std::vector<std::string>{"begin Glue", "end"}));
}
