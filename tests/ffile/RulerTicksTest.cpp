#include "ReadoutText.h"
#include "RulerTicks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

using RulerTicks::Kind;

TEST(RulerTicks, TicksAndLabelsOverRanges)
{
    struct Case { Kind kind; double lo, hi, minStep; const char* first; const char* last; int majors; };
    const Case cases[] = {
        {Kind::Time, 43917.3, 43990.2, 9, "12:12:00", "12:13:10", 8},
        {Kind::Time, 86410, 86390, 4, "23:59:50", "00:00:10", 5},  // across midnight, reversed
        {Kind::Time, 10.0, 10.5, 0.08, "00:00:10.0", "00:00:10.5", 6},
        {Kind::Time, 0.0, 0.003, 0.0004, "00:00:00.0000", "00:00:00.0030", 7},
        {Kind::Angle, 3590, 3630, 9, "000\xB0" "59'50\"", "001\xB0" "00'30\"", 5},
        {Kind::Angle, 0, 36000, 3000, "000\xB0" "00'00\"", "010\xB0" "00'00\"", 11},
        {Kind::Number, 16, 121, 18, "20", "120", 6},
        {Kind::Number, -0.3, 0.3, 0.15, "-0.2", "0.2", 3},
        {Kind::Number, 1.4200e9, 1.4201e9, 2.5e4, "1.42000e+09", "1.42010e+09", 3},
        {Kind::Number, 2e-6, 9e-6, 1.5e-6, "2e-06", "8e-06", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        const std::vector<RulerTicks::Tick> ticks = RulerTicks::ticks(c.kind, c.lo, c.hi, c.minStep);
        std::vector<const RulerTicks::Tick*> majors;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            EXPECT_TRUE(i == 0 || ticks[i].value > ticks[i - 1].value);
            EXPECT_EQ(ticks[i].label.empty(), !ticks[i].major);
            if (ticks[i].major)
                majors.push_back(&ticks[i]);
        }
        ASSERT_EQ(static_cast<int>(majors.size()), c.majors);
        EXPECT_EQ(majors.front()->label, c.first);
        EXPECT_EQ(majors.back()->label, c.last);
        // Never "-0" or "-0.0" at zero.
        EXPECT_TRUE(std::none_of(majors.begin(), majors.end(), [](auto* m) { return m->value == 0 && m->label[0] == '-'; }));
    }
    // Nothing sensible to draw: no ticks rather than a hang or a flood.
    EXPECT_TRUE(RulerTicks::ticks(Kind::Number, 0, 1, 0).empty());
    EXPECT_TRUE(RulerTicks::ticks(Kind::Number, 0, NAN, 1).empty());
    EXPECT_TRUE(RulerTicks::ticks(Kind::Time, 0, 1e300, 1e-3).empty());
    EXPECT_TRUE(RulerTicks::ticks(Kind::Number, 1e20, 1e20 + 1e6, 1).empty());
}

TEST(ReadoutText, NeighbouringSamplesReadDifferently)
{
    using namespace ReadoutText;
    struct Case { double origin, step; int decimals; };
    const Case cases[] = {{43917.0, 0.05, 2}, {43917.0, 0.001, 3}, {86399.5, 0.1, 1}, {100.0, 2.5e-6, 6},
                          {0.0, 1.0, 1},      {0.0, 0.003, 3},     {12.0, 0.0007, 4}};
    for (const Case& c : cases) {
        ASSERT_EQ(secondDecimals(c.step), c.decimals) << c.step;
        std::set<std::string> seen;
        for (int i = 0; i < 200; ++i) {
            seen.insert(timeText(c.origin + i * c.step, c.decimals));
            seen.insert(angleText(c.origin + i * c.step, c.decimals) + "a");
        }
        EXPECT_EQ(seen.size(), 400u) << c.step;
    }
    EXPECT_EQ(timeText(43917.95, 2), "12:11:57.95");
    EXPECT_EQ(timeText(59.9996, 3), "00:01:00.000");  // rounding carries, never "60"
    EXPECT_EQ(angleText(1295999.9999, 3), "000\xB0" "00'00.000\"");
    EXPECT_EQ(numberText(-118.8, 3), "-1.188e+02");
    EXPECT_EQ(distanceText(2.5, 1), " 000002.5");
    EXPECT_EQ(distanceText(-0.003, 3), "-000000.003");
    // Number form: a 1.42 GHz axis in 1 kHz steps, and the plain case.
    EXPECT_EQ(mantissaDigits(1.42e9, 1e3), 6);
    EXPECT_EQ(mantissaDigits(120, 1), 3);
    for (double step : {0.0, double(NAN), double(INFINITY)})  // no usable step: the plain three digits
        EXPECT_EQ(mantissaDigits(5.0, step), 3) << step;
    EXPECT_NE(numberText(1.420000e9, mantissaDigits(1.42e9, 1e3)), numberText(1.420001e9, mantissaDigits(1.42e9, 1e3)));
}
