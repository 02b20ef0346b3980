#include "LinearSystem.h"
#include "PolyLeastSquares.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<double> iota(int from, int count)
{
    std::vector<double> x(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        x[static_cast<std::size_t>(i)] = from + i;
    return x;
}

// Largest |a − b| over the points, relative to the largest |b|.
template <typename F, typename G>
double relativeGap(const std::vector<double>& xs, F a, G b)
{
    long double gap = 0, size = 0;
    for (double x : xs) {
        gap = std::fmax(gap, std::fabs(static_cast<long double>(a(x)) - static_cast<long double>(b(x))));
        size = std::fmax(size, std::fabs(static_cast<long double>(b(x))));
    }
    return static_cast<double>(gap / size);
}

}  // namespace

// NIST StRD Wampler1–5 certified values.
TEST(PolyLeastSquares, NistWamplerCertifiedValues)
{
    const std::vector<double> x = iota(0, 21);
    const std::vector<double> w3 = {760,     -2042,   2111,    -1684,   3888,    1858,    11379,
                                    17560,   39287,   64382,   113159,  175108,  273291,  400186,
                                    581243,  811568,  1121004, 1506550, 2002767, 2611612, 3369180};
    std::vector<double> w1, w2, w4, w5;
    for (double v : x) {
        w1.push_back(1 + v * (1 + v * (1 + v * (1 + v * (1 + v)))));
        w2.push_back(1 + v * (0.1 + v * (0.01 + v * (0.001 + v * (0.0001 + v * 0.00001)))));
        w4.push_back(w1.back() + 100 * (w3[static_cast<std::size_t>(v)] - w1.back()));
        w5.push_back(w1.back() + 10000 * (w3[static_cast<std::size_t>(v)] - w1.back()));
    }
    struct Case { const char* name; const std::vector<double>& y; std::vector<double> certified; double residualSD; double tolerance; } cases[] = {
        {"Wampler1", w1, {1, 1, 1, 1, 1, 1}, 0.0, 1e-8},
        {"Wampler2", w2, {1, 0.1, 0.01, 0.001, 0.0001, 0.00001}, 0.0, 1e-9},
        {"Wampler3", w3, {1, 1, 1, 1, 1, 1}, 2360.14502379268, 1e-7},
        {"Wampler4", w4, {1, 1, 1, 1, 1, 1}, 236014.502379268, 1e-6},
        {"Wampler5", w5, {1, 1, 1, 1, 1, 1}, 23601450.2379268, 1e-4},
    };
    for (const Case& c : cases) {
        Polynomial p;
        ASSERT_TRUE(FitSingleLevel(x.data(), c.y.data(), 21, 5, p)) << c.name;
        std::vector<double> coef = p.MonomialCoefficients();
        for (int k = 0; k <= 5; ++k)
            EXPECT_NEAR(coef[k], c.certified[k], c.tolerance * c.certified[0]) << c.name << " c" << k;
        long double rss = 0;
        for (int i = 0; i <= 20; ++i)
            rss += (c.y[i] - p(x[i])) * (c.y[i] - p(x[i]));
        EXPECT_NEAR(static_cast<double>(std::sqrt(rss / 15)), c.residualSD, 1e-8 * (1 + c.residualSD)) << c.name;
    }
}

// 1 537 points a level (a partial summing lane) far from the origin, and the gap between the levels:
// the two-level reference has the shape on Legendre 1…p and one constant column per level.
TEST(PolyLeastSquares, EveryPowerMatchesTheQrReferenceFarFromTheOrigin)
{
    const int m = 1537;
    const std::vector<double> x0 = iota(7000, m), x1 = iota(8637, m), gap = iota(8537, 100);
    std::vector<double> x = x0, y, yStep;
    x.insert(x.end(), x1.begin(), x1.end());
    for (std::size_t i = 0; i < x.size(); ++i) {
        y.push_back(10.0 * std::sin(x[i] / 600.0) + 0.3 * std::cos(x[i] / 7.0));
        yStep.push_back(y.back() + (i < m ? 0.0 : 7.0));
    }
    for (int power = 0; power <= 9; ++power) {
        Polynomial p;
        ASSERT_TRUE(FitSingleLevel(x.data(), y.data(), 2 * m, power, p));
        const ref::Fit r = ref::fit(x, y, power);
        EXPECT_LT(relativeGap(x, p, r), 1e-10) << power;
        EXPECT_LT(relativeGap(gap, p, r), 1e-10) << power;

        std::vector<long double> a;
        for (int k = 1; k <= power; ++k)
            for (double v : x)
                a.push_back(r.basis(v, power)[static_cast<std::size_t>(k)]);
        for (int level = 0; level < 2; ++level)
            for (int i = 0; i < 2 * m; ++i)
                a.push_back((i >= m) == (level == 1));
        const std::vector<long double> c =
            ref::leastSquaresQR(a, std::vector<long double>(yStep.begin(), yStep.end()), 2 * m, power + 2);
        auto level0 = [&](double v) {
            const std::vector<long double> b = r.basis(v, power);
            long double s = c[static_cast<std::size_t>(power)];
            for (int k = 1; k <= power; ++k)
                s += c[static_cast<std::size_t>(k - 1)] * b[static_cast<std::size_t>(k)];
            return s;
        };
        TwoLevelPolynomial t;
        ASSERT_TRUE(FitTwoLevel(x0.data(), yStep.data(), m, x1.data(), yStep.data() + m, m, power, t));
        EXPECT_NEAR(t.StepHeight(), static_cast<double>(c[power + 1] - c[power]), 1e-9) << power;
        EXPECT_LT(relativeGap(gap, [&](double v) { return t(v, 0); }, level0), 1e-10) << power;
    }
}

