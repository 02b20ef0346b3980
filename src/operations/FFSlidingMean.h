#pragma once
// The sliding-mean filter: every sample becomes the weighted mean or median
// of its neighbours within a window of size W, optionally subtracted from
// the record ("remove background"). Near the ends, where the window is cut,
// the values are left, flattened to the nearest full-window value, or cut
// off (the output then has N - 2m samples and CRVAL1 moves by m steps).
//
// Failures are reported as "FFSlidingMean: ..." messages, and the window
// size check as "Invalid window size".

#include "FFTransform.h"
#include "SlidingMeanTuning.h"

class FFSlidingMean : public FFTransform {
public:
    // Without settings the process-wide record applies (and its dialog is
    // shown unless it is quiet). The preview array, if any, receives the N
    // values of the smoothed curve; it is not owned.
    explicit FFSlidingMean(FFile* input, const SlidingMeanTuning* settings = nullptr, float* preview = nullptr);

    const SlidingMeanTuning& Settings() const { return settings_; }

protected:
    bool Prepare() override;
    bool Compute() override;

private:
    SlidingMeanTuning settings_;
    float* preview_;
};
