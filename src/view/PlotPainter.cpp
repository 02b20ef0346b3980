#include "PlotPainter.h"

#include <QPainter>

#include "Near.h"
#include "SampleSummary.h"
#include "ViewArrays.h"

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

// Samples of one column worked out at a time.
constexpr int kChunk = 4096;

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

// A line from (x0, y0) to (x1, y1) without its end pixel, whichever way it
// runs. Along the longer axis the line sets one pixel per step; at step t
// of n its other coordinate is the start's plus near(t * d / n), d being
// the difference along the shorter axis. (QPainter's own lines drop the
// pixel at the bottom or right end rather than at the end, so they cannot
// be used here.) Only the steps inside `clip` are visited, which keeps
// lines to far-away points cheap, and pixels in a row or column are merged
// into one rectangle.
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

// A vertical stroke from row lo to row hi of column x, without the pixel at hi.
void stroke(QPainter& p, const QColor& c, int x, int lo, int hi)
{
    if (hi > lo)
        p.fillRect(QRect(x, lo, 1, hi - lo), c);
}

}  // namespace

QColor PlotPainter::markColor(int mark)
{
    switch (mark) {
    case 1:
        return QColor(64, 64, 255);
    case 2:
        return QColor(255, 64, 64);
    default:
        return QColor(192, 192, 192);
    }
}

void PlotPainter::sampleRange(const ViewGeometry& g, int count, const QRect& region, int& a, int& b)
{
    a = 0;
    b = -1;
    if (count <= 0 || region.isEmpty())
        return;
    const double sx = g.samplesPerPixel;
    const double mReal = std::ceil(sx);
    const int m = mReal > count ? count : static_cast<int>(mReal);
    // m more samples on each side complete the strokes and joins that cross
    // the region's edges. Near the ends of the record the margin is cut at
    // the first and last sample rather than dropped: dropping it would leave
    // out samples of the edge columns (with S_x = 4.2 and the region
    // starting at column 1, a is 4 but sample 3 lies in column 1).
    a = std::clamp(nearInt(region.left() * sx), 0, count - 1);
    a = a >= m ? a - m : 0;
    b = std::clamp(nearInt(region.right() * sx), 0, count - 1);
    b = b <= count - m - 1 ? b + m : count - 1;
}

int PlotPainter::columnEnd(const ViewGeometry& g, int i, int x, int b) const
{
    // near(j / S_x) <= x exactly when j / S_x < x + 0.5: start from the
    // estimate and settle it with the exact mapping.
    double est = std::ceil((x + 0.5) * g.samplesPerPixel) - 1.0;
    int j = est < i ? i : (est > b ? b : static_cast<int>(est));
    while (j < b && g.column(j + 1) == x)
        ++j;
    while (j > i && g.column(j) != x)
        --j;
    return j;
}

void PlotPainter::paint(QPainter& p, const ViewGeometry& g, const PlotData& d, const QRect& region)
{
    int a = 0;
    int b = -1;
    summaryColumns_ = 0;
    sampleRange(g, d.count, region, a, b);
    if (b < a || d.samples == nullptr)
        return;
    const bool antialiased = p.testRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::Antialiasing, false);
    clip_ = region;
    dotTop_ = region.top();
    dotRows_ = region.height();
    hit_.assign(static_cast<std::size_t>(dotRows_) + 2, 0);
    dots_.clear();
    if (rows_.size() < static_cast<std::size_t>(kChunk)) {
        rows_.resize(static_cast<std::size_t>(kChunk));
        chunkMarks_.resize(static_cast<std::size_t>(kChunk));
    }

    curvePass(p, g, d, a, b);
    drawDots(p);
    if (d.result != nullptr && d.marks != nullptr && std::memchr(d.marks + a, MarkPending, static_cast<std::size_t>(b - a + 1)))
        pendingPass(p, g, d, a, b);
    p.setRenderHint(QPainter::Antialiasing, antialiased);
}

