#include "PolyLeastSquares.h"

#include "Progress.h"

#include <algorithm>
#include <cmath>

namespace {

// Sums over the points in blocks, each block in four independent lanes, so
// that the additions pipeline and the partial sums stay short (the rounding
// error of a long running sum grows with its length).
template <int P>
void accumulate(const double* x, const double* y, int m, double centre, double inv, PowerSums& out)
{
    constexpr int L = 4;
    constexpr int NS = 2 * P + 1;
    constexpr int NR = P + 1;
    constexpr int kBlock = 1024;
    int i = 0;
    while (i < m) {
        const int end = std::min(m, i + kBlock);
        double s[NS][L] = {};
        double r[NR][L] = {};
        for (; i + L <= end; i += L) {
            double t[L], pw[L], yy[L];
            for (int l = 0; l < L; ++l) {
                t[l] = (x[i + l] - centre) * inv;
                pw[l] = 1.0;
                yy[l] = y[i + l];
            }
            for (int a = 0; a < NS; ++a) {
                for (int l = 0; l < L; ++l)
                    s[a][l] += pw[l];
                if (a < NR)
                    for (int l = 0; l < L; ++l)
                        r[a][l] += pw[l] * yy[l];
                for (int l = 0; l < L; ++l)
                    pw[l] *= t[l];
            }
        }
        for (; i < end; ++i) {
            const double t = (x[i] - centre) * inv;
            double pw = 1.0;
            for (int a = 0; a < NS; ++a) {
                s[a][0] += pw;
                if (a < NR)
                    r[a][0] += pw * y[i];
                pw *= t;
            }
        }
        for (int a = 0; a < NS; ++a)
            out.S[static_cast<std::size_t>(a)] += (s[a][0] + s[a][1]) + (s[a][2] + s[a][3]);
        for (int a = 0; a < NR; ++a)
            out.R[static_cast<std::size_t>(a)] += (r[a][0] + r[a][1]) + (r[a][2] + r[a][3]);
    }
}

void minMax(const double* x, int m, double& lo, double& hi)
{
    for (int i = 0; i < m; ++i) {
        lo = std::fmin(lo, x[i]);
        hi = std::fmax(hi, x[i]);
    }
}

PolyBasis basisOf(double lo, double hi)
{
    PolyBasis b;
    if (!(lo <= hi))
        return b;
    b.centre = 0.5 * (lo + hi);
    const double half = 0.5 * (hi - lo);
    b.inverseScale = half > 0.0 && std::isfinite(half) ? 1.0 / half : 1.0;
    return b;
}

long double sumOf(const double* y, int m)
{
    long double s = 0.0L;
    for (int i = 0; i < m; ++i)
        s += y[i];
    return s;
}

}  // namespace

PolyBasis PolyBasis::Over(const double* x, int m)
{
    double lo = INFINITY, hi = -INFINITY;
    minMax(x, m, lo, hi);
    return basisOf(lo, hi);
}

PolyBasis PolyBasis::Over2(const double* x0, int m0, const double* x1, int m1)
{
    double lo = INFINITY, hi = -INFINITY;
    minMax(x0, m0, lo, hi);
    minMax(x1, m1, lo, hi);
    return basisOf(lo, hi);
}

static void accumulateSlice(const double* x, const double* y, int m, int p, const PolyBasis& b, PowerSums& sums)
{
    const double c = b.centre, inv = b.inverseScale;
    switch (std::clamp(p, 0, kMaxPolyPower)) {
    case 0: accumulate<0>(x, y, m, c, inv, sums); break;
    case 1: accumulate<1>(x, y, m, c, inv, sums); break;
    case 2: accumulate<2>(x, y, m, c, inv, sums); break;
    case 3: accumulate<3>(x, y, m, c, inv, sums); break;
    case 4: accumulate<4>(x, y, m, c, inv, sums); break;
    case 5: accumulate<5>(x, y, m, c, inv, sums); break;
    case 6: accumulate<6>(x, y, m, c, inv, sums); break;
    case 7: accumulate<7>(x, y, m, c, inv, sums); break;
    case 8: accumulate<8>(x, y, m, c, inv, sums); break;
    default: accumulate<9>(x, y, m, c, inv, sums); break;
    }
}

void AccumulatePowerSums(const double* x, const double* y, int m, int p, const PolyBasis& b, PowerSums& sums)
{
    // Slices of whole blocks add the very same block sums in the same order,
    // with a progress report between them; a cancel leaves the sums short.
    constexpr int kSlice = 1 << 16;
    for (int i = 0; i < m; i += kSlice) {
        if (!Progress::report(i, m))
            return;
        accumulateSlice(x + i, y + i, std::min(kSlice, m - i), p, b, sums);
    }
}