TEST(PolyLeastSquares, SingularAndNonFiniteFitsAreRefused)
{
    const std::vector<double> x = iota(0, 8), same(8, 5.0), y = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<double> twoAndAHair = {0, 0, 0, 0, 1, 1, 1, 1 + 1e-13};
    std::vector<double> nan = y, inf = y;
    nan[4] = NAN, inf[4] = INFINITY;
    struct Case { const char* name; const std::vector<double>& x; const std::vector<double>& y; int power; } cases[] = {{"NaN sample", x, nan, 2},
                 {"infinite sample", x, inf, 0},
                 {"coincident abscissae", same, y, 2},
                 {"dependent to rounding, finite", twoAndAHair, y, 2}};
    for (const Case& c : cases) {
        Polynomial p;
        p.coefficients = {42};
        EXPECT_FALSE(FitSingleLevel(c.x.data(), c.y.data(), 8, c.power, p)) << c.name;
        EXPECT_EQ(p.coefficients, std::vector<double>{42}) << c.name;  // left as it was
        TwoLevelPolynomial t;
        EXPECT_FALSE(FitTwoLevel(c.x.data(), c.y.data(), 8, c.x.data(), c.y.data(), 8, c.power, t)) << c.name;
    }
    // Coincident abscissae still determine a constant.
    Polynomial p;
    EXPECT_TRUE(FitSingleLevel(same.data(), y.data(), 8, 0, p));
    EXPECT_DOUBLE_EQ(p(5.0), 4.5);
}

namespace {

LinearSystem make(const std::vector<std::vector<double>>& m, const std::vector<double>& r)
{
    LinearSystem s(static_cast<int>(r.size()));
    for (int i = 0; i < s.Size(); ++i) {
        for (int j = 0; j < s.Size(); ++j) s.M(i, j) = m[i][j];
        s.R(i) = r[i];
    }
    return s;
}

}  // namespace

// Complete pivoting takes the largest entry, the first met among equals; each solution is all ones.
TEST(LinearSystem, PivotOrder)
{
    struct Case { std::vector<std::vector<double>> m; std::vector<double> r; std::vector<int> pivotRows; } cases[] = {
        {{{1, 2}, {2, 1}}, {3, 3}, {1, 0}},
        {{{1, 0, 5}, {2, 3, 1}, {9, 1, 2}}, {6, 6, 12}, {2, 1, 0}},
    };
    for (const Case& c : cases) {
        LinearSystem s = make(c.m, c.r);
        EXPECT_FALSE((s.Solve(), s.Degenerate()));
        for (std::size_t k = 0; k < c.r.size(); ++k) {
            EXPECT_EQ(s.PivotRow(static_cast<int>(k)), c.pivotRows[k]) << k;
            EXPECT_NEAR(s.X(static_cast<int>(k)), 1.0, 1e-14) << k;
        }
    }
}

TEST(LinearSystem, FlagsSingularAndNonFiniteSystems)
{
    struct Case { const char* name; std::vector<std::vector<double>> m; std::vector<double> r; } cases[] = {
        {"zero matrix", {{0, 0}, {0, 0}}, {1, 1}},
        {"dependent rows", {{1, 2}, {2, 4}}, {3, 6}},
        {"dependent to rounding", {{1, 1.0 / 3}, {3, 1}}, {1, 3}},
        {"NaN entry", {{1, NAN}, {0, 1}}, {1, 1}},
        {"infinite right side", {{1, 0}, {0, 1}}, {INFINITY, 1}},
    };
    for (const Case& c : cases) {
        LinearSystem s = make(c.m, c.r);
        EXPECT_TRUE((s.Solve(), s.Degenerate())) << c.name;
    }
}