void PlotPainter::sampleColumn(const ViewGeometry& g, const float* values, const std::uint8_t* marks, int i, int e,
                               bool dots, Column& c)
{
    int* r = rows_.data();
    int prevRow = 0;
    for (int s = i; s <= e; s += kChunk) {
        const int n = std::min(kChunk, e - s + 1);
        int lo = 0;
        int hi = 0;
        computeRows(g, values + s, n, r, lo, hi);
        const std::uint8_t* mk = marks != nullptr ? marks + s : nullptr;
        int kept = n;
        if (lo <= -kPixelLimit || hi >= kPixelLimit) {
            // NaN and infinities map to the limit rows (and so may finite
            // samples far outside the range): keep only the finite ones.
            std::uint8_t* cm = chunkMarks_.data();
            kept = 0;
            lo = INT_MAX;
            hi = INT_MIN;
            for (int k = 0; k < n; ++k) {
                if (!std::isfinite(values[s + k])) {
                    c.leadingGap = c.leadingGap || (!c.any && kept == 0);
                    c.trailingGap = true;
                    continue;
                }
                c.trailingGap = false;
                r[kept] = r[k];
                cm[kept] = mk != nullptr ? mk[k] : 0;
                lo = std::min(lo, r[k]);
                hi = std::max(hi, r[k]);
                ++kept;
            }
            if (kept == 0)
                continue;
            mk = marks != nullptr ? cm : nullptr;
        } else {
            c.trailingGap = false;
        }
        const bool start = !c.any;
        if (start) {
            c.any = true;
            c.lowRow = lo;
            c.highRow = hi;
            c.firstRow = r[0];
            c.firstMark = mk != nullptr ? mk[0] : 0;
            prevRow = r[0];
        }
        c.lowRow = std::min(c.lowRow, lo);
        c.highRow = std::max(c.highRow, hi);
        c.lastRow = r[kept - 1];
        std::uint8_t chunkTop = 0;
        if (mk != nullptr)
            for (int k = 0; k < kept; ++k)
                chunkTop = mk[k] > chunkTop ? mk[k] : chunkTop;
        c.top = std::max<int>(c.top, chunkTop);
        if (dots)
            dotsOfChunk(start, prevRow, kept, r, chunkTop == 0 ? nullptr : mk);
        prevRow = r[kept - 1];
    }
}

void PlotPainter::curvePass(QPainter& p, const ViewGeometry& g, const PlotData& d, int a, int b)
{
    // The summary pays once a column holds a few of its blocks; it must be
    // the summary of these very samples.
    const bool summarised = d.summary != nullptr && d.summary->built() && d.summary->samples() == d.samples &&
                            d.summary->count() == d.count && g.samplesPerPixel >= 128.0;
    // The stroke of a column takes the pen of the previous column's highest
    // mark (the first column: the mark of its first sample); the join into a
    // column the higher of the two columns' marks. A join is left out where
    // a non-finite sample lies between its ends.
    bool drawn = false;
    bool broken = false;
    int carried = 0;
    int prevX = 0;
    int prevLastRow = 0;
    auto lastDot = [&] {
        if (prevLastRow >= dotTop_ && prevLastRow < dotTop_ + dotRows_)
            dots_.push_back(Run{prevX, prevLastRow, 1});
    };
    int i = a;
    while (i <= b) {
        Column c;
        c.x = g.column(i);
        const int e = columnEnd(g, i, c.x, b);
        if (!(summarised && summaryColumn(g, d, i, e, b, c)))
            sampleColumn(g, d.samples, d.marks, i, e, true, c);
        i = e + 1;
        if (!c.any) {
            broken = true;
            continue;
        }
        if (drawn) {
            // The previous column's last sample gets its dot unless the
            // next sample shown is marked.
            if (c.firstMark == 0)
                lastDot();
        } else {
            carried = c.firstMark;
        }
        broken = broken || c.leadingGap;
        stroke(p, markColor(carried), c.x, c.lowRow, c.highRow);
        if (drawn && !broken)
            lineTo(p, markColor(std::max(carried, c.top)), clip_, prevX, prevLastRow, c.x, c.firstRow);
        flushDots(c.x);
        drawn = true;
        broken = c.trailingGap;
        carried = c.top;
        prevX = c.x;
        prevLastRow = c.lastRow;
    }
    if (drawn)
        lastDot();  // the last sample shown always has its dot
}

