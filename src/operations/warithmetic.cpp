#include "warithmetic.h"

#include "Messages.h"

#include <algorithm>
#include <vector>

namespace {

// Error-free sum: s + e == a + b exactly.
inline void twoSum(double a, double b, double& s, double& e)
{
    s = a + b;
    const double bv = s - a;
    e = (a - (s - bv)) + (b - bv);
}

// Running sum of a rectangular window. The sum is carried as a double plus
// the exact error of every addition, so it stays exact to about 100 bits and
// the mean rounds to the same single-precision value as a direct sum (give
// or take the last rounding). Every kRestart outputs the sum starts afresh
// from the window itself, so a huge value passing through cannot leave a
// trace in the compensation.
constexpr int kRestart = 1 << 14;

void rectangularMeans(float* out, const float* x, int n, int m)
{
    for (int start = 0; start < n; start += kRestart) {
        const int stop = std::min(n, start + kRestart);
        int lo = std::max(0, start - m);
        int hi = std::min(n - 1, start + m);  // window [lo, hi] of output 'start'
        double s = 0.0, c = 0.0;
        for (int j = lo; j <= hi; ++j) {
            double e;
            twoSum(s, static_cast<double>(x[j]), s, e);
            c += e;
        }
        out[start] = static_cast<float>((s + c) / static_cast<double>(hi - lo + 1));
        for (int i = start + 1; i < stop; ++i) {
            if (i + m < n) {
                double e;
                twoSum(s, static_cast<double>(x[i + m]), s, e);
                c += e;
                ++hi;
            }
            if (i - m - 1 >= 0) {
                double e;
                twoSum(s, -static_cast<double>(x[i - m - 1]), s, e);
                c += e;
                ++lo;
            }
            out[i] = static_cast<float>((s + c) / static_cast<double>(hi - lo + 1));
        }
    }
}

// Interior of a weighted window (all 2m+1 taps inside the record): the taps
// are symmetric, so each pair of samples at +-k shares one multiplication.
// Outputs are computed a block at a time so the partial sums stay in the
// first-level cache while the taps run over them.
constexpr int kBlock = 512;

__attribute__((target_clones("avx2", "default"))) void weightedInterior(float* out, const float* x, int from, int to,
                                                                      const double* w, int m, double wsum)
{
    double acc[kBlock];
    for (int b = from; b < to; b += kBlock) {
        const int len = std::min(kBlock, to - b);
        const float* xb = x + b;
        const double w0 = w[0];
        for (int j = 0; j < len; ++j)
            acc[j] = w0 * static_cast<double>(xb[j]);
        for (int k = 1; k <= m; ++k) {
            const double wk = w[k];
            const float* up = xb + k;
            const float* down = xb - k;
            for (int j = 0; j < len; ++j)
                acc[j] += wk * (static_cast<double>(up[j]) + static_cast<double>(down[j]));
        }
        for (int j = 0; j < len; ++j)
            out[b + j] = static_cast<float>(acc[j] / wsum);
    }
}

}  // namespace

warithmetic::warithmetic(int type, double W, double h) : type_(type)
{
    if (!WeightWindow::valid(type))
        Messages::fatal("warithmetic: unhandled weight type");
    window_ = WeightWindow::make(type, W, h);
}

double warithmetic::meanAt(const float* x, int i, int n) const
{
    const int m = window_.halfWidth;
    const long long lo = std::max<long long>(0, static_cast<long long>(i) - m);
    const long long hi = std::min<long long>(n - 1, static_cast<long long>(i) + m);
    long double sum = 0.0L, wsum = 0.0L;
    for (long long j = lo; j <= hi; ++j) {
        const long double w = window_.weights[static_cast<std::size_t>(j > i ? j - i : i - j)];
        sum += w * static_cast<long double>(x[j]);
        wsum += w;
    }
    if (wsum == 0.0L)
        return 0.0;
    return static_cast<double>(sum / wsum);
}

void warithmetic::filter(float* out, const float* in, int n) const
{
    if (n <= 0)
        return;
    const int m = window_.halfWidth;
    if (type_ == WindowRectangular) {
        rectangularMeans(out, in, n, m);
        return;
    }
    // Samples closer than m to an end see a cut window.
    const int interiorFrom = std::min(m, n);
    const int interiorTo = std::max(interiorFrom, n - m);
    for (int i = 0; i < interiorFrom; ++i)
        out[i] = static_cast<float>(meanAt(in, i, n));
    if (interiorTo > interiorFrom) {
        long double wsum = window_.weights[0];
        for (int k = 1; k <= m; ++k)
            wsum += 2.0L * window_.weights[static_cast<std::size_t>(k)];
        weightedInterior(out, in, interiorFrom, interiorTo, window_.weights.data(), m, static_cast<double>(wsum));
    }
    for (int i = interiorTo; i < n; ++i)
        out[i] = static_cast<float>(meanAt(in, i, n));
}
