#include "PictureExport.h"

#include "CFFView.h"
#include "Messages.h"

#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

// The layout and the part of the area a picture shows.
struct Frame {
    ViewGeometry g;
    QRect area;
};

Frame frameOf(CFFView& view, QSize size)
{
    Frame fr{view.scales(), QRect(view.scrollPosition(), view.viewport()->size())};
    if (!size.isEmpty()) {
        fr.g.fit(size.width(), size.height());
        fr.area = QRect(QPoint(0, 0), size);
    }
    return fr;
}

PlotData plotData(CFFView& view)
{
    const ViewArrays& a = view.currentArrays();
    PlotData d;
    d.samples = a.samples;
    d.marks = a.marks.empty() ? nullptr : a.marks.data();
    d.result = a.hasResult() ? a.result.data() : nullptr;
    d.count = a.count;
    return d;
}

// Points of one pixel column of a run, in sample order.
class ColumnPoints {
public:
    void add(int i, double y)
    {
        if (n_ == 0)
            first_ = low_ = high_ = {i, y};
        if (y > low_.y)
            low_ = {i, y};  // rows grow downwards: the lowest value
        if (y < high_.y)
            high_ = {i, y};
        last_ = {i, y};
        ++n_;
    }
    template <class Fn>
    void flush(Fn&& put)
    {
        if (n_ == 0)
            return;
        Point p[4] = {first_, low_, high_, last_};
        std::sort(p, p + 4, [](const Point& a, const Point& b) { return a.i < b.i; });
        for (int k = 0; k < 4; ++k)
            if (k == 0 || p[k].i != p[k - 1].i)
                put(p[k].i, p[k].y);
        n_ = 0;
    }

private:
    struct Point {
        int i = 0;
        double y = 0.0;
    };
    Point first_, low_, high_, last_;
    int n_ = 0;
};

}  // namespace

namespace PictureExport {

QImage onScreen(CFFView& view)
{
    const Frame fr = frameOf(view, QSize());
    QImage image(fr.area.size(), QImage::Format_RGB32);
    QPainter p(&image);
    p.translate(-fr.area.topLeft());
    view.paintArea(p, fr.area);
    return image;
}

QImage fitted(CFFView& view, QSize size)
{
    const Frame fr = frameOf(view, size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(view.palette().color(QPalette::Base));
    QPainter p(&image);
    PlotPainter painter;
    painter.paint(p, fr.g, plotData(view), fr.area);
    return image;
}

std::vector<Stroke> strokes(CFFView& view, QSize size, QSize* drawing)
{
    const Frame fr = frameOf(view, size);
    if (drawing)
        *drawing = fr.area.size();
    const PlotData d = plotData(view);
    int a = 0;
    int b = -1;
    PlotPainter::sampleRange(fr.g, d.count, fr.area, a, b);
    std::vector<Stroke> out;
    const double left = fr.area.left();
    const double top = fr.area.top();
    auto xOf = [&](int i) { return i / fr.g.samplesPerPixel - left; };
    auto yOf = [&](double v) { return (fr.g.minimum - v) / fr.g.unitsPerPixel + fr.g.bottomRow - top; };
    // One pass for the record, coloured by mark, one for the pending
    // result in red. A run starts at the last point of the run before, so
    // that the curve stays joined.
    for (const bool pending : {false, true}) {
        const float* values = pending ? d.result : d.samples;
        if (!values || (pending && !d.marks))
            continue;
        int runMark = -1;
        bool pen = false;  // the path has a current point
        ColumnPoints column;
        int columnX = 0;
        QPointF lastPoint;
        bool haveLast = false;
        auto put = [&](int i, double y) {
            const QPointF pt(xOf(i), y);
            if (pen)
                out.back().path.lineTo(pt);
            else
                out.back().path.moveTo(pt);
            pen = true;
            lastPoint = pt;
            haveLast = true;
        };
        for (int i = a; i <= b; ++i) {
            const int mark = d.marks ? d.marks[i] : 0;
            const bool drawn = pending ? mark == MarkPending : true;
            const int colourMark = pending ? -2 : (mark == MarkPending ? 0 : mark);
            const int x = static_cast<int>(std::floor(xOf(i)));
            if (!drawn || colourMark != runMark || x != columnX)
                column.flush(put);
            if (!drawn) {
                runMark = -1;
                haveLast = false;
                continue;
            }
            if (colourMark != runMark) {
                out.push_back({pending ? PlotPainter::resultColor() : PlotPainter::markColor(colourMark), {}});
                runMark = colourMark;
                pen = false;
                if (haveLast && !pending) {
                    out.back().path.moveTo(lastPoint);
                    pen = true;
                }
            }
            columnX = x;
            if (std::isfinite(values[i]))
                column.add(i, yOf(values[i]));
            else {
                column.flush(put);
                pen = false;  // a gap in the curve
                haveLast = false;
            }
        }
        column.flush(put);
    }
    return out;
}

bool write(CFFView& view, QSize size, const QString& path)
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSize drawing;
        const std::vector<Stroke> curve = strokes(view, size, &drawing);
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(drawing);
        svg.setViewBox(QRect(QPoint(0, 0), drawing));
        svg.setTitle(QStringLiteral("Vexil plot"));
        QPainter p(&svg);
        for (const Stroke& s : curve) {
            QPen pen(s.colour, 1.0);
            pen.setCosmetic(true);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPath(s.path);
        }
        ok = p.end();
    } else if (ok) {
        const QImage image = size.isEmpty() ? onScreen(view) : fitted(view, size);
        ok = image.save(&file, "PNG");
    }
    ok = ok && file.commit();
    if (!ok)
        Messages::error("Picture", "write error");
    return ok;
}

}  // namespace PictureExport