bool PlotPainter::summaryColumn(const ViewGeometry& g, const PlotData& d, int i, int e, int b, Column& c)
{
    const SampleSummary& s = *d.summary;
    const float* v = d.samples;
    // The dot of the column's last sample depends on the next one.
    const int next = e < b ? e + 1 : e;
    if (!std::isfinite(v[next]))
        return false;
    if (d.marks != nullptr) {
        if (d.markBlocks == nullptr)
            return false;
        const int b0 = i >> SampleSummary::kBlockShift;
        const int b1 = next >> SampleSummary::kBlockShift;
        for (int k = b0; k <= b1; ++k)
            if (d.markBlocks[k] != 0)
                return false;
    }
    const SampleSummary::Range range = s.range(i, e);
    if (range.nonFinite)
        return false;
    c.any = true;
    c.lowRow = g.row(range.hi);
    c.highRow = g.row(range.lo);
    c.firstRow = g.row(v[i]);
    c.lastRow = g.row(v[e]);
    ++summaryColumns_;

    // Dots: every row a sample of the column lies on (all of them are
    // unmarked, and so is the next sample). Only the rows of the region
    // matter. Each block's smallest and largest sample are samples, so the
    // rows of the block ends are met for sure; the rows between them are
    // met unless the values of the block jump over them, which only the
    // samples tell. A block is opened (its sub-blocks, at last its samples)
    // only while some row between its ends is still unmet.
    const int top = std::max(c.lowRow, dotTop_);
    const int bottom = std::min(c.highRow, dotTop_ + dotRows_ - 1);
    if (top > bottom)
        return true;
    coverTop_ = top;
    cover_.resize(static_cast<std::size_t>(bottom - top + 2));
    for (std::size_t k = 0; k < cover_.size(); ++k)
        cover_[k] = static_cast<int>(k);
    // The column as aligned blocks, largest first, and sample stretches at
    // its ends.
    struct Node {
        int level;
        int block;
    };
    Node nodes[256];
    int count = 0;
    int j = i;
    while (j <= e) {
        int level = -1;
        for (int k = s.levels() - 1; k >= 0; --k) {
            const long long size = SampleSummary::blockSize(k);
            if ((j & (size - 1)) == 0 && j + size - 1 <= e) {
                level = k;
                break;
            }
        }
        if (level < 0 || count == 256) {
            const int end = level < 0 ? std::min(e, j | static_cast<int>(SampleSummary::blockSize(0) - 1)) : e;
            coverSamples(g, v + j, end - j + 1);
            j = end + 1;
            continue;
        }
        nodes[count++] = Node{level, j >> (SampleSummary::kBlockShift + SampleSummary::kFanShift * level)};
        j += static_cast<int>(SampleSummary::blockSize(level));
    }
    for (int k = 0; k < count; ++k) {
        coverRow(g.row(s.high(nodes[k].level, nodes[k].block)));
        coverRow(g.row(s.low(nodes[k].level, nodes[k].block)));
    }
    for (int k = 0; k < count; ++k)
        coverBlock(g, s, nodes[k].level, nodes[k].block);
    return true;
}

namespace {
// The nearest row index at or after k not met yet (path halving).
int unmet(std::vector<int>& cover, int k)
{
    while (cover[static_cast<std::size_t>(k)] != k) {
        cover[static_cast<std::size_t>(k)] = cover[static_cast<std::size_t>(cover[static_cast<std::size_t>(k)])];
        k = cover[static_cast<std::size_t>(k)];
    }
    return k;
}
}  // namespace

void PlotPainter::coverRow(int row)
{
    const int k = row - coverTop_;
    if (k < 0 || k >= static_cast<int>(cover_.size()) - 1)
        return;
    if (cover_[static_cast<std::size_t>(k)] == k) {
        cover_[static_cast<std::size_t>(k)] = k + 1;
        hitRow(row);
    }
}

void PlotPainter::coverSamples(const ViewGeometry& g, const float* v, int n)
{
    int* r = rows_.data();
    int lo = 0;
    int hi = 0;
    computeRows(g, v, n, r, lo, hi);
    for (int k = 0; k < n; ++k)
        coverRow(r[k]);
}

