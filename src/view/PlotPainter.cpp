#include "PlotPainter.h"

#include <QPainter>

#include "Near.h"
#include "PlotPixels.h"
#include "SampleSummary.h"
#include "ViewArrays.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

using namespace plotpixels;

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
