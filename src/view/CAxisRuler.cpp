#include "CAxisRuler.h"

#include "CFFView.h"
#include "FFile.h"

#include <QEvent>
#include <QGridLayout>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMajorTick = 6;
constexpr int kMinorTick = 3;
constexpr int kGap = 3;        // between a tick and its label, and around texts
constexpr int kLabelSpace = 24;  // at least this much between two X labels
constexpr int kUnitWidthLimit = 120;

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

CAxisRuler::CAxisRuler(CFFView* view, Side side, QWidget* parent) : QWidget(parent), view_(view), side_(side)
{
    setObjectName(side == Bottom ? QStringLiteral("xRuler") : QStringLiteral("yRuler"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    const QFontMetrics fm = fontMetrics();
    if (side == Bottom) {
        setFixedHeight(kMajorTick + kGap + fm.height() + 1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        setFixedWidth(fm.horizontalAdvance(QStringLiteral("00000")) + kMajorTick + 2 * kGap);
    }
    view->viewport()->installEventFilter(this);
    QScrollBar* bar = side == Bottom ? view->horizontalScrollBar() : view->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, &CAxisRuler::refresh);
    connect(bar, &QScrollBar::rangeChanged, this, &CAxisRuler::refresh);
    if (side == Left)
        fitWidth(marks());
}

QWidget* CAxisRuler::frameView(CFFView* view, bool shown)
{
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("plotFrame"));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    view->setParent(frame);
    grid->addWidget(new CAxisRuler(view, Left, frame), 0, 0);
    grid->addWidget(view, 0, 1);
    grid->addWidget(new CAxisRuler(view, Bottom, frame), 1, 1);
    setRulersShown(frame, shown);
    // Keyboard focus goes to the plot, never to the frame around it.
    frame->setFocusProxy(view);
    return frame;
}

void CAxisRuler::setRulersShown(QWidget* frame, bool shown)
{
    if (!frame)
        return;
    for (CAxisRuler* ruler : frame->findChildren<CAxisRuler*>(Qt::FindDirectChildrenOnly)) {
        ruler->setVisible(shown);
        if (shown)
            ruler->refresh();
    }
}

RulerTicks::Kind CAxisRuler::kind() const
{
    if (side_ == Left)
        return RulerTicks::Kind::Number;
    switch (view_->file().Unit()) {
    case UnitSec: return RulerTicks::Kind::Time;
    case UnitArcsec: return RulerTicks::Kind::Angle;
    default: return RulerTicks::Kind::Number;
    }
}

QString CAxisRuler::unitText() const
{
    if (!view_)
        return {};
    const FFile& f = view_->file();
    return latin1(side_ == Bottom ? f.UnitLabel() : f.DisplayYUnits());
}

CAxisRuler::Span CAxisRuler::span() const
{
    Span s;
    if (!view_)
        return s;
    const QWidget* vp = view_->viewport();
    const ViewGeometry& g = view_->scales();
    const QPoint scroll = view_->scrollPosition();
    const QPoint at = mapFromGlobal(vp->mapToGlobal(QPoint(0, 0)));
    if (side_ == Bottom) {
        // Area column x shows sample x * S_x, at display coordinate
        // (origin + x * S_x * step) * unit scale.
        const FFile& f = view_->file();
        s.length = vp->width();
        const double perColumn = g.samplesPerPixel * f.DisplayStep() * f.UnitScale();
        s.origin = f.DisplayX(scroll.x() * g.samplesPerPixel);
        s.scale = 1.0 / perColumn;
        s.offset = at.x();
        s.lo = s.origin;
        s.hi = s.origin + s.length * perColumn;
    } else {
        // Row y shows the value (B - y) * S_y + minimum.
        s.length = vp->height();
        s.origin = g.value(scroll.y());
        s.scale = -1.0 / g.unitsPerPixel;
        s.offset = at.y();
        s.lo = s.origin;
        s.hi = g.value(scroll.y() + s.length);
    }
    s.valid = s.length > 0 && std::isfinite(s.scale) && s.scale != 0 && std::isfinite(s.lo) && std::isfinite(s.hi) &&
              s.lo != s.hi;
    return s;
}

std::vector<CAxisRuler::Mark> CAxisRuler::marksFor(const Span& s, double minPixels) const
{
    std::vector<Mark> out;
    const double perPixel = std::fabs(s.hi - s.lo) / s.length;
    for (RulerTicks::Tick& t : RulerTicks::ticks(kind(), s.lo, s.hi, perPixel * minPixels)) {
        const double pos = s.offset + (t.value - s.origin) * s.scale;
        if (pos < -1 || pos > s.offset + s.length + 1)
            continue;
        out.push_back({static_cast<int>(std::lround(pos)), std::move(t)});
    }
    return out;
}

std::vector<CAxisRuler::Mark> CAxisRuler::marks() const
{
    const Span s = span();
    if (!s.valid)
        return {};
    const QFontMetrics fm = fontMetrics();
    if (side_ == Left)
        return marksFor(s, 2.5 * fm.height());
    // Labels need room side by side: try a guess, then widen the spacing to
    // the widest label the guess produced.
    std::vector<Mark> m = marksFor(s, 60);
    int widest = 0;
    for (const Mark& k : m)
        if (k.tick.major)
            widest = std::max(widest, fm.horizontalAdvance(latin1(k.tick.label)));
    if (widest + kLabelSpace > 60)
        m = marksFor(s, widest + kLabelSpace);
    return m;
}

std::vector<double> CAxisRuler::stateKey() const
{
    if (!view_)
        return {};
    const Span s = span();
    const FFile& f = view_->file();
    return {s.lo, s.hi, s.origin, s.scale, s.offset, static_cast<double>(s.length), static_cast<double>(f.Unit()),
            static_cast<double>(qHash(unitText())), static_cast<double>(width()), static_cast<double>(height())};
}

void CAxisRuler::refresh()
{
    if (!view_ || !isVisible())
        return;
    std::vector<double> key = stateKey();
    if (key == shownKey_)
        return;
    shownKey_ = std::move(key);
    if (side_ == Left)
        fitWidth(marks());
    update();
}

void CAxisRuler::fitWidth(const std::vector<Mark>& marks)
{
    const QFontMetrics fm = fontMetrics();
    int widest = std::min(fm.horizontalAdvance(unitText()), kUnitWidthLimit);
    for (const Mark& m : marks)
        if (m.tick.major)
            widest = std::max(widest, fm.horizontalAdvance(latin1(m.tick.label)));
    // In steps of a few digits, and narrowing only by a good margin, so
    // that scrolling does not make the plot jitter sideways.
    const int step = fm.horizontalAdvance(QLatin1Char('0')) * 2;
    int wanted = widest + kMajorTick + 2 * kGap;
    wanted = (wanted + step - 1) / step * step;
    if (wanted > width() || wanted < width() - 2 * step)
        setFixedWidth(wanted);
}

bool CAxisRuler::eventFilter(QObject* watched, QEvent* event)
{
    // Every change of scale, scroll position, size or record repaints the
    // viewport; the ruler looks whether it concerns it.
    if (event->type() == QEvent::Paint || event->type() == QEvent::Resize)
        refresh();
    return QWidget::eventFilter(watched, event);
}

void CAxisRuler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    p.setPen(palette().color(QPalette::WindowText));
    const std::vector<Mark> ticks = marks();
    const QString unit = fm.elidedText(unitText(), Qt::ElideRight, side_ == Bottom ? width() / 3 : width() - kGap);
    const int unitSize = unit.isEmpty() ? 0 : fm.horizontalAdvance(unit) + 2 * kGap;
    if (side_ == Bottom) {
        p.drawLine(0, 0, width() - 1, 0);
        const int labelTop = kMajorTick + kGap;
        const QRect unitRect(width() - unitSize, labelTop, unitSize, fm.height());
        int freeFrom = 0;  // labels do not overlap
        for (const Mark& m : ticks) {
            p.drawLine(m.pos, 0, m.pos, m.tick.major ? kMajorTick : kMinorTick);
            if (!m.tick.major)
                continue;
            const QString text = latin1(m.tick.label);
            const int w = fm.horizontalAdvance(text);
            const QRect r(m.pos - w / 2, labelTop, w, fm.height());
            if (r.left() < freeFrom || r.right() >= width() || (unitSize > 0 && r.right() + kGap >= unitRect.left()))
                continue;
            p.drawText(r, Qt::AlignCenter, text);
            freeFrom = r.right() + kGap;
        }
        if (unitSize > 0)
            p.drawText(unitRect, Qt::AlignCenter, unit);
        return;
    }
    const int edge = width() - 1;
    p.drawLine(edge, 0, edge, height() - 1);
    const int unitBottom = unitSize > 0 ? fm.height() + kGap : 0;
    if (unitSize > 0)
        p.drawText(QRect(0, 0, edge - kGap, fm.height()), Qt::AlignRight | Qt::AlignVCenter, unit);
    for (const Mark& m : ticks) {
        p.drawLine(edge - (m.tick.major ? kMajorTick : kMinorTick), m.pos, edge, m.pos);
        if (!m.tick.major)
            continue;
        const QRect r(0, m.pos - fm.height() / 2, edge - kMajorTick - kGap, fm.height());
        if (r.top() < unitBottom || r.bottom() >= height())
            continue;
        p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, latin1(m.tick.label));
    }
}
