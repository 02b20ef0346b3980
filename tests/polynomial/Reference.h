#pragma once
// Independent references for the fit tests: least squares by Householder QR
// in long double on an orthogonal-polynomial (Legendre) basis of the
// scaled abscissa, which involves no normal equations at all.

#include <cmath>
#include <vector>

namespace ref {

// Solves min |A c − y| for the m×n column-major matrix A by Householder QR
// in long double.
inline std::vector<long double> leastSquaresQR(std::vector<long double> a, std::vector<long double> y, int m, int n)
{
    auto A = [&](int i, int j) -> long double& { return a[static_cast<std::size_t>(j) * m + i]; };
    for (int k = 0; k < n; ++k) {
        long double norm = 0;
        for (int i = k; i < m; ++i)
            norm += A(i, k) * A(i, k);
        norm = std::sqrt(norm);
        const long double alpha = A(k, k) > 0 ? -norm : norm;
        std::vector<long double> v(static_cast<std::size_t>(m - k));
        for (int i = k; i < m; ++i)
            v[static_cast<std::size_t>(i - k)] = A(i, k);
        v[0] -= alpha;
        long double vv = 0;
        for (long double e : v)
            vv += e * e;
        if (vv == 0)
            continue;
        for (int j = k; j < n; ++j) {
            long double d = 0;
            for (int i = k; i < m; ++i)
                d += v[static_cast<std::size_t>(i - k)] * A(i, j);
            d = 2 * d / vv;
            for (int i = k; i < m; ++i)
                A(i, j) -= d * v[static_cast<std::size_t>(i - k)];
        }
        long double d = 0;
        for (int i = k; i < m; ++i)
            d += v[static_cast<std::size_t>(i - k)] * y[static_cast<std::size_t>(i)];
        d = 2 * d / vv;
        for (int i = k; i < m; ++i)
            y[static_cast<std::size_t>(i)] -= d * v[static_cast<std::size_t>(i - k)];
    }
    std::vector<long double> c(static_cast<std::size_t>(n));
    for (int k = n - 1; k >= 0; --k) {
        long double s = y[static_cast<std::size_t>(k)];
        for (int j = k + 1; j < n; ++j)
            s -= A(k, j) * c[static_cast<std::size_t>(j)];
        c[static_cast<std::size_t>(k)] = s / A(k, k);
    }
    return c;
}

inline void legendre(long double t, int p, long double* out)
{
    out[0] = 1;
    if (p >= 1)
        out[1] = t;
    for (int k = 2; k <= p; ++k)
        out[k] = ((2 * k - 1) * t * out[k - 1] - (k - 1) * out[k - 2]) / k;
}

// The least-squares polynomial of power p through (x, y), as a function.
struct Fit {
    long double lo, hi;
    std::vector<long double> c;
    int p;
    long double operator()(long double x) const
    {
        const long double t = (2 * x - lo - hi) / (hi - lo);
        std::vector<long double> b(static_cast<std::size_t>(p + 1));
        legendre(t, p, b.data());
        long double v = 0;
        for (int k = 0; k <= p; ++k)
            v += c[static_cast<std::size_t>(k)] * b[static_cast<std::size_t>(k)];
        return v;
    }
};

inline Fit fit(const std::vector<double>& x, const std::vector<double>& y, int p)
{
    const int m = static_cast<int>(x.size());
    Fit f{x[0], x[0], {}, p};
    for (double v : x) {
        f.lo = std::fmin(static_cast<double>(f.lo), v);
        f.hi = std::fmax(static_cast<double>(f.hi), v);
    }
    std::vector<long double> a(static_cast<std::size_t>(m) * (p + 1)), yy(y.begin(), y.end());
    std::vector<long double> b(static_cast<std::size_t>(p + 1));
    for (int i = 0; i < m; ++i) {
        legendre((2 * x[static_cast<std::size_t>(i)] - f.lo - f.hi) / (f.hi - f.lo), p, b.data());
        for (int k = 0; k <= p; ++k)
            a[static_cast<std::size_t>(k) * m + i] = b[static_cast<std::size_t>(k)];
    }
    f.c = leastSquaresQR(std::move(a), std::move(yy), m, p + 1);
    return f;
}

}  // namespace ref
