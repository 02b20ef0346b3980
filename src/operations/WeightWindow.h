#pragma once
// The symmetric weight windows of the sliding filters.
//
// A window is built from its type, its size W (full width at half of the
// peak weight, in X units) and the sample step h (same unit). It reaches m
// samples to each side and gives offset k (-m ... m) the weight w(|k|):
//
//   rectangular  m = round(W/2h)          w(k) = 1
//   parabolic    m = floor(0.7071 W/h)    w(k) = 1 - (k h c)^2,  c = 1/(0.7071 W)
//   Gaussian     m = round(2W/h)          w(k) = exp(-(k h g)^2), g = 1.665109222/W
//
// round() is rounding half up. The Gaussian is cut at twice its width.

#include <vector>

enum WindowType { WindowRectangular = 0, WindowParabolic = 1, WindowGaussian = 2 };

struct WeightWindow {
    int halfWidth = 0;             // m
    std::vector<double> weights;   // w(0) ... w(m), not normalised

    // False for a type other than the three above.
    static bool valid(int type) { return type >= WindowRectangular && type <= WindowGaussian; }
    // m for the window, saturated to the int range; -1 for an unknown type.
    static int halfWidthOf(int type, double W, double h);
    // Builds m and the weights; the type must be valid and m not negative.
    static WeightWindow make(int type, double W, double h);
};
