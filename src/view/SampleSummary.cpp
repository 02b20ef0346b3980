#include "SampleSummary.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// Smallest and largest finite value of x[0 .. n-1]. The comparisons skip a
// NaN by themselves; a NaN or an infinity (all exponent bits set) marks the
// block, which is then summed again with the test per sample. Eight lanes
// side by side, so that the compiler keeps them in one vector register.
__attribute__((target_clones("avx2", "default"))) SampleSummary::Range blockRange(const float* x, int n)
{
    constexpr int L = 8;
    float los[L];
    float his[L];
    std::uint32_t bads[L];
    for (int l = 0; l < L; ++l) {
        los[l] = kInf;
        his[l] = -kInf;
        bads[l] = 0;
    }
    int i = 0;
    for (; i + L <= n; i += L) {
        for (int l = 0; l < L; ++l) {
            const float v = x[i + l];
            std::uint32_t u;
            std::memcpy(&u, &v, sizeof u);
            los[l] = v < los[l] ? v : los[l];
            his[l] = v > his[l] ? v : his[l];
            bads[l] |= (u & 0x7F800000u) == 0x7F800000u;
        }
    }
    float lo = kInf;
    float hi = -kInf;
    bool bad = false;
    for (int l = 0; l < L; ++l) {
        lo = los[l] < lo ? los[l] : lo;
        hi = his[l] > hi ? his[l] : hi;
        bad = bad || bads[l] != 0;
    }
    for (; i < n; ++i) {
        const float v = x[i];
        lo = v < lo ? v : lo;
        hi = v > hi ? v : hi;
        bad = bad || !std::isfinite(v);
    }
    if (bad) {
        lo = kInf;
        hi = -kInf;
        for (int i = 0; i < n; ++i) {
            if (!std::isfinite(x[i]))
                continue;
            lo = std::min(lo, x[i]);
            hi = std::max(hi, x[i]);
        }
    }
    return {lo, hi, bad};
}

}  // namespace

void SampleSummary::clear()
{
    samples_ = nullptr;
    count_ = 0;
    levels_.clear();
    levels_.shrink_to_fit();
}

void SampleSummary::build(const float* samples, int n)
{
    clear();
    if (samples == nullptr || n <= 0)
        return;
    samples_ = samples;
    count_ = n;
    // Levels until one block covers the record.
    for (int level = 0;; ++level) {
        const long long size = 1LL << (kBlockShift + kFanShift * level);
        const std::size_t k = static_cast<std::size_t>((n + size - 1) / size);
        levels_.push_back(Level{std::vector<float>(k), std::vector<float>(k), std::vector<std::uint8_t>(k)});
        if (k == 1)
            break;
    }
    update(0, n - 1);
}

void SampleSummary::summariseBlocks(int first, int last)
{
    Level& l = levels_[0];
    for (int b = first; b <= last; ++b) {
        const int start = b << kBlockShift;
        const int len = std::min(static_cast<int>(blockSize(0)), count_ - start);
        const Range r = blockRange(samples_ + start, len);
        l.lo[static_cast<std::size_t>(b)] = r.lo;
        l.hi[static_cast<std::size_t>(b)] = r.hi;
        l.bad[static_cast<std::size_t>(b)] = r.nonFinite;
    }
}

void SampleSummary::combine(int level, int first, int last)
{
    const Level& below = levels_[static_cast<std::size_t>(level - 1)];
    Level& l = levels_[static_cast<std::size_t>(level)];
    const int fan = 1 << kFanShift;
    const int childCount = static_cast<int>(below.lo.size());
    for (int b = first; b <= last; ++b) {
        float lo = kInf;
        float hi = -kInf;
        std::uint8_t bad = 0;
        const int c0 = b * fan;
        const int c1 = std::min(childCount, c0 + fan);
        for (int c = c0; c < c1; ++c) {
            lo = std::min(lo, below.lo[static_cast<std::size_t>(c)]);
            hi = std::max(hi, below.hi[static_cast<std::size_t>(c)]);
            bad |= below.bad[static_cast<std::size_t>(c)];
        }
        l.lo[static_cast<std::size_t>(b)] = lo;
        l.hi[static_cast<std::size_t>(b)] = hi;
        l.bad[static_cast<std::size_t>(b)] = bad;
    }
}

void SampleSummary::update(int lo, int hi)
{
    if (!built())
        return;
    lo = std::max(lo, 0);
    hi = std::min(hi, count_ - 1);
    if (lo > hi)
        return;
    int first = lo >> kBlockShift;
    int last = hi >> kBlockShift;
    summariseBlocks(first, last);
    for (int level = 1; level < levels(); ++level) {
        first >>= kFanShift;
        last >>= kFanShift;
        combine(level, first, last);
    }
}

SampleSummary::Range SampleSummary::range(int lo, int hi) const
{
    Range r{kInf, -kInf, false};
    auto take = [&r](float l, float h, bool bad) {
        r.lo = std::min(r.lo, l);
        r.hi = std::max(r.hi, h);
        r.nonFinite = r.nonFinite || bad;
    };
    int i = lo;
    while (i <= hi) {
        // The largest aligned block that starts at i and ends by hi.
        int level = -1;
        for (int k = levels() - 1; k >= 0; --k) {
            const long long size = blockSize(k);
            if ((i & (size - 1)) == 0 && i + size - 1 <= hi) {
                level = k;
                break;
            }
        }
        if (level < 0) {
            // Up to the next block boundary (or hi), sample by sample.
            const int end = std::min(hi, i | static_cast<int>(blockSize(0) - 1));
            const Range p = blockRange(samples_ + i, end - i + 1);
            take(p.lo, p.hi, p.nonFinite);
            i = end + 1;
            continue;
        }
        const int b = i >> (kBlockShift + kFanShift * level);
        take(low(level, b), high(level, b), nonFinite(level, b));
        i += static_cast<int>(blockSize(level));
    }
    return r;
}

std::size_t SampleSummary::bytes() const
{
    std::size_t n = 0;
    for (const Level& l : levels_)
        n += l.lo.capacity() * 8 + l.bad.capacity();
    return n;
}
