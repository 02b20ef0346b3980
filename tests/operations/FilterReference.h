#pragma once
// Brute-force references for the filter kernels: every output on its own from the definition.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace ref {

// Distance in units in the last place between two floats of the same sign.
inline long long ulps(float a, float b)
{
    if (a == b)
        return 0;
    if (std::isnan(a) || std::isnan(b))
        return std::numeric_limits<long long>::max();
    std::int32_t ia, ib;
    std::memcpy(&ia, &a, 4);
    std::memcpy(&ib, &b, 4);
    if (ia < 0)
        ia = std::numeric_limits<std::int32_t>::min() - ia;
    if (ib < 0)
        ib = std::numeric_limits<std::int32_t>::min() - ib;
    return std::llabs(static_cast<long long>(ia) - ib);
}

inline bool sameBits(float a, float b) { return std::memcmp(&a, &b, 4) == 0; }

// Weighted mean at i with the offsets inside the record, in long double.
inline float mean(const std::vector<float>& x, int i, const std::vector<double>& w)
{
    const int m = static_cast<int>(w.size()) - 1;
    long double s = 0, ws = 0;
    for (int k = std::max(-m, -i); k <= std::min(m, static_cast<int>(x.size()) - 1 - i); ++k) {
        s += static_cast<long double>(w[static_cast<std::size_t>(std::abs(k))]) * x[static_cast<std::size_t>(i + k)];
        ws += w[static_cast<std::size_t>(std::abs(k))];
    }
    return ws == 0 ? 0.0f : static_cast<float>(s / ws);
}

// Weighted median around c: the samples within m of c inside the record,
// ordered by value with the later sample first among equals; the first whose
// running weight reaches half the total (1 for a full window).
inline float median(const std::vector<float>& x, int c, const std::vector<double>& weight)
{
    const int L = static_cast<int>(weight.size());
    const int m = (L - 1) / 2;
    const int n = static_cast<int>(x.size());
    std::vector<int> pos;
    for (int p = std::max(0, c - m); p <= std::min(n - 1, c + m); ++p)
        pos.push_back(p);
    std::stable_sort(pos.begin(), pos.end(), [&](int a, int b) {
        const float va = x[static_cast<std::size_t>(a)], vb = x[static_cast<std::size_t>(b)];
        return va < vb || (va == vb && a > b);
    });
    auto wOf = [&](int p) { return weight[static_cast<std::size_t>(c + m - p)]; };
    double total = 1.0;
    if (static_cast<int>(pos.size()) != L) {
        total = 0.0;
        for (int p : pos)
            total += wOf(p);
    }
    double run = 0.0;
    for (int p : pos) {
        run += wOf(p);
        if (run >= total / 2.0)
            return x[static_cast<std::size_t>(p)];
    }
    return std::numeric_limits<float>::infinity();
}

// Random samples; with 'levels' > 0 whole numbers below it, so that equal values meet often.
inline std::vector<float> randomSamples(int n, unsigned seed, int levels = 0, float offset = 0.0f)
{
    std::mt19937 gen(seed);
    std::normal_distribution<float> normal(0.0f, 1.0f);
    std::uniform_int_distribution<int> level(0, std::max(0, levels - 1));
    std::vector<float> x(static_cast<std::size_t>(n));
    for (float& v : x)
        v = levels > 0 ? static_cast<float>(level(gen)) : offset + normal(gen);
    return x;
}

}  // namespace ref