void PlotPainter::coverBlock(const ViewGeometry& g, const SampleSummary& s, int level, int block)
{
    // Rows strictly between the block's ends, inside the covered rows.
    const int first = std::max(g.row(s.high(level, block)) + 1, coverTop_) - coverTop_;
    const int last = std::min(g.row(s.low(level, block)) - 1, coverTop_ + static_cast<int>(cover_.size()) - 2) - coverTop_;
    if (first > last || unmet(cover_, first) > last)
        return;
    if (level == 0) {
        const int start = block << SampleSummary::kBlockShift;
        coverSamples(g, s.samples() + start, std::min(static_cast<int>(SampleSummary::blockSize(0)), s.count() - start));
        return;
    }
    const int c0 = block << SampleSummary::kFanShift;
    const int c1 = std::min(s.blocks(level - 1), c0 + (1 << SampleSummary::kFanShift));
    for (int c = c0; c < c1; ++c) {
        coverRow(g.row(s.high(level - 1, c)));
        coverRow(g.row(s.low(level - 1, c)));
    }
    for (int c = c0; c < c1; ++c)
        coverBlock(g, s, level - 1, c);
}

// Dots: walking the samples, a dot goes at the previous sample's pixel
// whenever the pixel changes and the new sample is unmarked. Inside one
// column only the row can change. `marks` is null when the chunk has no
// marked sample, which makes the loop branch-free.
void PlotPainter::dotsOfChunk(bool columnStart, int prevRow, int n, const int* r, const std::uint8_t* marks)
{
    const int k0 = columnStart ? 1 : 0;
    if (marks == nullptr) {
        // Every run of equal rows that ends gets its dot: the run before
        // the chunk if the chunk starts with another row, and every run of
        // the chunk but the last one, which may go on in the next chunk
        // (or ends the column, where the change of column decides).
        if (!columnStart && r[0] != prevRow)
            hitRow(prevRow);
        int f = n - 1;
        while (f > 0 && r[f - 1] == r[n - 1])
            --f;
        std::uint8_t* h = hit_.data();
        const int top = dotTop_ - 1;
        const int last = dotRows_ + 1;
        for (int k = 0; k < f; ++k) {
            int slot = r[k] - top;
            slot = slot < 0 ? 0 : (slot > last ? last : slot);
            h[slot] = 1;
        }
        return;
    }
    for (int k = k0; k < n; ++k) {
        const int before = k == 0 ? prevRow : r[k - 1];
        if (r[k] != before && marks[k] == 0)
            hitRow(before);
    }
}

void PlotPainter::flushDots(int x)
{
    // hit_[1 .. dotRows_] are the region's rows; the ends collect the
    // rows outside it, which would be clipped anyway.
    std::uint8_t* h = hit_.data();
    h[0] = 0;
    h[dotRows_ + 1] = 0;
    int k = 1;
    while (k <= dotRows_) {
        const void* found = std::memchr(h + k, 1, static_cast<std::size_t>(dotRows_ + 1 - k));
        if (found == nullptr)
            break;
        int s = static_cast<int>(static_cast<const std::uint8_t*>(found) - h);
        int e = s;
        while (e <= dotRows_ && h[e] != 0) {
            h[e] = 0;
            ++e;
        }
        dots_.push_back(Run{x, dotTop_ + s - 1, e - s});
        k = e;
    }
}

void PlotPainter::drawDots(QPainter& p)
{
    const QColor black = dotColor();
    for (const Run& r : dots_)
        p.fillRect(QRect(r.x, r.y, 1, r.len), black);
}

void PlotPainter::pendingPass(QPainter& p, const ViewGeometry& g, const PlotData& d, int a, int b)
{
    const QColor red = resultColor();
    int i = a;
    while (i <= b) {
        if (d.marks[i] != MarkPending) {
            ++i;
            continue;
        }
        int e = i;
        while (e < b && d.marks[e + 1] == MarkPending)
            ++e;
        // The run's result values as a curve of strokes and joins, with
        // gaps at non-finite values.
        bool drawn = false;
        bool broken = false;
        Column prev;
        for (int j = i; j <= e;) {
            Column c;
            c.x = g.column(j);
            const int end = columnEnd(g, j, c.x, e);
            sampleColumn(g, d.result, nullptr, j, end, false, c);
            j = end + 1;
            if (!c.any) {
                broken = true;
                continue;
            }
            broken = broken || c.leadingGap;
            if (drawn) {
                stroke(p, red, prev.x, prev.lowRow, prev.highRow);
                if (!broken)
                    lineTo(p, red, clip_, prev.x, prev.lastRow, c.x, c.firstRow);
            }
            drawn = true;
            broken = c.trailingGap;
            prev = c;
        }
        if (drawn)
            stroke(p, red, prev.x, prev.lowRow, prev.highRow);
        i = e + 1;
    }
}
