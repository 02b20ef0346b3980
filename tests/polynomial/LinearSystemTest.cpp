#include "LinearSystem.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

LinearSystem make(const std::vector<std::vector<double>>& m, const std::vector<double>& r)
{
    LinearSystem s(static_cast<int>(r.size()));
    for (std::size_t i = 0; i < r.size(); ++i) {
        for (std::size_t j = 0; j < r.size(); ++j)
            s.M(static_cast<int>(i), static_cast<int>(j)) = m[i][j];
        s.R(static_cast<int>(i)) = r[i];
    }
    return s;
}

}  // namespace

// Complete pivoting takes the largest remaining entry; among equal ones the
// first met, row by row, wins. The solution of each system is all ones.
TEST(LinearSystem, PivotOrder)
{
    struct Case {
        std::vector<std::vector<double>> m;
        std::vector<double> r;
        std::vector<int> pivotRows;  // per column
    } cases[] = {
        {{{1, 2}, {2, 1}}, {3, 3}, {1, 0}},
        {{{1, 0, 5}, {2, 3, 1}, {9, 1, 2}}, {6, 6, 12}, {2, 1, 0}},
    };
    for (const Case& c : cases) {
        LinearSystem s = make(c.m, c.r);
        s.Solve();
        EXPECT_FALSE(s.Degenerate());
        for (std::size_t k = 0; k < c.r.size(); ++k) {
            EXPECT_EQ(s.PivotRow(static_cast<int>(k)), c.pivotRows[k]) << k;
            EXPECT_NEAR(s.X(static_cast<int>(k)), 1.0, 1e-14) << k;
        }
    }
}

TEST(LinearSystem, FlagsSingularAndNonFiniteSystems)
{
    struct Case {
        const char* name;
        std::vector<std::vector<double>> m;
        std::vector<double> r;
    } cases[] = {
        {"zero matrix", {{0, 0}, {0, 0}}, {1, 1}},
        {"dependent rows", {{1, 2}, {2, 4}}, {3, 6}},
        {"dependent to rounding", {{1, 1.0 / 3}, {3, 1}}, {1, 3}},
        {"NaN entry", {{1, NAN}, {0, 1}}, {1, 1}},
        {"infinite right side", {{1, 0}, {0, 1}}, {INFINITY, 1}},
    };
    for (const Case& c : cases) {
        LinearSystem s = make(c.m, c.r);
        s.Solve();
        EXPECT_TRUE(s.Degenerate()) << c.name;
    }
}
