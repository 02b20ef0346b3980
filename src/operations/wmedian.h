#pragma once
// Running weighted median over a symmetric window (see WeightWindow.h).
//
// The window keeps its samples in a fixed pool of 2m+1 nodes chained twice:
// by age (newest first) and by value (ascending; among equal values the
// newest first). A sample pushed j pushes or steps ago weighs weight[j],
// the weights being normalised to add up to 1. The median is the value at
// which the running weight, walking up the value chain, first reaches half
// the total weight of the samples present (1 when the window is full, else
// their weights summed in the same walk), so for an even count of equal weights it is the lower of the middle two.
//
// filter() gives out[i] the weighted median of the samples within m of i
// that lie inside the record: near the ends the window is simply cut.
// Records without NaN take a sorted-array path that yields the very same
// values as the chains, tie rule included, an order of magnitude faster.

#include <vector>

class wmedian {
public:
    // An unknown type is fatal ("wmedian: unhandled weight type").
    wmedian(int type, double W, double h);

    int HalfWidth() const { return m_; }
    int Length() const { return length_; }
    // weight[j] for j = 0 ... 2m, the weight of offset j - m.
    const std::vector<double>& Weights() const { return weight_; }
    int Count() const { return count_; }

    void reset();
    // Adds a sample as the newest, first dropping the oldest if the pool is full.
    void push(double value);
    // Removes the oldest sample; nothing if the window is empty.
    void popOldest();
    // One step of the window without a new sample: every sample present
    // moves one weight further on, as at the end of the record.
    void advance() { ++index_; }
    // The weighted median of the window; +infinity if it is empty.
    double median() const;

    // out[i] = weighted median around in[i], for every i.
    void filter(float* out, const float* in, int n);
    // The filter as the sliding mean runs it: NaN and infinite samples are
    // left out of every window (the total weight is that of the samples
    // present), and a window without a defined sample gives NaN. Records
    // without them are filtered exactly as by filter().
    void filterFinite(float* out, const float* in, int n);

private:
    struct Node {
        double value = 0.0;
        int stamp = 0;
        int newer = -1, older = -1;  // age chain
        int lower = -1, higher = -1; // value chain
    };

    void filterChains(float* out, const float* in, int n);
    void filterSorted(float* out, const float* in, int n, bool leaveOut = false) const;

    int type_;
    int m_ = 0;
    int length_ = 1;
    std::vector<double> weight_;
    std::vector<Node> pool_;
    int free_ = -1;
    int newest_ = -1, oldest_ = -1;
    int lowest_ = -1, highest_ = -1;
    int count_ = 0;
    int index_ = -1;
};
