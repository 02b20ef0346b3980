#pragma once
// Rounding half up, used for every pixel, index and grid-size conversion:
// r = floor(v), and ceil(v) instead when v - r >= 0.5. Unlike std::round it
// takes -2.5 to -2, which keeps pixel columns of negative coordinates evenly
// spaced.

#include <climits>
#include <cmath>

inline double near(double v)
{
    double r = std::floor(v);
    if (v - r >= 0.5)
        r = std::ceil(v);
    return r;
}

// near() converted to int, saturating at the int range; NaN gives 0. Use it
// wherever the result indexes memory or sizes a grid, so that absurd
// coordinates cannot overflow.
inline int nearInt(double v)
{
    if (std::isnan(v))
        return 0;
    double r = near(v);
    if (r >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (r <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(r);
}
