#include "ViewGeometry.h"

#include "Near.h"

#include <algorithm>
#include <cmath>

void ViewGeometry::computeRange(const float* samples, int n)
{
    count = std::max(n, 0);
    bool any = false;
    float lo = 0.0f;
    float hi = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float v = samples[i];
        if (!std::isfinite(v))
            continue;  // a NaN or infinity would make every scale meaningless
        if (!any) {
            lo = hi = v;
            any = true;
        } else if (v < lo) {
            lo = v;
        } else if (v > hi) {
            hi = v;
        }
    }
    minimum = lo;
    maximum = hi;
}

// S_y and B for a client height h. A window one pixel high (or collapsed)
// would divide by h - 1 = 0: the divisor is kept at 1 at least. A record
// whose samples are all equal has no range to spread over the height: it
// gets a nominal range of |value| (1 for zero) and its line is drawn across
// the middle of the window, so that the readout and the rescale tools still
// work.
void ViewGeometry::scaleY(int h)
{
    if (h < 1)
        h = 1;
    const double rows = static_cast<double>(std::max(h - 1, 1));
    bottomRow = h - 1;
    const double range = static_cast<double>(maximum) - static_cast<double>(minimum);
    if (range > 0.0 && std::isfinite(range) && range / rows > 0.0) {
        unitsPerPixel = range / rows;
        return;
    }
    const double nominal = minimum != 0.0f ? std::fabs(static_cast<double>(minimum)) : 1.0;
    unitsPerPixel = nominal / rows;
    bottomRow = std::floor((h - 1) / 2.0);
}

void ViewGeometry::fit(int w, int h)
{
    if (w < 1)
        w = 1;
    if (h < 1)
        h = 1;
    areaWidth = w;
    areaHeight = h;
    scaleY(h);
    // An empty record still needs a finite scale for the pointer readout.
    samplesPerPixel = static_cast<double>(std::max(count, 1)) / w;
}

void ViewGeometry::oneToOne(int h)
{
    if (h < 1)
        h = 1;
    areaWidth = std::max(count, 1);
    areaHeight = h;
    samplesPerPixel = 1.0;
    scaleY(h);
}

bool ViewGeometry::rescale(bool xAxis, bool magnify, int x, int y, RescaleAnchor& anchor)
{
    anchor.k = index(x);
    anchor.v = static_cast<float>(value(y));
    const double oldSx = samplesPerPixel;
    const double oldSy = unitsPerPixel;
    const double oldB = bottomRow;
    const double factor = magnify ? 2.0 / 3.0 : 1.5;
    if (xAxis)
        samplesPerPixel *= factor;
    else
        unitsPerPixel *= factor;
    const double range = static_cast<double>(maximum) - static_cast<double>(minimum);
    const double hReal = std::ceil(range / unitsPerPixel + 1.0);
    const double wReal = std::ceil(std::max(count, 1) / samplesPerPixel);
    if (!(wReal < kAreaWidthLimit) || !(hReal < kAreaHeightLimit) || !(samplesPerPixel > 0.0) ||
        !(unitsPerPixel > 0.0)) {
        samplesPerPixel = oldSx;
        unitsPerPixel = oldSy;
        bottomRow = oldB;
        return false;
    }
    areaWidth = std::max(static_cast<int>(wReal), 1);
    areaHeight = std::max(static_cast<int>(hReal), 1);
    bottomRow = areaHeight - 1;
    return true;
}

int ViewGeometry::index(int x) const { return nearInt(x * samplesPerPixel); }

IndexSpan ViewGeometry::indexSpan(int x1, int x2) const
{
    if (x1 > x2)
        std::swap(x1, x2);
    IndexSpan s;
    const double lo = std::floor((x1 - 0.5) * samplesPerPixel);
    const double hi = std::ceil((x2 + 0.5) * samplesPerPixel);
    s.lo = lo < 0.0 ? 0 : (lo > count ? count : static_cast<int>(lo));
    s.hi = hi > count - 1 ? count - 1 : (hi < -1 ? -1 : static_cast<int>(hi));
    return s;
}

PixelSpan ViewGeometry::pixelSpan(int lo, int hi) const
{
    if (lo > hi)
        std::swap(lo, hi);
    PixelSpan p;
    constexpr double limit = static_cast<double>(INT_MAX);
    p.x1 = static_cast<int>(std::max(-limit, std::floor(lo / samplesPerPixel)));
    p.x2 = static_cast<int>(std::min(limit, std::ceil(hi / samplesPerPixel)));
    return p;
}
