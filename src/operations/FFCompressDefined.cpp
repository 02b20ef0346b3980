// The block kernels of the compression for stretches holding NaN or
// infinite samples, which are left out of their blocks.

#include "FFCompress.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The defined samples of block b (f samples) into s; their count.
std::size_t definedOf(const float* b, int f, std::vector<float>& s)
{
    s.clear();
    for (int j = 0; j < f; ++j)
        if (std::isfinite(b[j]))
            s.push_back(b[j]);
    return s.size();
}

}  // namespace

void FFCompress::DefinedBlockMeans(const float* x, int n, int f, float* out)
{
    if (f < 1 || n < f)
        return;
    const int outN = n / f;
    for (int i = 0; i < outN; ++i) {
        const float* b = x + static_cast<long long>(i) * f;
        double s = 0.0;
        int count = 0;
        for (int j = 0; j < f; ++j) {
            if (std::isfinite(b[j])) {
                s += b[j];
                ++count;
            }
        }
        out[i] = count > 0 ? static_cast<float>(s / count) : std::nanf("");
    }
}

void FFCompress::DefinedBlockMedians(const float* x, int n, int f, float* out)
{
    if (f < 1 || n < f)
        return;
    const int outN = n / f;
    std::vector<float> s;
    s.reserve(static_cast<std::size_t>(f));
    for (int i = 0; i < outN; ++i) {
        const std::size_t c = definedOf(x + static_cast<long long>(i) * f, f, s);
        if (c == 0) {
            out[i] = std::nanf("");
            continue;
        }
        // The median of the c defined samples, the mean of the middle two
        // for even c.
        const std::size_t h = c / 2;
        std::nth_element(s.begin(), s.begin() + static_cast<long>(h), s.end());
        const double upper = s[h];
        const double lower = c % 2 == 0 ? *std::max_element(s.begin(), s.begin() + static_cast<long>(h)) : upper;
        out[i] = static_cast<float>((upper + lower) * 0.5);
    }
}
