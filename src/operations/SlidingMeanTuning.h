#pragma once
// Settings of the sliding-mean filter: one process-wide record
// (Tuning<SlidingMeanTuning>) with these initial values, edited by the
// sliding-mean tuning dialog.

struct SlidingMeanTuning {
    int windowFunction = 0;         // 0 rectangular, 1 parabolic, 2 Gaussian
    int filterType = 0;             // 0 weighted mean, 1 weighted median
    bool removeBackground = false;  // output = record minus smoothed curve
    int boundaryMode = 0;           // 0 leave unchanged, 1 cut, 2 flatten
    bool quiet = false;             // run without showing the dialog
    double windowSize = 0.0;        // W, in the record's own X unit
    bool given = false;             // the record was passed explicitly to the operation
};
