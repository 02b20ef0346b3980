// Moving about the plot with the wheel and the keys, and the rescale step
// shared by them and the Rescale tools.
//
//   wheel               scroll up and down (the scroll area's own handling)
//   Shift+wheel         scroll along the record
//   Ctrl+wheel          rescale X about the pointer, one step per notch
//   Ctrl+Shift+wheel    rescale Y about the pointer
//   + and -             rescale X about the middle of the window
//   Home, End           the first and the last sample
//   0                   Fit in window

#include "CFFView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {
// One notch of an ordinary mouse wheel, in the toolkit's eighths of a degree.
constexpr int kNotch = 120;

int clampTo(const QScrollBar* bar, long long v)
{
    return static_cast<int>(std::clamp<long long>(v, bar->minimum(), bar->maximum()));
}
}  // namespace

bool CFFView::rescaleAbout(bool xAxis, bool magnify, QPoint p, std::optional<QPoint> at)
{
    const QPoint before = scrollPosition();
    // The value under the point at full precision: after many steps in Y a
    // single-precision value would no longer name one row.
    const double value = geo_.value(p.y());
    needFirstFit_ = false;
    busy_ = true;
    ViewGeometry::RescaleAnchor anchor;
    if (!geo_.rescale(xAxis, magnify, p.x(), p.y(), anchor)) {
        busy_ = false;
        return false;
    }
    fitted_ = false;
    scrollTo(0, 0);
    setArea(geo_.areaWidth, geo_.areaHeight);
    long long sx = 0;
    long long sy = 0;
    if (!at) {
        const QSize c = clientFor(geo_.areaWidth, geo_.areaHeight);
        sx = static_cast<long long>(geo_.anchorColumn(anchor)) - c.width() / 2;
        sy = static_cast<long long>(geo_.anchorRow(anchor)) - c.height() / 2;
    } else if (xAxis) {
        sx = static_cast<long long>(geo_.anchorColumn(anchor)) - at->x();
        sy = before.y();
    } else {
        sx = before.x();
        sy = static_cast<long long>(geo_.row(value)) - at->y();
    }
    scrollTo(clampTo(horizontalScrollBar(), sx), clampTo(verticalScrollBar(), sy));
    busy_ = false;
    viewport()->update();
    return true;
}

bool CFFView::zoomAt(QPoint windowPoint, bool xAxis, bool magnify)
{
    return rescaleAbout(xAxis, magnify, windowPoint + scrollPosition(), windowPoint);
}

void CFFView::goToStart() { horizontalScrollBar()->setValue(horizontalScrollBar()->minimum()); }

void CFFView::goToEnd() { horizontalScrollBar()->setValue(horizontalScrollBar()->maximum()); }

void CFFView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The toolkit reports the second of two quick clicks as a double click;
    // the tools see it as the press it is, so that fast clicks with a
    // Rescale tool zoom as far as slow ones.
    mousePressEvent(event);
}

void CFFView::wheelEvent(QWheelEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (mods == Qt::NoModifier) {
        wheelRest_ = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    // Some systems turn the rotation of a wheel held with Shift into a
    // horizontal one.
    const QPoint d = event->angleDelta();
    const int delta = d.y() != 0 ? d.y() : d.x();
    if (mods == Qt::ShiftModifier) {
        // Sideways by as much as the plain wheel scrolls up and down.
        QScrollBar* hb = horizontalScrollBar();
        const long long step =
            static_cast<long long>(delta) * QApplication::wheelScrollLines() * hb->singleStep() / kNotch;
        hb->setValue(clampTo(hb, hb->value() - step));
        showReadout(event->position().toPoint() + scrollPosition());
        return;
    }
    // A drag in progress holds its start in the present scale.
    if (drawn_)
        return;
    // Rolling away from the user magnifies. Fine-grained wheels and touch
    // pads send parts of a notch, which add up to whole steps.
    const bool xAxis = mods == Qt::ControlModifier;
    const QPoint at = event->position().toPoint();
    wheelRest_ += delta;
    while (wheelRest_ >= kNotch || wheelRest_ <= -kNotch) {
        const bool magnify = wheelRest_ > 0;
        wheelRest_ += magnify ? -kNotch : kNotch;
        if (!zoomAt(at, xAxis, magnify)) {
            wheelRest_ = 0;
            break;
        }
    }
    showReadout(at + scrollPosition());
}

void CFFView::keyPressEvent(QKeyEvent* event)
{
    // Shift is needed for + on many keyboards, and the keypad's keys count.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    // Rescaling during a drag would move its start; scrolling does not.
    const bool canRescale = !drawn_;
    if (mods == Qt::NoModifier) {
        const QPoint middle(viewport()->width() / 2, viewport()->height() / 2);
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            if (canRescale)
                zoomAt(middle, true, true);
            return;
        case Qt::Key_Minus:
            if (canRescale)
                zoomAt(middle, true, false);
            return;
        case Qt::Key_Home:
            goToStart();
            return;
        case Qt::Key_End:
            goToEnd();
            return;
        case Qt::Key_0:
            if (canRescale)
                fitInWindow();
            return;
        default:
            break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}
