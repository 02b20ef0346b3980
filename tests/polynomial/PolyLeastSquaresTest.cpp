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

TEST(PolyLeastSquares, RawNormalEquationsOfTheStraightLineExample)
{
    // Without centring or scaling the sums are those of the raw index.
    const std::vector<double> x = {0, 1, 2, 3}, y = {1, 3, 5, 7};
    PowerSums sums;
    AccumulatePowerSums(x.data(), y.data(), 4, 1, PolyBasis{}, sums);
    LinearSystem s(2);
    SingleLevelEquations(sums, 1, s);
    EXPECT_EQ(s.M(0, 0), 4);
    EXPECT_EQ(s.M(0, 1), 6);
    EXPECT_EQ(s.M(1, 0), 6);
    EXPECT_EQ(s.M(1, 1), 14);
    EXPECT_EQ(s.R(0), 16);
    EXPECT_EQ(s.R(1), 34);
    s.Solve();
    EXPECT_NEAR(s.X(0), 1, 1e-14);
    EXPECT_NEAR(s.X(1), 2, 1e-14);

    Polynomial p;
    ASSERT_TRUE(FitSingleLevel(x.data(), y.data(), 4, 1, p));
    std::vector<double> c = p.MonomialCoefficients();
    EXPECT_NEAR(c[0], 1, 1e-14);
    EXPECT_NEAR(c[1], 2, 1e-14);
    EXPECT_NEAR(p(10), 21, 1e-13);
}

TEST(PolyLeastSquares, PowerZeroGivesTheMeans)
{
    const std::vector<double> x = {3, 7, 8}, y = {1, 2, 6};
    Polynomial p;
    ASSERT_TRUE(FitSingleLevel(x.data(), y.data(), 3, 0, p));
    EXPECT_DOUBLE_EQ(p(1000), 3.0);

    const std::vector<double> x1 = {9, 10}, y1 = {10, 20};
    TwoLevelPolynomial t;
    ASSERT_TRUE(FitTwoLevel(x.data(), y.data(), 3, x1.data(), y1.data(), 2, 0, t));
    EXPECT_DOUBLE_EQ(t.d0, 3.0);
    EXPECT_DOUBLE_EQ(t.d1, 15.0);
    EXPECT_DOUBLE_EQ(t.StepHeight(), 12.0);
}

TEST(PolyLeastSquares, TwoLevelExampleGivesBackTheShift)
{
    const std::vector<double> x0 = {0, 1, 2, 3}, y0 = {0, 1, 2, 3};
    const std::vector<double> x1 = {4, 5, 6, 7}, y1 = {14, 15, 16, 17};
    TwoLevelPolynomial t;
    ASSERT_TRUE(FitTwoLevel(x0.data(), y0.data(), 4, x1.data(), y1.data(), 4, 1, t));
    std::vector<double> c = t.MonomialCoefficients();  // c1, d0, d1
    ASSERT_EQ(c.size(), 3u);
    EXPECT_NEAR(c[0], 1, 1e-13);
    EXPECT_NEAR(c[1], 0, 1e-13);
    EXPECT_NEAR(c[2], 10, 1e-13);
    EXPECT_NEAR(t.StepHeight(), 10, 1e-13);
    EXPECT_NEAR(t(2.5, 0), 2.5, 1e-13);
    EXPECT_NEAR(t(2.5, 1), 12.5, 1e-13);
}

TEST(PolyLeastSquares, ReproducesExactPolynomialsOfEveryPower)
{
    for (int p = 0; p <= 9; ++p) {
        // Points on a polynomial of power p, far from the origin.
        auto f = [p](double x) {
            const double t = (x - 5000.0) / 300.0;
            double v = 0;
            for (int k = p; k >= 0; --k)
                v = v * t + (k % 2 ? -1.5 : 2.0) / (k + 1);
            return v;
        };
        std::vector<double> x0 = iota(4700, 250), x1 = iota(5050, 250), y0, y1;
        for (double v : x0)
            y0.push_back(f(v));
        for (double v : x1)
            y1.push_back(f(v) + 7.0);
        Polynomial single;
        ASSERT_TRUE(FitSingleLevel(x0.data(), y0.data(), 250, p, single)) << p;
        EXPECT_LT(relativeGap(x0, single, f), 1e-11) << p;
        TwoLevelPolynomial two;
        ASSERT_TRUE(FitTwoLevel(x0.data(), y0.data(), 250, x1.data(), y1.data(), 250, p, two)) << p;
        EXPECT_NEAR(two.StepHeight(), 7.0, 1e-10) << p;
        EXPECT_LT(relativeGap(iota(4700, 600), [&](double x) { return two(x, 0); }, f), 1e-11) << p;
    }
}

