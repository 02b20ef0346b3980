#include "PlotPixels.h"

#include <QPainter>

#include "Near.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

// Rows of n values, with their smallest and largest row. This is the loop
// every repaint runs over all visible samples, so on x86-64 it works on
// several doubles at a time (four with AVX2, two otherwise), and multiplies
// by 1 / S_y instead of dividing by S_y. The product can differ from the
// quotient in its last bits, which changes the rounding only for a row
// within a hair of a half: such rows are recomputed with the division, so
// the result is exactly nearPixel() of the quotient for every sample.
struct RowMap {
    double minimum;
    double sy;
    double b;
    int exact(float x) const { return nearPixel((minimum - static_cast<double>(x)) / sy + b); }
};

constexpr int kPrefetchBytes = 2048;

// Far above the product's error for rows below 2^24, far below a row.
constexpr double kHalfTolerance = 1e-6;

#if defined(__x86_64__)
__attribute__((target("avx2"))) int rowsAvx2(const RowMap& m, const float* v, int n, int* out, int& lo, int& hi)
{
    const __m256d vmin = _mm256_set1_pd(m.minimum);
    const __m256d vinv = _mm256_set1_pd(1.0 / m.sy);
    const __m256d vb = _mm256_set1_pd(m.b);
    const __m256d lim = _mm256_set1_pd(kPixelLimit);
    const __m256d nlim = _mm256_set1_pd(-kPixelLimit);
    const __m256d one = _mm256_set1_pd(1.0);
    const __m256d half = _mm256_set1_pd(0.5);
    const __m256d tol = _mm256_set1_pd(kHalfTolerance);
    const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FFFFFFFFFFFFFFFLL));
    __m256d accMin = _mm256_set1_pd(kPixelLimit);
    __m256d accMax = _mm256_set1_pd(-kPixelLimit);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        // Records are far larger than the caches: fetch well ahead, across
        // the end of the column too (the next column follows in memory).
        _mm_prefetch(reinterpret_cast<const char*>(v + i) + kPrefetchBytes, _MM_HINT_T0);
        const __m256 f = _mm256_loadu_ps(v + i);
        __m256d t0 = _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(vmin, _mm256_cvtps_pd(_mm256_castps256_ps128(f))), vinv), vb);
        __m256d t1 = _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(vmin, _mm256_cvtps_pd(_mm256_extractf128_ps(f, 1))), vinv), vb);
        t0 = _mm256_min_pd(_mm256_max_pd(t0, nlim), lim);  // NaN gives -L
        t1 = _mm256_min_pd(_mm256_max_pd(t1, nlim), lim);
        __m256d r0 = _mm256_floor_pd(t0);
        __m256d r1 = _mm256_floor_pd(t1);
        const __m256d f0 = _mm256_sub_pd(t0, r0);
        const __m256d f1 = _mm256_sub_pd(t1, r1);
        const __m256d near0 = _mm256_cmp_pd(_mm256_and_pd(_mm256_sub_pd(f0, half), absMask), tol, _CMP_LT_OQ);
        const __m256d near1 = _mm256_cmp_pd(_mm256_and_pd(_mm256_sub_pd(f1, half), absMask), tol, _CMP_LT_OQ);
        if (_mm256_movemask_pd(_mm256_or_pd(near0, near1)) != 0) {
            r0 = _mm256_set_pd(m.exact(v[i + 3]), m.exact(v[i + 2]), m.exact(v[i + 1]), m.exact(v[i]));
            r1 = _mm256_set_pd(m.exact(v[i + 7]), m.exact(v[i + 6]), m.exact(v[i + 5]), m.exact(v[i + 4]));
        } else {
            r0 = _mm256_add_pd(r0, _mm256_and_pd(_mm256_cmp_pd(f0, half, _CMP_GE_OQ), one));  // half up
            r1 = _mm256_add_pd(r1, _mm256_and_pd(_mm256_cmp_pd(f1, half, _CMP_GE_OQ), one));
        }
        accMin = _mm256_min_pd(accMin, _mm256_min_pd(r0, r1));
        accMax = _mm256_max_pd(accMax, _mm256_max_pd(r0, r1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm256_cvttpd_epi32(r0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4), _mm256_cvttpd_epi32(r1));
    }
    double a[4];
    _mm256_storeu_pd(a, accMin);
    lo = static_cast<int>(std::min(std::min(a[0], a[1]), std::min(a[2], a[3])));
    _mm256_storeu_pd(a, accMax);
    hi = static_cast<int>(std::max(std::max(a[0], a[1]), std::max(a[2], a[3])));
    return i;
}
#endif

