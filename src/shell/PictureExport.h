#pragma once
// Pictures of a plot view for papers and notes: PNG pixels exactly as the
// view paints them, or an SVG drawing whose curve is vector strokes, one
// path per run of samples drawn in one colour.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <QString>

#include <vector>

class CFFView;

namespace PictureExport {

// The visible part of the view, as it is on the screen.
QImage onScreen(CFFView& view);
// The whole record laid out as Fit in window for a window of size pixels.
QImage fitted(CFFView& view, QSize size);

struct Stroke {
    QColor colour;
    QPainterPath path;
};
// The curve as strokes: the visible part (size empty) or the whole record
// fitted into size. A pixel column holding many samples contributes its
// first, lowest, highest and last sample only.
std::vector<Stroke> strokes(CFFView& view, QSize size, QSize* drawing = nullptr);

// Writes a PNG (any other suffix than .svg) or an SVG of the view, at the
// on-screen size (size empty) or the size given; the file is replaced only
// when complete. False with the message "Picture: write error" on failure.
bool write(CFFView& view, QSize size, const QString& path);

}  // namespace PictureExport
