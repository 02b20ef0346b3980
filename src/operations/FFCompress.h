#pragma once
// Compression: every block of f consecutive samples becomes one output
// sample, their arithmetic mean or their median; the last N mod f samples
// are dropped. The output head gets NAXIS1 = N div f, CDELT1 = f * step and
// CRVAL1 moved to the centre of the first block.
//
// Failures are reported as "FFCompress: ..." messages.

#include "CompressTuning.h"
#include "FFTransform.h"

class FFCompress : public FFTransform {
public:
    // Without settings the process-wide record applies (and its dialog is
    // shown unless it is quiet).
    explicit FFCompress(FFile* input, const CompressTuning* settings = nullptr);

    const CompressTuning& Settings() const { return settings_; }

    // The kernels: outN = n div f outputs from x[0 ... outN*f - 1]; f >= 1.
    // Means are summed in double from 0 and divided by f.
    static void BlockMeans(const float* x, int n, int f, float* out);
    // The median of each block, the mean of the middle two for even f. A block
    // holding NaN is ordered by repeatedly selecting its smallest sample not
    // yet taken (the first of equal samples first), as NaN has no place in a
    // sorted order.
    static void BlockMedians(const float* x, int n, int f, float* out);
    // The same kernels leaving NaN and infinite samples out: the mean or
    // median of the defined samples of each block, NaN for a block without
    // one. The operation runs them only on stretches holding such samples.
    static void DefinedBlockMeans(const float* x, int n, int f, float* out);
    static void DefinedBlockMedians(const float* x, int n, int f, float* out);

protected:
    bool Prepare() override;
    bool Compute() override;

private:
    CompressTuning settings_;
};
