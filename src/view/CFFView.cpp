#include "CFFView.h"

#include "FFile.h"
#include "Messages.h"
#include "ToolCursors.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <new>

namespace {
constexpr int kMaxSeparateRects = 8;

CFFView::Tool& currentTool()
{
    static CFFView::Tool tool = CFFView::Tool::Measure;
    return tool;
}
}  // namespace

CFFView::CFFView(FFile& file, QWidget* parent) : QAbstractScrollArea(parent), file_(file)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    ToolCursors::load();
    viewport()->setCursor(ToolCursors::cursor(tool()));
    attachRecord();
    geo_.fit(viewport()->width(), viewport()->height());
}

CFFView::~CFFView() = default;

// The arrays of a view are as large as the record: a failed allocation is
// fatal ("Insufficient memory", exit status 1), as everywhere else.
template <class Fn>
static void allocating(Fn&& fn)
{
    try {
        fn();
    } catch (const std::bad_alloc&) {
        Messages::outOfMemory();
    }
}

void CFFView::attachRecord()
{
    allocating([&] { arrays_.attachMarksOnly(file_.Data(), file_.Count()); });
    marksClean_ = true;
    summary_.clear();
    markBlocksStale_ = true;
    updateRange();
}

void CFFView::updateRange()
{
    // A long record is summarised once; the Y range is then the summary's
    // top block, and after an edit only the changed blocks are read again.
    if (arrays_.count < kSummaryFrom) {
        geo_.computeRange(arrays_.samples, arrays_.count);
        return;
    }
    if (!summary_.built() || summary_.samples() != arrays_.samples || summary_.count() != arrays_.count)
        allocating([&] { summary_.build(arrays_.samples, arrays_.count); });
    const SampleSummary::Range r = summary_.range(0, arrays_.count - 1);
    // A zero at either end may be -0 or +0: which one the record has first
    // is left to the plain pass.
    if (r.lo == 0.0f || r.hi == 0.0f) {
        geo_.computeRange(arrays_.samples, arrays_.count);
        return;
    }
    geo_.count = arrays_.count;
    geo_.minimum = r.lo <= r.hi ? r.lo : 0.0f;
    geo_.maximum = r.lo <= r.hi ? r.hi : 0.0f;
}

ViewArrays& CFFView::arrays()
{
    allocating([&] {
        arrays_.ensureMarks();
        arrays_.ensureResult();
    });
    marksClean_ = false;  // the caller may mark samples
    // ... at any time from now on: the mark blocks are remade at every
    // repaint until the marks are cleared through the view.
    marksHandedOut_ = true;
    return arrays_;
}

// ---------------------------------------------------------------- tool

void CFFView::setTool(Tool tool)
{
    currentTool() = tool;
    // The tool shows only through the cursor, in every view at once.
    for (QWidget* w : QApplication::allWidgets())
        if (auto* view = qobject_cast<CFFView*>(w)) {
            view->viewport()->setCursor(ToolCursors::cursor(tool));
            if (view->drawn_)
                view->viewport()->update();  // a drag figure belongs to the tool
        }
}

CFFView::Tool CFFView::tool() { return currentTool(); }

// ---------------------------------------------------------------- layout

QSize CFFView::clientFor(int w, int h) const
{
    // Computed rather than read back from the widget, because the scroll
    // area shows and hides its bars only later, in the event loop.
    const QSize full = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    int cw = full.width();
    int ch = full.height();
    bool hbar = w > cw;
    if (hbar)
        ch -= bar;
    const bool vbar = h > ch;
    if (vbar) {
        cw -= bar;
        if (!hbar && w > cw)
            ch -= bar;
    }
    return QSize(std::max(cw, 0), std::max(ch, 0));
}

