#include "PlotPainter.h"

#include <QPainter>
#include <QPen>

#include "Near.h"
#include "ViewArrays.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Rows of n values; a plain loop the compiler vectorises.
void computeRows(const ViewGeometry& g, const float* v, int n, int* out)
{
    const double minimum = g.minimum;
    const double sy = g.unitsPerPixel;
    const double b = g.bottomRow;
    for (int i = 0; i < n; ++i)
        out[i] = nearPixel((minimum - static_cast<double>(v[i])) / sy + b);
}

// A line from (x0, y0) to (x1, y1) without its end pixel.
void lineTo(QPainter& p, int x0, int y0, int x1, int y1)
{
    if (x0 == x1 && y0 == y1)
        return;
    p.drawLine(x0, y0, x1, y1);
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
    a = std::clamp(nearInt(region.left() * sx), 0, count - 1);
    if (a >= m)
        a -= m;
    b = std::clamp(nearInt(region.right() * sx), 0, count - 1);
    if (b <= count - m - 1)
        b += m;
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

template <class Fn>
void PlotPainter::walkColumns(const ViewGeometry& g, const float* values, int a, int b, Fn&& fn)
{
    int i = a;
    while (i <= b) {
        const int x = g.column(i);
        const int e = columnEnd(g, i, x, b);
        const int n = e - i + 1;
        if (rows_.size() < static_cast<std::size_t>(n))
            rows_.resize(static_cast<std::size_t>(n));
        int* r = rows_.data();
        computeRows(g, values + i, n, r);
        int lo = r[0];
        int hi = r[0];
        for (int k = 1; k < n; ++k) {
            lo = r[k] < lo ? r[k] : lo;
            hi = r[k] > hi ? r[k] : hi;
        }
        fn(Column{x, i, e, lo, hi, r[0], r[n - 1]});
        i = e + 1;
    }
}

void PlotPainter::usePen(QPainter& p, int mark)
{
    if (pen_ == mark)
        return;
    pen_ = mark;
    QPen pen(mark < 0 ? resultColor() : markColor(mark));
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
}

void PlotPainter::paint(QPainter& p, const ViewGeometry& g, const PlotData& d, const QRect& region)
{
    int a = 0;
    int b = -1;
    sampleRange(g, d.count, region, a, b);
    if (b < a || d.samples == nullptr || d.marks == nullptr)
        return;
    const bool antialiased = p.testRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::Antialiasing, false);
    pen_ = -2;
    dotTop_ = region.top();
    dotRows_ = region.height();
    hit_.assign(static_cast<std::size_t>(dotRows_) + 2, 0);
    dots_.clear();

    curvePass(p, g, d, a, b);
    drawDots(p);
    if (d.result != nullptr && std::memchr(d.marks + a, MarkPending, static_cast<std::size_t>(b - a + 1)))
        pendingPass(p, g, d, a, b);
    p.setRenderHint(QPainter::Antialiasing, antialiased);
}

void PlotPainter::curvePass(QPainter& p, const ViewGeometry& g, const PlotData& d, int a, int b)
{
    const std::uint8_t* marks = d.marks;
    // The stroke of a column takes the pen of the previous column's highest
    // mark (the first column: the mark of sample a); the join into a column
    // the higher of the two columns' marks.
    int carried = marks[a];
    bool first = true;
    int prevX = 0;
    int prevLastRow = 0;
    walkColumns(g, d.samples, a, b, [&](const Column& c) {
        int colMark = 0;
        for (int i = c.first; i <= c.last; ++i)
            colMark = marks[i] > colMark ? marks[i] : colMark;
        if (first)
            colMark = std::max(colMark, carried);
        usePen(p, carried);
        stroke(p, markColor(carried), c.x, c.lowRow, c.highRow);
        if (!first) {
            usePen(p, std::max(carried, colMark));
            lineTo(p, prevX, prevLastRow, c.x, c.firstRow);
        }
        collectDots(c, marks, colMark, b);
        flushDots(c.x);
        first = false;
        carried = colMark;
        prevX = c.x;
        prevLastRow = c.lastRow;
    });
}

// Dots: walking the samples, a dot goes at the previous sample's pixel
// whenever the pixel changes and the new sample is unmarked; the last
// sample always gets its dot.
void PlotPainter::collectDots(const Column& c, const std::uint8_t* marks, int colMark, int b)
{
    const int* r = rows_.data();
    const int n = c.last - c.first + 1;
    if (colMark == 0) {
        // No mark in the column: every row of the column except its final
        // run gets a dot, whatever the order of the rows.
        int f = n - 1;
        while (f > 0 && r[f - 1] == r[n - 1])
            --f;
        for (int k = 0; k < f; ++k)
            hitRow(r[k]);
    } else {
        for (int k = 1; k < n; ++k)
            if (r[k] != r[k - 1] && marks[c.first + k] == 0)
                hitRow(r[k - 1]);
    }
    // The change of column after the last sample.
    if (c.last == b || marks[c.last + 1] == 0)
        hitRow(c.lastRow);
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
    usePen(p, -1);
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
        bool first = true;
        Column prev{};
        walkColumns(g, d.result, i, e, [&](const Column& c) {
            if (!first) {
                stroke(p, red, prev.x, prev.lowRow, prev.highRow);
                lineTo(p, prev.x, prev.lastRow, c.x, c.firstRow);
            }
            first = false;
            prev = c;
        });
        stroke(p, red, prev.x, prev.lowRow, prev.highRow);
        i = e + 1;
    }
}
