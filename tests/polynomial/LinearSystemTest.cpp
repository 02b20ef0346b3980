#include "LinearSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

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

TEST(LinearSystem, AmongEqualPivotsTheFirstVisitedWins)
{
    LinearSystem s = make({{1, 2}, {2, 1}}, {3, 3});
    s.Solve();
    EXPECT_EQ(s.PivotRow(1), 0);  // first pivot: row 0, column 1
    EXPECT_EQ(s.PivotRow(0), 1);
    EXPECT_NEAR(s.X(0), 1.0, 1e-15);
    EXPECT_NEAR(s.X(1), 1.0, 1e-15);
    EXPECT_FALSE(s.Degenerate());
}

TEST(LinearSystem, CompletePivotingTakesTheLargestEntry)
{
    // The largest entry, 9, sits at row 2, column 0; then 5 at row 0, column 2.
    LinearSystem s = make({{1, 0, 5}, {2, 3, 1}, {9, 1, 2}}, {6, 6, 12});
    s.Solve();
    EXPECT_EQ(s.PivotRow(0), 2);
    EXPECT_EQ(s.PivotRow(2), 0);
    EXPECT_EQ(s.PivotRow(1), 1);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(s.X(c), 1.0, 1e-14);
}

TEST(LinearSystem, SolvesRandomSystemsAgainstLongDoubleElimination)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int n = 1; n <= 11; ++n) {
        std::vector<std::vector<double>> m(n, std::vector<double>(n));
        std::vector<double> r(n);
        for (auto& row : m)
            for (double& v : row)
                v = u(rng);
        for (double& v : r)
            v = u(rng);
        // Reference: partial pivoting in long double.
        std::vector<std::vector<long double>> a(n, std::vector<long double>(n + 1));
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j)
                a[i][j] = m[i][j];
            a[i][n] = r[i];
        }
        for (int k = 0; k < n; ++k) {
            int best = k;
            for (int i = k + 1; i < n; ++i)
                if (std::fabs(a[i][k]) > std::fabs(a[best][k]))
                    best = i;
            std::swap(a[k], a[best]);
            for (int i = k + 1; i < n; ++i) {
                long double f = a[i][k] / a[k][k];
                for (int j = k; j <= n; ++j)
                    a[i][j] -= f * a[k][j];
            }
        }
        std::vector<long double> x(n);
        for (int k = n - 1; k >= 0; --k) {
            long double s = a[k][n];
            for (int j = k + 1; j < n; ++j)
                s -= a[k][j] * x[j];
            x[k] = s / a[k][k];
        }
        LinearSystem s = make(m, r);
        s.Solve();
        EXPECT_FALSE(s.Degenerate()) << n;
        for (int c = 0; c < n; ++c)
            EXPECT_NEAR(s.X(c), static_cast<double>(x[c]), 1e-10 * (1 + std::fabs(static_cast<double>(x[c]))))
                << "n=" << n << " c=" << c;
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
