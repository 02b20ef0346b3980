// The record is taken in chunks of kChunk outputs, each with its own start,
// so no rounding or overflow outlives its chunk. Per chunk:
//
// - Samples whose binary exponents span little enough (the usual case for a
//   record of measurements) have window sums that are exact in double: every
//   sample is a multiple of the smallest sample's last place, and 2m+1 of them
//   fit in 53 bits. Exact sums may be formed in any order, so the window sums
//   come from the differences x[i+m] - x[i-m-1] by prefix sums that run side
//   by side in four segments, four values at a time, instead of one long
//   chain of dependent adds.
// - Other finite chunks slide a double sum that carries the exact error of
//   every addition alongside (about 100 bits, ample for single precision).
// - A chunk whose samples include infinities or NaN takes every mean
//   directly, so an infinity that passes through the window leaves no NaN
//   behind it (inf - inf) in a running sum; or, when undefined samples are
//   to be left out, slides a compensated sum of the defined ones with their
//   count.

#include "BoxMean.h"

#include "Progress.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kChunk = 4096;

inline void twoSum(double a, double b, double& s, double& e)
{
    s = a + b;
    const double bv = s - a;
    e = (a - (s - bv)) + (b - bv);
}

struct ExponentSpan {
    int lowest = 255;  // smallest exponent field of a non-zero sample
    int highest = 0;   // largest exponent field (255: infinity or NaN present)
};

__attribute__((target_clones("avx2", "default"))) ExponentSpan exponentSpan(const float* x, int from, int to)
{
    std::uint32_t lo = 255, hi = 0;
    for (int i = from; i <= to; ++i) {
        std::uint32_t u;
        std::memcpy(&u, &x[i], 4);
        const std::uint32_t e = (u >> 23) & 0xFFu;
        hi = std::max(hi, e);
        lo = std::min(lo, (u & 0x7FFFFFFFu) != 0 ? e : 255u);
    }
    return {static_cast<int>(lo), static_cast<int>(hi)};
}

// Mean of x[lo ... hi] from a compensated sum; an infinite or NaN sum is
// returned as it is.
double directMean(const float* x, int lo, int hi)
{
    double s = 0.0, c = 0.0;
    for (int j = lo; j <= hi; ++j) {
        double e;
        twoSum(s, static_cast<double>(x[j]), s, e);
        c += e;
    }
    const double sum = std::isfinite(s) ? s + c : s;
    return sum / static_cast<double>(hi - lo + 1);
}

void directChunk(float* out, const float* x, int n, int m, int start, int stop)
{
    for (int i = start; i < stop; ++i)
        out[i] = static_cast<float>(directMean(x, std::max(0, i - m), std::min(n - 1, i + m)));
}

void definedChunk(float* out, const float* x, int n, int m, int start, int stop)
{
    double s = 0.0, c = 0.0;
    int count = 0;
    auto take = [&](float v, double sign) {
        if (!std::isfinite(v))
            return;
        double e;
        twoSum(s, sign * static_cast<double>(v), s, e);
        c += e;
        count += sign > 0 ? 1 : -1;
    };
    auto mean = [&] { return count > 0 ? static_cast<float>((s + c) / count) : std::nanf(""); };
    for (int j = std::max(0, start - m); j <= std::min(n - 1, start + m); ++j)
        take(x[j], 1.0);
    out[start] = mean();
    for (int i = start + 1; i < stop; ++i) {
        if (i + m < n)
            take(x[i + m], 1.0);
        if (i - m - 1 >= 0)
            take(x[i - m - 1], -1.0);
        out[i] = mean();
    }
}

