#pragma once
// Undefined samples: NaN (blank FITS samples, gaps) and infinities.
//
// Statistics, fits, averages and medians leave such samples out, as if they
// were absent; a result with no defined sample behind it is NaN. Every
// operation asks once per array whether there is anything to leave out, so
// records without undefined samples keep their fast loops unchanged.

#include <cmath>
#include <cstddef>

// True when none of x[0 ... n-1] is NaN or infinite.
bool allFinite(const float* x, std::size_t n);

inline bool isDefined(float v) { return std::isfinite(v); }