void CFFView::setArea(int w, int h)
{
    geo_.areaWidth = std::max(w, 1);
    geo_.areaHeight = std::max(h, 1);
    const QSize c = clientFor(geo_.areaWidth, geo_.areaHeight);
    QScrollBar* hb = horizontalScrollBar();
    QScrollBar* vb = verticalScrollBar();
    hb->setRange(0, std::max(0, geo_.areaWidth - c.width()));
    vb->setRange(0, std::max(0, geo_.areaHeight - c.height()));
    // Qt's usual steps: a page is the visible part, a line a tenth of it.
    hb->setPageStep(std::max(1, c.width()));
    vb->setPageStep(std::max(1, c.height()));
    hb->setSingleStep(std::max(1, c.width() / 10));
    vb->setSingleStep(std::max(1, c.height() / 10));
}

void CFFView::scrollTo(int x, int y)
{
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

QPoint CFFView::scrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CFFView::fitInWindow()
{
    needFirstFit_ = false;
    fitted_ = true;
    busy_ = true;
    scrollTo(0, 0);
    setArea(1, 1);
    const QSize c = clientFor(1, 1);
    geo_.fit(c.width(), c.height());
    setArea(geo_.areaWidth, geo_.areaHeight);
    busy_ = false;
    viewport()->update();
}

bool CFFView::oneToOne()
{
    if (geo_.count > kAreaWidthLimit - 1) {
        Messages::errorText("File is too long, can't rescale 1:1");
        return false;
    }
    needFirstFit_ = false;
    fitted_ = false;
    busy_ = true;
    scrollTo(0, 0);
    QSize c = clientFor(kAreaWidthLimit, 1);
    if (c.width() >= geo_.count)
        c = clientFor(1, 1);  // no horizontal scrolling needed
    geo_.oneToOne(c.height());
    setArea(geo_.areaWidth, geo_.areaHeight);
    busy_ = false;
    viewport()->update();
    return true;
}

bool CFFView::rescaleAt(QPoint p, bool magnify)
{
    const Tool t = tool();
    if (t != Tool::RescaleX && t != Tool::RescaleY)
        return false;
    // The clicked sample and value come to the middle of the window; a
    // refused step (the area at its limit) still consumes the click.
    rescaleAbout(t == Tool::RescaleX, magnify, p, std::nullopt);
    return true;
}

void CFFView::recomputeRange()
{
    // The samples may have changed anywhere: the summary is made afresh.
    summary_.clear();
    // The document may have replaced its samples since we attached.
    if (arrays_.samples != file_.Data() || arrays_.count != file_.Count())
        attachRecord();
    else
        updateRange();
}

void CFFView::redraw() { viewport()->update(); }

// ---------------------------------------------------------------- marks

void CFFView::clearMarks()
{
    arrays_.clearMarks();
    markBlocksStale_ = true;
    marksHandedOut_ = false;
    marksClean_ = true;
    arrays_.releaseResult();  // nothing can be pending any more
    viewport()->update();
}

void CFFView::saveMarks()
{
    allocating([&] { arrays_.saveMarks(); });
    markBlocksStale_ = true;
}

void CFFView::dropSavedMarks() { arrays_.dropSaved(); }

void CFFView::arraysReturned()
{
    if (!marksHandedOut_)
        return;
    // Without this, every later repaint would look at all the marks again.
    marksHandedOut_ = false;
    markBlocksStale_ = true;
    if (!arrays_.hasMark(MarkPending))
        arrays_.releaseResult();
    viewport()->update();
}

void CFFView::restoreMarks()
{
    if (!arrays_.restoreMarks())
        return;
    marksClean_ = false;
    markBlocksStale_ = true;
    if (!arrays_.hasMark(MarkPending))
        arrays_.releaseResult();
    viewport()->update();
}

void CFFView::markSpan(int x1, int x2, int k)
{
    if (x1 == x2)
        return;
    const IndexSpan s = geo_.indexSpan(x1, x2);
    if (s.empty())
        return;
    allocating([&] { arrays_.markRange(s.lo, s.hi, static_cast<std::uint8_t>(k)); });
    marksClean_ = false;
    markBlocksStale_ = true;
    const PixelSpan px = geo_.pixelSpan(s.lo, s.hi);
    const int top = geo_.maximumRow() - 1;
    const int bottom = geo_.minimumRow() + 1;
    // The colours change beyond the marked columns too: the joins into the
    // first and out of the last marked sample, and the stroke of the next
    // column, which takes the previous column's mark. Widen by the length of
    // one join and one column on each side so that none keeps a stale colour.
    // (Kept inside the area, which may be nearly as wide as an int reaches.)
    const double join = std::ceil(1.0 / geo_.samplesPerPixel) + 1.0;
    const int left = static_cast<int>(std::max(px.x1 - join, -1.0));
    const int right = static_cast<int>(std::min(px.x2 + join, static_cast<double>(geo_.areaWidth)));
    updateAreaRect(QRect(QPoint(left, top), QPoint(right, bottom)));
}

// ---------------------------------------------------------------- painting

void CFFView::updateAreaRect(const QRect& areaRect)
{
    viewport()->update(areaRect.translated(-scrollPosition()));
}

void CFFView::samplesChanged(int lo, int hi, bool dropMarks)
{
    if (dropMarks)
        clearMarks();
    if (arrays_.samples != file_.Data() || arrays_.count != file_.Count()) {
        recomputeRange();
    } else {
        summary_.update(lo, hi);
        updateRange();
    }
    viewport()->update();
}

void CFFView::prepareSummaries(PlotData& d)
{
    // Only coarse layouts read the summary; it is made when first needed.
    if (geo_.samplesPerPixel < 128.0)
        return;
    if (!summary_.built() || summary_.samples() != d.samples || summary_.count() != d.count)
        allocating([&] { summary_.build(d.samples, d.count); });
    d.summary = &summary_;
    if (d.marks == nullptr)
        return;
    if (markBlocksStale_ || marksHandedOut_) {
        const std::size_t blocks = (static_cast<std::size_t>(d.count) + 63) / 64;
        allocating([&] { markBlocks_.assign(blocks, 0); });
        for (std::size_t k = 0; k < blocks; ++k) {
            const std::size_t from = k * 64;
            const std::size_t to = std::min(from + 64, static_cast<std::size_t>(d.count));
            std::uint8_t any = 0;
            for (std::size_t i = from; i < to; ++i)
                any |= d.marks[i];
            markBlocks_[k] = any;
        }
        markBlocksStale_ = false;
    }
    d.markBlocks = markBlocks_.data();
}

void CFFView::paintArea(QPainter& p, const QRect& region)
{
    p.fillRect(region, palette().color(QPalette::Base));
    PlotData d;
    d.samples = arrays_.samples;
    d.marks = marksClean_ || arrays_.marks.empty() ? nullptr : arrays_.marks.data();
    d.result = arrays_.hasResult() ? arrays_.result.data() : nullptr;
    d.count = arrays_.count;
    prepareSummaries(d);
    painter_.paint(p, geo_, d, region);
}

void CFFView::paintEvent(QPaintEvent* event)
{
    if (needFirstFit_) {
        // The first showing: by its first paint the frame has settled the
        // window's size, which the layout is fitted to.
        fitInWindow();
    }
    if (busy_ || event->rect().isEmpty())
        return;
    QPainter p(viewport());
    const QPoint s = scrollPosition();
    p.translate(-s);
    // A drag updates two thin strips far apart; painting them one by one
    // visits only the samples under each instead of all those between.
    const QRegion region = event->region();
    if (region.rectCount() > 1 && region.rectCount() <= kMaxSeparateRects) {
        for (const QRect& r : region) {
            p.setClipRect(r.translated(s));
            paintArea(p, r.translated(s));
        }
        p.setClipRegion(region.translated(s));
    } else {
        paintArea(p, event->rect().translated(s));
    }
    paintFigure(p);
}

void CFFView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // Inside a layout change the scroll bars come and go; the change itself
    // sets the area for the final window size.
    if (busy_)
        return;
    // A fitted view stays fitted (maximising its window shows the whole
    // record in the whole window); any other layout stays as it is and only
    // the scroll ranges follow the new window size.
    if (fitted_ && !needFirstFit_)
        fitInWindow();
    else
        setArea(geo_.areaWidth, geo_.areaHeight);
}


void CFFView::scrollContentsBy(int, int) { viewport()->update(); }
