#pragma once
// Least squares by modified Gram–Schmidt QR in long double on a Legendre basis: no normal equations.

#include <cmath>
#include <numeric>
#include <vector>

namespace ref {

// Solves min |A c − y| for the m×n column-major matrix A.
inline std::vector<long double> leastSquaresQR(std::vector<long double> a, std::vector<long double> y, int m, int n)
{
    auto col = [&](int j) { return a.data() + static_cast<std::ptrdiff_t>(j) * m; };
    auto dot = [m](const long double* u, const long double* v) { return std::inner_product(u, u + m, v, 0.0L); };
    auto subtract = [m](long double* u, long double f, const long double* v) {
        for (int k = 0; k < m; ++k) u[k] -= f * v[k];
    };
    std::vector<long double> r(static_cast<std::size_t>(n * n)), c(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i)
            subtract(col(j), r[static_cast<std::size_t>(i * n + j)] = dot(col(i), col(j)), col(i));
        const long double norm = std::sqrt(dot(col(j), col(j)));
        r[static_cast<std::size_t>(j * n + j)] = norm;
        for (int k = 0; k < m; ++k)
            col(j)[k] /= norm;
        subtract(y.data(), c[static_cast<std::size_t>(j)] = dot(col(j), y.data()), col(j));
    }
    for (int j = n - 1; j >= 0; --j) {
        for (int i = j + 1; i < n; ++i)
            c[static_cast<std::size_t>(j)] -= r[static_cast<std::size_t>(j * n + i)] * c[static_cast<std::size_t>(i)];
        c[static_cast<std::size_t>(j)] /= r[static_cast<std::size_t>(j * n + j)];
    }
    return c;
}

struct Fit {
    long double lo, hi;
    std::vector<long double> c;

    std::vector<long double> basis(long double x, int p) const
    {
        const long double t = (2 * x - lo - hi) / (hi - lo);
        std::vector<long double> b(static_cast<std::size_t>(p + 1), 1.0L);
        for (int k = 1; k <= p; ++k)
            b[k] = k == 1 ? t : ((2 * k - 1) * t * b[k - 1] - (k - 1) * b[k - 2]) / k;
        return b;
    }
    long double operator()(long double x) const
    {
        const std::vector<long double> b = basis(x, static_cast<int>(c.size()) - 1);
        long double v = 0;
        for (std::size_t k = 0; k < c.size(); ++k)
            v += c[k] * b[k];
        return v;
    }
};

inline Fit fit(const std::vector<double>& x, const std::vector<double>& y, int p)
{
    const int m = static_cast<int>(x.size());
    Fit f{x[0], x[0], {}};
    for (double v : x)
        f.lo = std::fmin(static_cast<double>(f.lo), v), f.hi = std::fmax(static_cast<double>(f.hi), v);
    std::vector<long double> a(static_cast<std::size_t>(m) * (p + 1));
    for (int i = 0; i < m; ++i) {
        const std::vector<long double> b = f.basis(x[static_cast<std::size_t>(i)], p);
        for (int k = 0; k <= p; ++k)
            a[static_cast<std::size_t>(k) * m + i] = b[static_cast<std::size_t>(k)];
    }
    f.c = leastSquaresQR(std::move(a), std::vector<long double>(y.begin(), y.end()), m, p + 1);
    return f;
}

}  // namespace ref
