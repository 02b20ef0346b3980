#pragma once
// The scales of one plot view and the mappings between samples and pixels
// of its scrollable area. No toolkit here, so the arithmetic can be tested
// on its own and reused by the painter and the mouse tools.
//
// Area coordinates: origin at the top left of the whole scrollable area,
// x to the right, y downwards. The smallest value is drawn on the bottom
// row B, the largest on row near(B - (maximum - minimum) / S_y).

#include "Near.h"

#include <climits>
#include <cstdint>

struct IndexSpan {
    int lo = 0;
    int hi = -1;  // hi < lo: no samples
    bool empty() const { return hi < lo; }
};

struct PixelSpan {
    int x1 = 0;
    int x2 = 0;
};

// Rows and columns are kept inside this range so that non-finite or absurd
// values never overflow the integer pixel arithmetic of the painter.
constexpr double kPixelLimit = 16777216.0;  // 2^24

// Rounding half up (near) for a value already inside +-kPixelLimit, written
// so that the compiler can vectorise loops over it. NaN gives -kPixelLimit.
inline int nearPixel(double t)
{
    t = t > -kPixelLimit ? t : -kPixelLimit;
    t = t < kPixelLimit ? t : kPixelLimit;
    int r = static_cast<int>(t);  // truncation towards zero
    double rd = static_cast<double>(r);
    r -= rd > t ? 1 : 0;  // floor
    rd = static_cast<double>(r);
    return r + (t - rd >= 0.5 ? 1 : 0);
}

// The largest area a view may have. Scroll ranges are int, so the width may
// come close to 2^31 pixels: every sample of a record of hundreds of millions
// can be given a column of its own. Rows stay below kPixelLimit, where the
// painter's row arithmetic is exact.
constexpr int kAreaWidthLimit = INT_MAX;
constexpr int kAreaHeightLimit = 1 << 24;

class ViewGeometry {
public:
    // ---- state ----
    double samplesPerPixel = 1.0;  // S_x
    double unitsPerPixel = 1.0;    // S_y
    double bottomRow = 0.0;        // B
    float minimum = 0.0f;
    float maximum = 0.0f;
    int count = 0;  // N
    int areaWidth = 1;
    int areaHeight = 1;

    // ---- the Y range ----
    // Smallest and largest finite sample. A record without finite samples
    // (or without samples) gets the range 0 .. 0.
    void computeRange(const float* samples, int n);
    bool flat() const { return !(maximum > minimum); }

    // ---- layouts ----
    // Fit in window for a client area of w x h pixels: the area becomes
    // w x h, S_x = N / w, B = h - 1, S_y = (maximum - minimum) / (h - 1).
    // Degenerate windows and records are kept usable (see the .cpp).
    void fit(int w, int h);
    // 1:1 for a client height h: S_x = 1, area N x h.
    void oneToOne(int h);

    // Rescale at a point: returns false (and changes nothing) when the new
    // area would reach kAreaWidthLimit or kAreaHeightLimit. On
    // success the area is resized and the clicked sample and value are
    // returned through k and v.
    struct RescaleAnchor {
        int k = 0;
        float v = 0.0f;
    };
    bool rescale(bool xAxis, bool magnify, int x, int y, RescaleAnchor& anchor);
    // Where the anchor lands after a rescale.
    int anchorColumn(const RescaleAnchor& a) const { return column(a.k); }
    int anchorRow(const RescaleAnchor& a) const { return row(a.v); }

    // ---- mappings ----
    // Columns reach far beyond kPixelLimit in a magnified long record.
    int column(long long i) const { return nearInt(static_cast<double>(i) / samplesPerPixel); }
    int row(double v) const { return nearPixel((minimum - v) / unitsPerPixel + bottomRow); }
    // Sample index under column x; not clamped to the record.
    int index(int x) const;
    double value(int y) const { return (bottomRow - y) * unitsPerPixel + minimum; }
    // Pixel span to the samples it covers, widened by half a pixel on each
    // side and clamped to the record.
    IndexSpan indexSpan(int x1, int x2) const;
    // Index span to the columns it covers.
    PixelSpan pixelSpan(int lo, int hi) const;
    // Rows of the largest and smallest value.
    int maximumRow() const { return row(maximum); }
    int minimumRow() const { return nearPixel(bottomRow); }

private:
    void scaleY(int h);
};
