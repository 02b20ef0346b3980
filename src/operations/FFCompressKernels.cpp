// The block kernels of the compression.

#include "FFCompress.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The sum of a block runs from 0 in double, sample by sample, so it matches
// the extended-precision sum to far better than the single-precision result.
__attribute__((target_clones("avx2", "default"))) void meansBy4(const float* x, int outN, float* out)
{
    for (int i = 0; i < outN; ++i) {
        const float* b = x + 4 * static_cast<long long>(i);
        double s = 0.0;
        s += b[0];
        s += b[1];
        s += b[2];
        s += b[3];
        out[i] = static_cast<float>(s / 4.0);
    }
}

__attribute__((target_clones("avx2", "default"))) void meansBy(const float* x, int outN, int f, float* out)
{
    // Blocks side by side: each lane sums its own block in order.
    constexpr int kLanes = 8;
    int i = 0;
    for (; i + kLanes <= outN; i += kLanes) {
        double s[kLanes] = {};
        const float* b = x + static_cast<long long>(i) * f;
        for (int j = 0; j < f; ++j)
            for (int l = 0; l < kLanes; ++l)
                s[l] += b[static_cast<long long>(l) * f + j];
        for (int l = 0; l < kLanes; ++l)
            out[i + l] = static_cast<float>(s[l] / f);
    }
    for (; i < outN; ++i) {
        const float* b = x + static_cast<long long>(i) * f;
        double s = 0.0;
        for (int j = 0; j < f; ++j)
            s += b[j];
        out[i] = static_cast<float>(s / f);
    }
}

// The two middle values of a sorted block, averaged (equal for odd f).
inline float middle(double lower, double upper) { return static_cast<float>((upper + lower) * 0.5); }

// The defining order: repeatedly take the smallest sample not yet taken, the
// first of equal samples first. Only blocks holding NaN need it.
float selectionMedian(const float* b, int f, std::vector<float>& s, std::vector<char>& taken)
{
    s.resize(static_cast<std::size_t>(f));
    taken.assign(static_cast<std::size_t>(f), 0);
    for (int r = 0; r < f; ++r) {
        int best = -1;
        for (int j = 0; j < f; ++j)
            if (!taken[static_cast<std::size_t>(j)] && (best < 0 || b[j] < b[best]))
                best = j;
        taken[static_cast<std::size_t>(best)] = 1;
        s[static_cast<std::size_t>(r)] = b[best];
    }
    const int h = f / 2;
    const int j = f % 2 == 0 ? h - 1 : h;
    return middle(s[static_cast<std::size_t>(j)], s[static_cast<std::size_t>(h)]);
}

// Blocks of four: the middle two values come from a four-comparator network,
// valid when the block holds no NaN (checked afterwards through the sum).
__attribute__((target_clones("avx2", "default"))) bool mediansBy4(const float* x, int outN, float* out)
{
    bool suspect = false;
    for (int i = 0; i < outN; ++i) {
        const float* b = x + 4 * static_cast<long long>(i);
        const float a0 = b[0], a1 = b[1], a2 = b[2], a3 = b[3];
        const float lo1 = a0 < a1 ? a0 : a1, hi1 = a0 < a1 ? a1 : a0;
        const float lo2 = a2 < a3 ? a2 : a3, hi2 = a2 < a3 ? a3 : a2;
        const float second = lo1 < lo2 ? lo2 : lo1;
        const float third = hi1 < hi2 ? hi1 : hi2;
        out[i] = middle(second, third);
        suspect |= std::isnan(a0 + a1 + a2 + a3);
    }
    return suspect;
}

}  // namespace

void FFCompress::BlockMeans(const float* x, int n, int f, float* out)
{
    if (f < 1 || n < f)
        return;
    const int outN = n / f;
    if (f == 4)
        meansBy4(x, outN, out);
    else
        meansBy(x, outN, f, out);
}

void FFCompress::BlockMedians(const float* x, int n, int f, float* out)
{
    if (f < 1 || n < f)
        return;
    const int outN = n / f;
    std::vector<float> s;
    std::vector<char> taken;
    if (f == 4) {
        if (mediansBy4(x, outN, out)) {
            for (int i = 0; i < outN; ++i) {
                const float* b = x + 4 * static_cast<long long>(i);
                if (std::isnan(b[0]) || std::isnan(b[1]) || std::isnan(b[2]) || std::isnan(b[3]))
                    out[i] = selectionMedian(b, 4, s, taken);
            }
        }
        return;
    }
    const int h = f / 2;
    std::vector<float> buf(static_cast<std::size_t>(f));
    for (int i = 0; i < outN; ++i) {
        const float* b = x + static_cast<long long>(i) * f;
        bool hasNaN = false;
        for (int j = 0; j < f; ++j) {
            buf[static_cast<std::size_t>(j)] = b[j];
            hasNaN |= std::isnan(b[j]);
        }
        if (hasNaN) {
            out[i] = selectionMedian(b, f, s, taken);
            continue;
        }
        std::nth_element(buf.begin(), buf.begin() + h, buf.end());
        const float upper = buf[static_cast<std::size_t>(h)];
        const float lower = f % 2 == 0 ? *std::max_element(buf.begin(), buf.begin() + h) : upper;
        out[i] = middle(lower, upper);
    }
}
