// The mouse tools of the plot view: readout, Measure, Select, Discard and
// the two Rescale tools.

#include "CFFView.h"

#include "FFile.h"
#include "Near.h"
#include "ReadoutText.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace {
QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

QPoint CFFView::areaPoint(const QMouseEvent* event) const
{
    return event->position().toPoint() + scrollPosition();
}

bool CFFView::dragTool() const
{
    const Tool t = tool();
    return t == Tool::Measure || t == Tool::Select || t == Tool::Discard;
}

void CFFView::showReadout(QPoint p)
{
    const int k = geo_.index(p.x());
    // As many decimals as tell this record's neighbouring samples apart.
    emit statusText(PaneX, latin1(ReadoutText::readoutX(file_, file_.DisplayX(k))));
    emit statusText(PaneXUnit, latin1(file_.UnitLabel()));
    emit statusText(PaneY, latin1(file_.FormatY(geo_.value(p.y()))));
    emit statusText(PaneYUnit, latin1(file_.DisplayYUnits()));
}

void CFFView::showDragReadout(QPoint p)
{
    const double dk = near((p.x() - dragStart_.x()) * geo_.samplesPerPixel);
    emit statusText(PaneDX, latin1(ReadoutText::readoutDX(file_, file_.DisplayDX(dk))));
    const double dy = -(p.y() - dragStart_.y()) * geo_.unitsPerPixel;
    emit statusText(PaneDY, latin1(file_.FormatY(dy)));
}

void CFFView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = areaPoint(event);
    if (event->button() == Qt::RightButton) {
        if (rescaleAt(p, false))
            return;
        const Tool t = tool();
        if ((t == Tool::Select || t == Tool::Discard) && (hasMark(MarkSelected) || hasMark(MarkDiscarded)))
            clearMarks();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (rescaleAt(p, true))
        return;
    // The drag starts where the button went down. (Starting it at the
    // position of the previous mouse event would select from a stale place
    // when the pointer arrived without a move event, or after a scroll.)
    dragStart_ = p;
    dragPrev_ = p;
    drawn_ = true;
    fresh_ = true;
    dragMove(p);
    lastPos_ = p;
    lastButtons_ = Qt::LeftButton;
}

void CFFView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = areaPoint(event);
    const Qt::MouseButtons s = event->buttons();
    const bool before = lastButtons_ & Qt::LeftButton;
    const bool now = s & Qt::LeftButton;
    if (!before && !now) {
        showReadout(p);
    } else if (before && now) {
        if (!dragTool())
            return;
        dragMove(p);
    } else {
        return;
    }
    lastPos_ = p;
    lastButtons_ = s;
}

void CFFView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Tool t = tool();
    if (t == Tool::RescaleX || t == Tool::RescaleY)
        return;
    const QPoint p = areaPoint(event);
    emit statusText(PaneDX, QString());
    emit statusText(PaneDY, QString());
    // Take the figure away.
    const bool wasDrawn = drawn_;
    drawn_ = false;
    updateFigure(dragPrev_);
    if (t == Tool::Select && wasDrawn)
        markSpan(dragStart_.x(), p.x(), MarkSelected);
    else if (t == Tool::Discard && wasDrawn)
        markSpan(dragStart_.x(), p.x(), MarkDiscarded);
    showReadout(p);
    lastPos_ = p;
    lastButtons_ = event->buttons();
}

void CFFView::dragMove(QPoint p)
{
    if (!dragTool())
        return;
    drawn_ = true;
    showDragReadout(p);
    // The figure is painted from the drag state: repaint the strips of the
    // figure that goes and of the one that comes.
    if (!fresh_)
        updateFigure(dragPrev_);
    fresh_ = false;
    dragPrev_ = p;
    updateFigure(p);
}

// Repaints the strips under the figure for the drag point `at` (and the
// start point), in window coordinates.
void CFFView::updateFigure(QPoint at)
{
    const QPoint s = scrollPosition();
    const QPoint a = dragStart_ - s;
    const QPoint b = at - s;
    const int h = viewport()->height();
    if (tool() == Tool::Measure) {
        const QRect r = QRect(a, b).normalized();
        viewport()->update(QRect(r.left() - 1, r.top() - 1, r.width() + 2, 3));
        viewport()->update(QRect(r.left() - 1, r.bottom() - 1, r.width() + 2, 3));
        viewport()->update(QRect(r.left() - 1, r.top() - 1, 3, r.height() + 2));
        viewport()->update(QRect(r.right() - 1, r.top() - 1, 3, r.height() + 2));
    } else {
        viewport()->update(QRect(a.x() - 1, 0, 3, h));
        viewport()->update(QRect(b.x() - 1, 0, 3, h));
    }
}

// The rubber figure of a drag: a dotted grey line drawn by inverting what
// lies under it, so that it stays visible on any colour.
void CFFView::paintFigure(QPainter& p)
{
    if (!drawn_ || !dragTool())
        return;
    p.save();
    QPen pen(QColor(128, 128, 128));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(1);
    p.setPen(pen);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QPoint s = dragStart_;
    const QPoint e = dragPrev_;
    if (tool() == Tool::Measure) {
        const QPoint path1[3] = {s, QPoint(s.x(), e.y()), e};
        const QPoint path2[3] = {s, QPoint(e.x(), s.y()), e};
        p.drawPolyline(path1, 3);
        p.drawPolyline(path2, 3);
    } else {
        const QPoint off = scrollPosition();
        const int top = off.y();
        const int bottom = off.y() + viewport()->height() - 1;
        p.drawLine(s.x(), bottom, s.x(), top);
        if (e.x() != s.x())
            p.drawLine(e.x(), bottom, e.x(), top);
    }
    p.restore();
}
