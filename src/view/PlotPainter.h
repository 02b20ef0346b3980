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

struct PlotData {
    const float* samples = nullptr;
    // Null when the view knows that no sample is marked: the painter then
    // need not read a byte per sample.
    const std::uint8_t* marks = nullptr;
    // May be null: then the pending pass is skipped.
    const float* result = nullptr;
    int count = 0;
};

class PlotPainter {
public:
    // Pen colours by mark (0 unmarked, 1 selected, 2 discarded, 3 pending).
    static QColor markColor(int mark);
    static QColor resultColor() { return QColor(255, 64, 64); }
    static QColor dotColor() { return QColor(0, 0, 0); }

    // Draws the samples under `region` (area coordinates; the painter is
    // already translated from area to window coordinates). The background
    // is not touched.
    void paint(QPainter& painter, const ViewGeometry& g, const PlotData& d, const QRect& region);

    // The sample range visited for a region: a .. b (empty when b < a).
    static void sampleRange(const ViewGeometry& g, int count, const QRect& region, int& a, int& b);

private:
    struct Column {
        int x;
        int first;
        int last;
        int lowRow;   // smallest row number (largest value)
        int highRow;  // greatest row number (smallest value)
        int firstRow;
        int lastRow;
    };

    // Splits a..b into pixel columns. chunkFn(column so far, first index,
    // count, rows) sees the rows of the column's samples a chunk at a time;
    // columnFn(column) follows when the column is complete.
    template <class ChunkFn, class ColumnFn>
    void walkColumns(const ViewGeometry& g, const float* values, int a, int b, ChunkFn&& chunkFn,
                     ColumnFn&& columnFn);
    int columnEnd(const ViewGeometry& g, int i, int x, int b) const;

    void curvePass(QPainter& p, const ViewGeometry& g, const PlotData& d, int a, int b);
    void pendingPass(QPainter& p, const ViewGeometry& g, const PlotData& d, int a, int b);
    void dotsOfChunk(bool columnStart, int prevRow, int s, int n, const int* r, const std::uint8_t* marks);
    void hitRow(int y)
    {
        int k = y - dotTop_ + 1;
        k = k < 0 ? 0 : (k > dotRows_ + 1 ? dotRows_ + 1 : k);
        hit_[static_cast<std::size_t>(k)] = 1;
    }
    void flushDots(int x);
    void drawDots(QPainter& p);

    std::vector<int> rows_;
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
};