void SingleLevelEquations(const PowerSums& sums, int p, LinearSystem& system)
{
    for (int i = 0; i <= p; ++i) {
        for (int j = 0; j <= p; ++j)
            system.M(i, j) = sums.S[static_cast<std::size_t>(i + j)];
        system.R(i) = sums.R[static_cast<std::size_t>(i)];
    }
}

void TwoLevelEquations(const PowerSums& l0, long double sumY0, int m0, const PowerSums& l1, long double sumY1,
                       int m1, int p, LinearSystem& system)
{
    auto S0 = [&](int a) { return l0.S[static_cast<std::size_t>(a)]; };
    auto S1 = [&](int a) { return l1.S[static_cast<std::size_t>(a)]; };
    for (int i = 0; i < p; ++i) {
        for (int j = 0; j < p; ++j)
            system.M(i, j) = S0(i + j + 2) + S1(i + j + 2);
        system.M(i, p) = system.M(p, i) = S0(i + 1);
        system.M(i, p + 1) = system.M(p + 1, i) = S1(i + 1);
        system.R(i) = l0.R[static_cast<std::size_t>(i + 1)] + l1.R[static_cast<std::size_t>(i + 1)];
    }
    system.M(p, p) = m0;
    system.M(p + 1, p + 1) = m1;
    system.M(p, p + 1) = system.M(p + 1, p) = 0.0;
    system.R(p) = static_cast<double>(sumY0);
    system.R(p + 1) = static_cast<double>(sumY1);
}

double Polynomial::operator()(double x) const
{
    if (coefficients.empty())
        return 0.0;
    const double t = basis.T(x);
    double v = coefficients.back();
    for (std::size_t k = coefficients.size() - 1; k-- > 0;)
        v = v * t + coefficients[k];
    return v;
}

std::vector<double> Polynomial::MonomialCoefficients() const
{
    if (coefficients.empty())
        return {};
    // Horner's scheme on polynomials: q ← q·(αx + β) + c_k.
    const double alpha = basis.inverseScale, beta = -basis.centre * basis.inverseScale;
    std::vector<double> q{coefficients.back()};
    for (std::size_t k = coefficients.size() - 1; k-- > 0;) {
        std::vector<double> next(q.size() + 1, 0.0);
        for (std::size_t j = 0; j < q.size(); ++j) {
            next[j] += beta * q[j];
            next[j + 1] += alpha * q[j];
        }
        next[0] += coefficients[k];
        q = std::move(next);
    }
    return q;
}

bool Polynomial::Finite() const
{
    return std::all_of(coefficients.begin(), coefficients.end(), [](double c) { return std::isfinite(c); }) &&
           std::isfinite(basis.centre) && std::isfinite(basis.inverseScale);
}

bool FitSingleLevel(const double* x, const double* y, int m, int p, Polynomial& result)
{
    p = std::clamp(p, 0, kMaxPolyPower);
    const PolyBasis basis = PolyBasis::Over(x, m);
    PowerSums sums;
    AccumulatePowerSums(x, y, m, p, basis, sums);
    LinearSystem system(p + 1);
    SingleLevelEquations(sums, p, system);
    system.Solve();
    Polynomial fit{basis, system.Solution()};
    if (system.Degenerate() || !fit.Finite())
        return false;
    result = std::move(fit);
    return true;
}

bool FitTwoLevel(const double* x0, const double* y0, int m0, const double* x1, const double* y1, int m1, int p,
                 TwoLevelPolynomial& result)
{
    p = std::clamp(p, 0, kMaxPolyPower);
    const PolyBasis basis = PolyBasis::Over2(x0, m0, x1, m1);
    PowerSums s0, s1;
    AccumulatePowerSums(x0, y0, m0, p, basis, s0);
    AccumulatePowerSums(x1, y1, m1, p, basis, s1);
    LinearSystem system(p + 2);
    TwoLevelEquations(s0, sumOf(y0, m0), m0, s1, sumOf(y1, m1), m1, p, system);
    system.Solve();
    TwoLevelPolynomial fit;
    fit.shape.basis = basis;
    fit.shape.coefficients.assign(static_cast<std::size_t>(p + 1), 0.0);
    for (int i = 0; i < p; ++i)
        fit.shape.coefficients[static_cast<std::size_t>(i + 1)] = system.X(i);
    fit.d0 = system.X(p);
    fit.d1 = system.X(p + 1);
    if (system.Degenerate() || !fit.shape.Finite() || !std::isfinite(fit.d0) || !std::isfinite(fit.d1))
        return false;
    result = std::move(fit);
    return true;
}
