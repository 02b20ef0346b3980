#include "WeightWindow.h"

#include "Near.h"

#include <cmath>

namespace {
constexpr double kParabolicSpan = 0.7071067811865476;  // 1/sqrt(2): weight 0.5 at W/2
constexpr double kGaussianScale = 1.665109222;         // 2 sqrt(ln 2): weight 0.5 at W/2

int floorInt(double v)
{
    if (std::isnan(v))
        return 0;
    double r = std::floor(v);
    if (r >= 2147483647.0)
        return 2147483647;
    if (r <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(r);
}
}  // namespace

int WeightWindow::halfWidthOf(int type, double W, double h)
{
    switch (type) {
    case WindowRectangular:
        return nearInt(W * 0.5 / h);
    case WindowParabolic: {
        const double c = 1.0 / (W * kParabolicSpan);
        return floorInt((1.0 / c) / h);
    }
    case WindowGaussian:
        return nearInt(2.0 * W / h);
    default:
        return -1;
    }
}

WeightWindow WeightWindow::make(int type, double W, double h)
{
    WeightWindow win;
    win.halfWidth = halfWidthOf(type, W, h);
    if (win.halfWidth < 0)
        win.halfWidth = 0;
    const int m = win.halfWidth;
    win.weights.resize(static_cast<std::size_t>(m) + 1);
    const double c = 1.0 / (W * kParabolicSpan);
    const double g = kGaussianScale / W;
    for (int k = 0; k <= m; ++k) {
        double w = 1.0;  // the centre weighs 1 whatever the width
        if (k == 0) {
        } else if (type == WindowParabolic) {
            const double q = k * h * c;
            w = 1.0 - q * q;
        } else if (type == WindowGaussian) {
            const double q = k * h * g;
            w = std::exp(-(q * q));
        }
        win.weights[static_cast<std::size_t>(k)] = w;
    }
    return win;
}
