#pragma once
// Paints the curve of one view: column strokes and joins coloured by the
// marks, black sample dots, and the pending result in red.
//
// Only the samples under the region to repaint (plus ceil(S_x) on each side,
// so that strokes crossing the region's edges are complete) are visited, and
// a pixel column holding many samples costs one stroke and one join however
// many samples it holds. Lines follow the convention that a line does not
// set its end pixel.

#include "ViewGeometry.h"

#include <QColor>
#include <QRect>

#include <cstdint>
#include <vector>

class QPainter;
class SampleSummary;

struct PlotData {
    const float* samples = nullptr;
    // Null when the view knows that no sample is marked: the painter then
    // need not read a byte per sample.
    const std::uint8_t* marks = nullptr;
    // May be null: then the pending pass is skipped.
    const float* result = nullptr;
    int count = 0;
    // Optional: the min/max summary of these samples, and one byte per 64
    // samples that is not zero where a sample of that block is marked.
    // With them a column of many unmarked samples is drawn from the summary.
    const SampleSummary* summary = nullptr;
    const std::uint8_t* markBlocks = nullptr;
};

class PlotPainter {
public:
    // Pen colours by mark (0 unmarked, 1 selected, 2 discarded, 3 pending).
    static QColor markColor(int mark);
    static QColor resultColor() { return QColor(255, 64, 64); }
    static QColor dotColor() { return QColor(0, 0, 0); }

    // Draws the samples under `region` (area coordinates; the painter is
    // already translated from area to window coordinates). The background
    // is not touched. NaN and infinite samples are gaps: no line runs to or
    // from them, and they neither widen a column nor get a dot.
    void paint(QPainter& painter, const ViewGeometry& g, const PlotData& d, const QRect& region);

    // The sample range visited for a region: a .. b (empty when b < a).
    static void sampleRange(const ViewGeometry& g, int count, const QRect& region, int& a, int& b);

    // Columns drawn from the summary in the last paint (for tests).
    int summaryColumns() const { return summaryColumns_; }

private:
    // One pixel column of the curve, over its finite samples.
    struct Column {
        int x = 0;
        int lowRow = 0;   // smallest row number (largest value)
        int highRow = 0;  // greatest row number (smallest value)
        int firstRow = 0;
        int lastRow = 0;
        int top = 0;        // highest mark
        int firstMark = 0;  // mark of the first finite sample
        bool any = false;          // some sample is finite
        bool leadingGap = false;   // a non-finite sample before the first finite one
        bool trailingGap = false;  // a non-finite sample after the last finite one
    };

    int columnEnd(const ViewGeometry& g, int i, int x, int b) const;
    // The column x of samples i .. e, sample by sample; with dots, the dots
    // inside the column go to the row set.
    void sampleColumn(const ViewGeometry& g, const float* values, const std::uint8_t* marks, int i, int e,
                      bool dots, Column& c);
    // The same from the summary, for a column of finite unmarked samples
    // followed by an unmarked one; false (nothing done) when it does not apply.
    bool summaryColumn(const ViewGeometry& g, const PlotData& d, int i, int e, int b, Column& c);
    void coverBlock(const ViewGeometry& g, const SampleSummary& s, int level, int block);
    void coverSamples(const ViewGeometry& g, const float* v, int n);
    void coverRow(int row);

    void curvePass(QPainter& p, const ViewGeometry& g, const PlotData& d, int a, int b);
    void pendingPass(QPainter& p, const ViewGeometry& g, const PlotData& d, int a, int b);
    void dotsOfChunk(bool columnStart, int prevRow, int n, const int* r, const std::uint8_t* marks);
    void hitRow(int y)
    {
        int k = y - dotTop_ + 1;
        k = k < 0 ? 0 : (k > dotRows_ + 1 ? dotRows_ + 1 : k);
        hit_[static_cast<std::size_t>(k)] = 1;
    }
    void flushDots(int x);
    void drawDots(QPainter& p);

    std::vector<int> rows_;
    std::vector<std::uint8_t> chunkMarks_;
    std::vector<std::uint8_t> hit_;  // rows dotTop_-1 .. dotTop_+dotRows_ (ends: outside)
    int dotTop_ = 0;
    int dotRows_ = 0;
    struct Run {
        int x;
        int y;
        int len;
    };
    std::vector<Run> dots_;
    QRect clip_;
    // Rows coverRow() has met, over coverTop_ .. coverTop_ + size - 2: each
    // entry leads to the nearest row at or below it not met yet.
    std::vector<int> cover_;
    int coverTop_ = 0;
    int summaryColumns_ = 0;
};