// NIST StRD Wampler1–5: x = 0…20, power 5; certified coefficients are all 1
// except Wampler2 (1, 0.1, …, 1e-5); Wampler3–5 add growing noise that is
// orthogonal to the polynomials of power 5.
TEST(PolyLeastSquares, NistWamplerCertifiedValues)
{
    const std::vector<double> x = iota(0, 21);
    std::vector<double> w1, w2;
    for (double v : x) {
        w1.push_back(1 + v * (1 + v * (1 + v * (1 + v * (1 + v)))));
        w2.push_back(1 + v * (0.1 + v * (0.01 + v * (0.001 + v * (0.0001 + v * 0.00001)))));
    }
    const std::vector<double> w3 = {760,     -2042,   2111,    -1684,   3888,    1858,    11379,
                                    17560,   39287,   64382,   113159,  175108,  273291,  400186,
                                    581243,  811568,  1121004, 1506550, 2002767, 2611612, 3369180};
    const std::vector<double> w4 = {75901,  -204794, 204863,  -204436, 253665,  -200894, 214131,
                                    -185192, 221249,  -138370, 315911,  -27644,  455253,  197434,
                                    783995,  608816,  1370781, 1303798, 2205519, 2408860, 3444321};
    const std::vector<double> w5 = {7590001,   -20479994, 20480063,  -20479636, 25231365,  -20476094, 20489331,
                                    -20460392, 18417449,  -20413570, 20591111,  -20302844, 18651453,  -20077766,
                                    21059195,  -19666384, 26348481,  -18971402, 22480719,  -17866340, 10958421};
    struct Case {
        const char* name;
        const std::vector<double>& y;
        std::vector<double> certified;
        double residualSD;
        double tolerance;
    } cases[] = {
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
        for (int i = 0; i <= 20; ++i) {
            const long double r = c.y[i] - p(x[i]);
            rss += r * r;
        }
        EXPECT_NEAR(static_cast<double>(std::sqrt(rss / 15)), c.residualSD, 1e-8 * (1 + c.residualSD)) << c.name;
    }
}

// A gap of 100 samples near index 10 000 filled by a power-4 fit through 300
// samples on either side: the raw-index normal equations lose about 0.36 of
// a signal of size 10 here; the scaled fit must match a QR reference.
TEST(PolyLeastSquares, FarFromTheOriginMatchesTheQrReference)
{
    std::vector<double> x = iota(9700, 300), gap = iota(10000, 100);
    for (double v : iota(10100, 300))
        x.push_back(v);
    std::vector<double> y;
    for (double v : x)
        y.push_back(10.0 * std::sin(v / 150.0) + 0.3 * std::cos(v / 7.0));
    Polynomial p;
    ASSERT_TRUE(FitSingleLevel(x.data(), y.data(), static_cast<int>(x.size()), 4, p));
    const ref::Fit r = ref::fit(x, y, 4);
    for (double v : gap)
        EXPECT_NEAR(p(v), static_cast<double>(r(v)), 1e-10) << v;
}

TEST(PolyLeastSquares, MillionPointsPowerNineMatchesTheQrReference)
{
    const int m = 1000000;
    std::vector<double> x = iota(0, m), y(static_cast<std::size_t>(m));
    for (int i = 0; i < m; ++i)
        y[static_cast<std::size_t>(i)] = 50.0 + 20.0 * std::sin(i * 1e-5) + std::sin(i * 0.37) + 1e-4 * (i % 97);
    for (int p : {1, 5, 9}) {
        Polynomial fit;
        ASSERT_TRUE(FitSingleLevel(x.data(), y.data(), m, p, fit));
        const ref::Fit r = ref::fit(x, y, p);
        std::vector<double> probe;
        for (int i = 0; i < m; i += 9973)
            probe.push_back(i);
        probe.push_back(m - 1);
        EXPECT_LT(relativeGap(probe, fit, r), 1e-9) << p;
    }
}

TEST(PolyLeastSquares, NonFinitePointsAreRefused)
{
    std::vector<double> x = iota(0, 10), y(10, 1.0);
    y[4] = NAN;
    Polynomial p;
    p.coefficients = {42};
    EXPECT_FALSE(FitSingleLevel(x.data(), y.data(), 10, 2, p));
    EXPECT_EQ(p.coefficients, std::vector<double>{42});  // left as it was
    y[4] = INFINITY;
    TwoLevelPolynomial t;
    EXPECT_FALSE(FitTwoLevel(x.data(), y.data(), 10, x.data(), y.data(), 10, 1, t));
}

TEST(PolyLeastSquares, CoincidentAbscissaeAreSingular)
{
    // Equal x values: the normal equations of power 2 have rank 1.
    std::vector<double> x(8, 5.0), y = {1, 2, 3, 4, 5, 6, 7, 8};
    Polynomial p;
    EXPECT_FALSE(FitSingleLevel(x.data(), y.data(), 8, 2, p));
    EXPECT_TRUE(FitSingleLevel(x.data(), y.data(), 8, 0, p));
    EXPECT_DOUBLE_EQ(p(5.0), 4.5);
}
