// The block kernels of the compression.

#include "FFCompress.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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
    // Long blocks: sixteen partial sums per block, which a vector unit keeps
    // in a few registers. Short ones: blocks side by side, each lane summing
    // its own block in order.
    if (f >= 16) {
        for (int i = 0; i < outN; ++i) {
            const float* b = x + static_cast<long long>(i) * f;
            double acc[16] = {};
            int j = 0;
            for (; j + 16 <= f; j += 16)
                for (int l = 0; l < 16; ++l)
                    acc[l] += b[j + l];
            for (; j < f; ++j)
                acc[0] += b[j];
            for (int w = 8; w > 0; w /= 2)
                for (int l = 0; l < w; ++l)
                    acc[l] += acc[l + w];
            out[i] = static_cast<float>(acc[0] / f);
        }
        return;
    }
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

// Batcher's merge-exchange sorting network for n elements, cut down to the
// comparators that can reach the two middle positions.
std::vector<std::pair<int, int>> medianNetwork(int n)
{
    std::vector<std::pair<int, int>> pairs;
    int t = 0;
    while ((1 << t) < n)
        ++t;
    for (int p = t > 0 ? 1 << (t - 1) : 0; p > 0; p >>= 1) {
        int q = 1 << (t - 1), r = 0, d = p;
        for (;;) {
            for (int i = 0; i < n - d; ++i)
                if ((i & p) == r)
                    pairs.emplace_back(i, i + d);
            if (q == p)
                break;
            d = q - p;
            q >>= 1;
            r = p;
        }
    }
    std::vector<char> needed(static_cast<std::size_t>(n), 0);
    needed[static_cast<std::size_t>(n / 2)] = 1;
    needed[static_cast<std::size_t>(n % 2 == 0 ? n / 2 - 1 : n / 2)] = 1;
    std::vector<std::pair<int, int>> kept;
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        char& a = needed[static_cast<std::size_t>(it->first)];
        char& b = needed[static_cast<std::size_t>(it->second)];
        if (a || b) {
            kept.push_back(*it);
            a = b = 1;
        }
    }
    return {kept.rbegin(), kept.rend()};
}

constexpr int kLanes = 8;
// Eight blocks side by side, one per lane of a vector.
typedef float Lanes __attribute__((vector_size(kLanes * sizeof(float))));

// Runs the network over eight blocks at once, one block per vector lane.
__attribute__((target_clones("avx2", "default"))) void sortLanes(float* t, const std::pair<int, int>* pairs,
                                                                std::size_t count)
{
    for (std::size_t c = 0; c < count; ++c) {
        float* a = t + pairs[c].first * kLanes;
        float* b = t + pairs[c].second * kLanes;
        Lanes u, v;
        std::memcpy(&u, a, sizeof u);
        std::memcpy(&v, b, sizeof v);
        const Lanes lo = v < u ? v : u;
        const Lanes hi = v < u ? u : v;
        std::memcpy(a, &lo, sizeof lo);
        std::memcpy(b, &hi, sizeof hi);
    }
}

// Medians of blocks of f by the network; blocks holding NaN are left to the
// caller (their flags are set).
void networkMedians(const float* x, int outN, int f, float* out, std::vector<char>& hasNaN)
{
    const std::vector<std::pair<int, int>> pairs = medianNetwork(f);
    std::vector<float> t(static_cast<std::size_t>(f) * kLanes);
    const int h = f / 2;
    const int j = f % 2 == 0 ? h - 1 : h;
    int i = 0;
    for (; i + kLanes <= outN; i += kLanes) {
        const float* b = x + static_cast<long long>(i) * f;
        for (int l = 0; l < kLanes; ++l) {
            bool nan = false;
            for (int k = 0; k < f; ++k) {
                const float v = b[static_cast<long long>(l) * f + k];
                t[static_cast<std::size_t>(k) * kLanes + static_cast<std::size_t>(l)] = v;
                nan |= std::isnan(v);
            }
            hasNaN[static_cast<std::size_t>(i + l)] = nan;
        }
        sortLanes(t.data(), pairs.data(), pairs.size());
        for (int l = 0; l < kLanes; ++l)
            out[i + l] = middle(t[static_cast<std::size_t>(j) * kLanes + static_cast<std::size_t>(l)],
                                t[static_cast<std::size_t>(h) * kLanes + static_cast<std::size_t>(l)]);
    }
    std::vector<float> buf(static_cast<std::size_t>(f));
    for (; i < outN; ++i) {
        const float* b = x + static_cast<long long>(i) * f;
        bool nan = false;
        for (int k = 0; k < f; ++k) {
            buf[static_cast<std::size_t>(k)] = b[k];
            nan |= std::isnan(b[k]);
        }
        hasNaN[static_cast<std::size_t>(i)] = nan;
        if (nan)
            continue;
        std::nth_element(buf.begin(), buf.begin() + h, buf.end());
        const float upper = buf[static_cast<std::size_t>(h)];
        const float lower = f % 2 == 0 ? *std::max_element(buf.begin(), buf.begin() + h) : upper;
        out[i] = middle(lower, upper);
    }
}

// Beyond this block length the network grows past what selection costs.
constexpr int kNetworkMax = 256;

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
    if (f <= kNetworkMax) {
        std::vector<char> hasNaN(static_cast<std::size_t>(outN), 0);
        networkMedians(x, outN, f, out, hasNaN);
        for (int i = 0; i < outN; ++i)
            if (hasNaN[static_cast<std::size_t>(i)])
                out[i] = selectionMedian(x + static_cast<long long>(i) * f, f, s, taken);
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