void compensatedChunk(float* out, const float* x, int n, int m, int start, int stop)
{
    int lo = std::max(0, start - m);
    int hi = std::min(n - 1, start + m);
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

// d[t] = x[start+m+t] - x[start-m-1+t] for t = 1 ... len-1, and the exponent
// span of the samples added.
__attribute__((target_clones("avx2", "default"))) ExponentSpan differences(double* d, const float* x, int m,
                                                                         int start, int len)
{
    const float* add = x + start + m;
    const float* gone = x + start - m - 1;
    std::uint32_t lo = 255, hi = 0;
    for (int t = 1; t < len; ++t) {
        std::uint32_t u;
        std::memcpy(&u, &add[t], 4);
        const std::uint32_t e = (u >> 23) & 0xFFu;
        hi = std::max(hi, e);
        lo = std::min(lo, (u & 0x7FFFFFFFu) != 0 ? e : 255u);
        d[t] = static_cast<double>(add[t]) - static_cast<double>(gone[t]);
    }
    return {static_cast<int>(lo), static_cast<int>(hi)};
}

typedef double Doubles4 __attribute__((vector_size(32)));
typedef float Floats4 __attribute__((vector_size(16)));
typedef long long Lanes4 __attribute__((vector_size(32)));

// Exact sums of the d[k] of four segments of seg values each (seg a
// multiple of 4).
__attribute__((target_clones("avx2", "default"))) void segmentTotals(const double* d, int seg, double* total)
{
    // The four segments side by side: four independent chains of adds.
    Doubles4 acc[4] = {};
    for (int k = 0; k < seg; k += 4) {
        for (int g = 0; g < 4; ++g) {
            Doubles4 v;
            std::memcpy(&v, d + g * seg + k, sizeof v);
            acc[g] += v;
        }
    }
    for (int g = 0; g < 4; ++g)
        total[g] = (acc[g][0] + acc[g][1]) + (acc[g][2] + acc[g][3]);
}

// out[k] = (d[0] + ... + d[k]) * inv for k < len: four segments of seg
// values scanned side by side, four values at a time, each segment starting
// from the sum before it; the rest after the fourth segment one by one.
__attribute__((target_clones("avx2", "default"))) void scanScaled(float* out, const double* d, int len, int seg,
                                                                const double* before, double inv)
{
    const Doubles4 zero = {0, 0, 0, 0};
    const Doubles4 scale = {inv, inv, inv, inv};
    Doubles4 carry[4];
    for (int g = 0; g < 4; ++g)
        carry[g] = Doubles4{before[g], before[g], before[g], before[g]};
    for (int t = 0; t < seg; t += 4) {
        for (int g = 0; g < 4; ++g) {
            const int k = g * seg + t;
            Doubles4 v;
            std::memcpy(&v, d + k, sizeof v);
            v += __builtin_shuffle(v, zero, Lanes4{4, 0, 1, 2});
            v += __builtin_shuffle(v, zero, Lanes4{4, 5, 0, 1});
            v += carry[g];
            carry[g] = __builtin_shuffle(v, Lanes4{3, 3, 3, 3});
            const Floats4 f = __builtin_convertvector(v * scale, Floats4);
            std::memcpy(out + k, &f, sizeof f);
        }
    }
    double s = carry[3][0];
    for (int k = 4 * seg; k < len; ++k) {
        s += d[k];
        out[k] = static_cast<float>(s * inv);
    }
}

inline bool exactIn(const ExponentSpan& span, int spare)
{
    return span.lowest == 255 || span.highest - std::max(span.lowest, 1) <= spare;
}

// All windows of the chunk lie inside the record. Returns false, with
// nothing written, when the window sums would not be exact in double
// (span then holds the exponents of the samples the chunk covers).
bool exactChunk(float* out, const float* x, int m, int start, int stop, double* d, int spare, ExponentSpan& span)
{
    const int len = stop - start;
    span = exponentSpan(x, start - m, start + m);
    const ExponentSpan added = differences(d, x, m, start, len);
    span.lowest = std::min(span.lowest, added.lowest);
    span.highest = std::max(span.highest, added.highest);
    if (span.highest == 255 || !exactIn(span, spare))
        return false;
    double s[4] = {0, 0, 0, 0};
    const int from = start - m, to = start + m;
    int j = from;
    for (; j + 3 <= to; j += 4)
        for (int l = 0; l < 4; ++l)
            s[l] += static_cast<double>(x[j + l]);
    for (; j <= to; ++j)
        s[0] += static_cast<double>(x[j]);
    d[0] = (s[0] + s[1]) + (s[2] + s[3]);  // the first window sum itself

    // The window sums are the running sums of d, scanned in four segments.
    const int seg = len / 16 * 4;
    double total[4] = {0, 0, 0, 0};
    if (seg > 0)
        segmentTotals(d, seg, total);
    const double before[4] = {0.0, total[0], total[0] + total[1], total[0] + total[1] + total[2]};
    scanScaled(out + start, d, len, seg, before, 1.0 / static_cast<double>(2 * m + 1));
    return true;
}

}  // namespace

static void boxMeanChunks(float* out, const float* x, int n, int m, bool leaveOut)
{
    if (n <= 0)
        return;
    if (m < 0)
        m = 0;
    // Bits a window sum may need beyond a sample's 24: the count 2m+1, one
    // more for the difference of two sums and one for safety.
    const int spare = 53 - 24 - static_cast<int>(std::bit_width(static_cast<unsigned>(2 * m + 1))) - 2;
    std::vector<double> buffer(kChunk);
    double* d = buffer.data();
    for (int start = 0; start < n; start += kChunk) {
        if (!Progress::report(start, n))
            return;
        const int stop = std::min(n, start + kChunk);
        ExponentSpan span;
        if (start - m - 1 >= 0 && stop - 1 + m <= n - 1) {
            if (exactChunk(out, x, m, start, stop, d, spare, span))
                continue;
        } else {
            span = exponentSpan(x, std::max(0, start - m), std::min(n - 1, stop - 1 + m));
        }
        if (span.highest == 255 && leaveOut)
            definedChunk(out, x, n, m, start, stop);
        else if (span.highest == 255)
            directChunk(out, x, n, m, start, stop);
        else
            compensatedChunk(out, x, n, m, start, stop);
    }
}

void boxMean(float* out, const float* x, int n, int m) { boxMeanChunks(out, x, n, m, false); }

void boxMeanFinite(float* out, const float* x, int n, int m) { boxMeanChunks(out, x, n, m, true); }
