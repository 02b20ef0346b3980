#include "warithmetic.h"

#include "BoxMean.h"
#include "FiniteSamples.h"
#include "Messages.h"
#include "Progress.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

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
        if (!Progress::report(b - from, to - from))
            return;
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
        boxMean(out, in, n, m);
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

void warithmetic::filterFinite(float* out, const float* in, int n) const
{
    if (n <= 0)
        return;
    const int m = window_.halfWidth;
    if (type_ == WindowRectangular) {
        boxMeanFinite(out, in, n, m);
        return;
    }
    if (allFinite(in, static_cast<std::size_t>(n))) {
        filter(out, in, n);
        return;
    }
    const double* w = window_.weights.data();
    for (int i = 0; i < n; ++i) {
        if ((i & 4095) == 0 && !Progress::report(i, n))
            return;
        const int lo = std::max(0, i - m), hi = std::min(n - 1, i + m);
        double sum = 0.0, wsum = 0.0;
        for (int j = lo; j <= hi; ++j) {
            if (!std::isfinite(in[j]))
                continue;
            const double wj = w[j > i ? j - i : i - j];
            sum += wj * static_cast<double>(in[j]);
            wsum += wj;
        }
        out[i] = wsum > 0.0 ? static_cast<float>(sum / wsum) : std::nanf("");
    }
}
