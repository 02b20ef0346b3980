#pragma once
// Weighted mean over a symmetric window (see WeightWindow.h).
//
// The mean at sample i takes the offsets k = -m ... m that stay inside the
// record and divides the weighted sum by the sum of the weights used, so
// near the ends the window is cut and renormalised, and a constant record
// stays constant everywhere.

#include "WeightWindow.h"

class warithmetic {
public:
    // An unknown type is fatal ("warithmetic: unhandled weight type").
    warithmetic(int type, double W, double h);

    int HalfWidth() const { return window_.halfWidth; }
    // Weights of the offsets 0 ... m.
    const std::vector<double>& Weights() const { return window_.weights; }

    // The weighted mean at i of x[0 ... n-1], summed in extended precision;
    // 0 when no weight falls inside the record.
    double meanAt(const float* x, int i, int n) const;

    // out[i] = mean at i of in, for every i. out and in must not overlap.
    // The rectangular window runs a running sum (O(1) per sample, see
    // BoxMean.h); the others sum their taps in double. Either way the single-
    // precision results stay within an ulp of the extended-precision sum.
    void filter(float* out, const float* in, int n) const;

    // The filter as the sliding mean runs it: NaN and infinite samples are
    // left out of every window (their weights too), and a window without a
    // defined sample gives NaN. Records without them are filtered exactly as
    // by filter().
    void filterFinite(float* out, const float* in, int n) const;

private:
    int type_;
    WeightWindow window_;
};
