#pragma once
// Pixel-level helpers of the plot painter: sample rows and clipped lines.

#include "ViewGeometry.h"

#include <QColor>
#include <QPainter>
#include <QRect>

namespace plotpixels {

// Samples of one column worked out at a time.
constexpr int kChunk = 4096;

// Rows of n values, with their smallest and largest row: exactly
// nearPixel() of (minimum - v) / S_y + bottom row for every sample.
void computeRows(const ViewGeometry& g, const float* v, int n, int* out, int& lo, int& hi);

// A line from (x0, y0) to (x1, y1) without its end pixel, whichever way it
// runs. Along the longer axis the line sets one pixel per step; at step t
// of n its other coordinate is the start's plus near(t * d / n), d being
// the difference along the shorter axis. (QPainter's own lines drop the
// pixel at the bottom or right end rather than at the end, so they cannot
// be used here.) Only the steps inside `clip` are visited, which keeps
// lines to far-away points cheap, and pixels in a row or column are merged
// into one rectangle.
void lineTo(QPainter& p, const QColor& colour, const QRect& clip, int x0, int y0, int x1, int y1);

// A vertical stroke from row lo to row hi of column x, without the pixel at hi.
inline void stroke(QPainter& p, const QColor& c, int x, int lo, int hi)
{
    if (hi > lo)
        p.fillRect(QRect(x, lo, 1, hi - lo), c);
}

}  // namespace plotpixels
