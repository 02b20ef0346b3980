#pragma once
// Settings of the sliding-mean filter: one process-wide record
// (Tuning<SlidingMeanTuning>) with these initial values, edited by the
// sliding-mean tuning dialog.

// Values of SlidingMeanTuning::windowFunction (the weight windows of
// WeightWindow.h, same numbers).
namespace WindowFunction {
enum Value : int { Rectangular = 0, Parabolic = 1, Gaussian = 2 };
}

// Values of SlidingMeanTuning::filterType.
namespace FilterType {
enum Value : int { Mean = 0, Median = 1 };  // weighted mean, weighted median
}

// Values of SlidingMeanTuning::boundaryMode: what becomes of the values near
// the ends, where the window is cut.
namespace BoundaryMode {
enum Value : int { Leave = 0, Cut = 1, Flatten = 2 };
}

struct SlidingMeanTuning {
    int windowFunction = WindowFunction::Rectangular;
    int filterType = FilterType::Mean;
    bool removeBackground = false;  // output = record minus smoothed curve
    int boundaryMode = BoundaryMode::Leave;
    bool quiet = false;             // run without showing the dialog
    double windowSize = 0.0;        // W, in the record's own X unit
    bool given = false;             // the record was passed explicitly to the operation
};
