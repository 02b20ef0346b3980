#include "PlotPainter.h"

#include <QPainter>

#include "Near.h"
#include "PlotPixels.h"
#include "SampleSummary.h"
#include "ViewArrays.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace plotpixels;

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
