#pragma once
// The sliding filter over one record: runs a weighted mean or a weighted
// median over the caller's samples into a work array, and offers the two
// follow-up steps of the filter, background removal and edge flattening.
//
// The first and last m work values come from cut windows (m = the half-width
// of the last kernel applied, the "low margin"); flattening replaces them by
// the nearest value computed with the full window.

#include "SampleArray.h"

class ptools {
public:
    ptools() = default;
    ptools(const ptools&) = delete;
    ptools& operator=(const ptools&) = delete;

    // Keeps the data reference (n samples, step h; only read) and makes a
    // new work array holding a copy of the samples; margins 0, high bound n.
    void init(const float* data, int n, double h);
    // The same, with the caller's buffer of n values, which already holds a
    // copy of the data, as the work array (not owned). Saves a record-sized
    // allocation when the caller's result is to take the work array anyway.
    void initInPlace(const float* data, float* work, int n, double h);
    // Filter type FilterType::Mean or FilterType::Median (SlidingMeanTuning.h), with the window type
    // and size W; any other filter type leaves the work array as it is.
    // NaN and infinite samples are left out of every window; a window
    // without a defined sample gives NaN.
    // Without data: fatal "ptools: no input data".
    void apply(int windowType, int filterType, double W);
    // work = data - work.
    void removeBackground();
    // work[i] = work[flatten margin] below the flatten margin and
    // work[high bound - 1] from the high bound on. False, with the work array
    // untouched, when the margins leave no sample between them to copy.
    bool flattenEdges();
    void destroy();

    float* work()
    {
        fillWork();
        return external_ ? external_ : work_.data();
    }
    const float* data() const { return data_; }
    int size() const { return n_; }
    int lowMargin() const { return low_; }
    int flattenMargin() const { return flatten_; }
    int highBound() const { return high_; }

private:
    // The work array starts as a copy of the data; the copy is made only
    // when something reads the work array before a kernel has filled it.
    void fillWork();

    const float* data_ = nullptr;
    SampleArray work_;
    float* external_ = nullptr;
    int n_ = 0;
    double h_ = 0.0;
    int low_ = 0;
    int flatten_ = 0;
    int high_ = 0;
    bool copyPending_ = false;
};
