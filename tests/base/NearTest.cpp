#include "Near.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Near, RoundsHalfUpIncludingNegatives)
{
    struct Case { double v, expected; } cases[] = {{0.0, 0.0}, {0.49, 0.0}, {0.5, 1.0}, {1.5, 2.0}, {2.5, 3.0}, {-0.5, 0.0},
                 {-1.5, -1.0}, {-2.5, -2.0}, {-2.51, -3.0}, {1e15 + 0.5, 1e15 + 1.0}};
    for (const Case& c : cases)
        EXPECT_EQ(near(c.v), c.expected) << c.v;
}

TEST(Near, IntConversionSaturatesAndMapsNanToZero)
{
    EXPECT_EQ(nearInt(1e300), INT_MAX);
    EXPECT_EQ(nearInt(-1e300), INT_MIN);
    EXPECT_EQ(nearInt(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(nearInt(std::nan("")), 0);
    EXPECT_EQ(nearInt(-7.5), -7);
}