#if defined(__SSE2__)
int rowsSse2(const RowMap& m, const float* v, int n, int* out, int& lo, int& hi)
{
    const __m128d vmin = _mm_set1_pd(m.minimum);
    const __m128d vinv = _mm_set1_pd(1.0 / m.sy);
    const __m128d vb = _mm_set1_pd(m.b);
    const __m128d lim = _mm_set1_pd(kPixelLimit);
    const __m128d nlim = _mm_set1_pd(-kPixelLimit);
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d half = _mm_set1_pd(0.5);
    const __m128d tol = _mm_set1_pd(kHalfTolerance);
    const __m128d absMask = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFLL));
    __m128d accMin = _mm_set1_pd(kPixelLimit);
    __m128d accMax = _mm_set1_pd(-kPixelLimit);
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        _mm_prefetch(reinterpret_cast<const char*>(v + i) + kPrefetchBytes, _MM_HINT_T0);
        const __m128 f = _mm_loadu_ps(v + i);
        __m128d t0 = _mm_add_pd(_mm_mul_pd(_mm_sub_pd(vmin, _mm_cvtps_pd(f)), vinv), vb);
        __m128d t1 = _mm_add_pd(_mm_mul_pd(_mm_sub_pd(vmin, _mm_cvtps_pd(_mm_movehl_ps(f, f))), vinv), vb);
        t0 = _mm_min_pd(_mm_max_pd(t0, nlim), lim);  // NaN gives -L
        t1 = _mm_min_pd(_mm_max_pd(t1, nlim), lim);
        __m128d r0 = _mm_cvtepi32_pd(_mm_cvttpd_epi32(t0));
        __m128d r1 = _mm_cvtepi32_pd(_mm_cvttpd_epi32(t1));
        r0 = _mm_sub_pd(r0, _mm_and_pd(_mm_cmpgt_pd(r0, t0), one));  // floor
        r1 = _mm_sub_pd(r1, _mm_and_pd(_mm_cmpgt_pd(r1, t1), one));
        const __m128d f0 = _mm_sub_pd(t0, r0);
        const __m128d f1 = _mm_sub_pd(t1, r1);
        const __m128d near0 = _mm_cmplt_pd(_mm_and_pd(_mm_sub_pd(f0, half), absMask), tol);
        const __m128d near1 = _mm_cmplt_pd(_mm_and_pd(_mm_sub_pd(f1, half), absMask), tol);
        if (_mm_movemask_pd(_mm_or_pd(near0, near1)) != 0) {
            r0 = _mm_set_pd(m.exact(v[i + 1]), m.exact(v[i]));
            r1 = _mm_set_pd(m.exact(v[i + 3]), m.exact(v[i + 2]));
        } else {
            r0 = _mm_add_pd(r0, _mm_and_pd(_mm_cmpge_pd(f0, half), one));  // half up
            r1 = _mm_add_pd(r1, _mm_and_pd(_mm_cmpge_pd(f1, half), one));
        }
        accMin = _mm_min_pd(accMin, _mm_min_pd(r0, r1));
        accMax = _mm_max_pd(accMax, _mm_max_pd(r0, r1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_unpacklo_epi64(_mm_cvttpd_epi32(r0), _mm_cvttpd_epi32(r1)));
    }
    double a[2];
    _mm_storeu_pd(a, accMin);
    lo = static_cast<int>(std::min(a[0], a[1]));
    _mm_storeu_pd(a, accMax);
    hi = static_cast<int>(std::max(a[0], a[1]));
    return i;
}
#endif

}  // namespace

namespace plotpixels {

void computeRows(const ViewGeometry& g, const float* v, int n, int* out, int& lo, int& hi)
{
    const RowMap m{g.minimum, g.unitsPerPixel, g.bottomRow};
    int i = 0;
    int rmin = INT_MAX;
    int rmax = INT_MIN;
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2 && n >= 8)
        i = rowsAvx2(m, v, n, out, rmin, rmax);
    else
#endif
#if defined(__SSE2__)
    if (n >= 4)
        i = rowsSse2(m, v, n, out, rmin, rmax);
#endif
    for (; i < n; ++i) {
        const int r = m.exact(v[i]);
        out[i] = r;
        rmin = r < rmin ? r : rmin;
        rmax = r > rmax ? r : rmax;
    }
    lo = rmin;
    hi = rmax;
}

void lineTo(QPainter& p, const QColor& colour, const QRect& clip, int x0, int y0, int x1, int y1)
{
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    if (dx == 0 && dy == 0)
        return;
    const bool shallow = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const long long n = shallow ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    const int step = (shallow ? dx : dy) < 0 ? -1 : 1;
    const long long d = shallow ? dy : dx;
    const long long major0 = shallow ? x0 : y0;
    const long long minor0 = shallow ? y0 : x0;
    const long long majorLo = shallow ? clip.left() : clip.top();
    const long long majorHi = shallow ? clip.right() : clip.bottom();
    const long long minorLo = shallow ? clip.top() : clip.left();
    const long long minorHi = shallow ? clip.bottom() : clip.right();
    // Steps whose major coordinate lies inside the clip.
    long long t0 = step > 0 ? majorLo - major0 : major0 - majorHi;
    long long t1 = step > 0 ? majorHi - major0 : major0 - majorLo;
    t0 = std::max(t0, 0LL);
    t1 = std::min(t1, n - 1);
    // near(t d / n) = floor((2 t d + n) / (2 n)), with floor division.
    auto minorAt = [&](long long t) {
        const long long num = 2 * t * d + n;
        const long long den = 2 * n;
        long long q = num / den;
        if ((num % den != 0) && (num < 0))
            --q;
        return minor0 + q;
    };
    long long runStart = 0;
    long long runMinor = 0;
    bool inRun = false;
    auto flush = [&](long long tEnd) {
        if (!inRun)
            return;
        const long long a = major0 + step * runStart;
        const long long b = major0 + step * tEnd;
        const int lo = static_cast<int>(std::min(a, b));
        const int len = static_cast<int>((a < b ? b - a : a - b) + 1);
        if (shallow)
            p.fillRect(QRect(lo, static_cast<int>(runMinor), len, 1), colour);
        else
            p.fillRect(QRect(static_cast<int>(runMinor), lo, 1, len), colour);
        inRun = false;
    };
    for (long long t = t0; t <= t1; ++t) {
        const long long m = minorAt(t);
        const bool inside = m >= minorLo && m <= minorHi;
        if (inRun && (!inside || m != runMinor))
            flush(t - 1);
        if (inside && !inRun) {
            inRun = true;
            runStart = t;
            runMinor = m;
        }
    }
    flush(t1);
}
}  // namespace plotpixels
