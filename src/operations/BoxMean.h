#pragma once
// Rectangular running mean with the window cut at the record ends:
// out[i] = mean of x[max(0, i-m) ... min(n-1, i+m)], for every i.
//
// Results agree with the direct extended-precision mean to within one ulp
// of single precision, at O(1) cost per sample. out and x must not overlap.

void boxMean(float* out, const float* x, int n, int m);

// The same, leaving NaN and infinite samples out: the mean of the defined
// samples of each window, NaN where a window holds none. Chunks without
// undefined samples run exactly as in boxMean.
void boxMeanFinite(float* out, const float* x, int n, int m);
