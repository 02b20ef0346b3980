#pragma once
// CFFView: the scrollable plot of one F-file, with its own scales, marks and
// result array, the five mouse tools and the status-bar readout.
//
// How the shell hosts it:
//  - Construct it on the document's record: `new CFFView(doc.file(), child)`
//    and make it the child frame's widget. The view keeps a reference, never
//    owns the F-file, and fits the record into its window when first shown.
//    Several views of one record share the samples; each keeps its own
//    scales and marks.
//  - Connect statusText(pane, text) to the main frame's status-bar panes
//    (StatusPane values are the pane indices 2, 3, 4, 6, 7, 8).
//  - When the document's samples change (an applied result, undo, redo),
//    call samplesChanged() on every view of it.
//  - Tool menu / toolbar: CFFView::setTool(tool) (process-wide, all views;
//    ViewCommand::toolOf maps the command ids). View menu: fitInWindow(),
//    oneToOne(), redraw(). Window > Tile / Cascade: fitInWindow() on every
//    view after arranging. A view at Fit in window refits itself when its
//    window is resized; any other layout is kept.
//  - The wheel and the keys of the view itself (CFFViewNavigation.cpp):
//    wheel scrolls, Shift+wheel scrolls sideways, Ctrl+wheel rescales X and
//    Ctrl+Shift+wheel Y about the pointer, + and - rescale X about the
//    middle, Home and End go to the ends of the record, 0 fits.
//  - Commands that run operations use arrays() (which makes sure the result
//    array exists), hasMark / clearMarks / saveMarks / dropSavedMarks /
//    restoreMarks. The result array is as large as the record, so it exists
//    only while an operation may need it: clearMarks() and a restoreMarks()
//    that leaves nothing pending release it. Call arrays() again for the next
//    operation rather than keeping the reference's result across commands.
//  - Painting follows the record's samples in place: after the document
//    replaces its samples, call recomputeRange() (or samplesChanged).

#include "PlotPainter.h"
#include "SampleSummary.h"
#include "ViewArrays.h"
#include "ViewCommands.h"
#include "ViewGeometry.h"

#include <QAbstractScrollArea>
#include <QPoint>

#include <optional>

class FFile;

class CFFView : public QAbstractScrollArea {
    Q_OBJECT
public:
    using Tool = ViewTool;

    // Status-bar panes written by the view.
    enum StatusPane { PaneX = 2, PaneDX = 3, PaneXUnit = 4, PaneY = 6, PaneDY = 7, PaneYUnit = 8 };

    explicit CFFView(FFile& file, QWidget* parent = nullptr);
    ~CFFView() override;

    FFile& file() { return file_; }
    // The scales and mappings (named so as not to hide QWidget::geometry).
    const ViewGeometry& scales() const { return geo_; }
    // The arrays for an operation; the result array is made on demand here,
    // since most records are only looked at and it is as large as the record.
    ViewArrays& arrays();
    // The operation that called arrays() is done with them: coarse repaints
    // go back to reading what they keep of the marks, and a result array
    // that holds nothing pending is let go.
    void arraysReturned();
    // The arrays as they are (the result array may be empty).
    const ViewArrays& currentArrays() const
    {
        arrays_.ensureMarks();
        return arrays_;
    }

    // ---- the tool (one for the whole process) ----
    static void setTool(Tool tool);
    static Tool tool();

    // ---- layouts ----
    void fitInWindow();
    // False (with the message "File is too long, can't rescale 1:1") for a
    // record too long for any scroll range.
    bool oneToOne();
    // Whether the layout is Fit in window (kept through resizing).
    bool isFitted() const { return fitted_; }
    // Rescale at an area point with the Rescale X or Rescale Y tool; returns
    // whether the click was consumed (false in the other tools).
    bool rescaleAt(QPoint areaPoint, bool magnify);
    // Rescales X (or Y) by one step about a window point: the sample (or
    // value) under it stays under it where the area allows, and the scroll
    // position along the other axis is kept. False when the area would grow
    // past its limits (nothing changes then).
    bool zoomAt(QPoint windowPoint, bool xAxis, bool magnify);
    // Scrolls to the first or the last sample, keeping the vertical position.
    void goToStart();
    void goToEnd();    void recomputeRange();
    void redraw();
    // Scroll position (the area point at the window's top left).
    QPoint scrollPosition() const;

    // ---- marks ----
    bool hasMark(int k) const
    {
        if (marksClean_)
            return k == MarkNone && arrays_.count > 0;
        return arrays_.hasMark(static_cast<std::uint8_t>(k));
    }
    void clearMarks();
    void saveMarks();
    void dropSavedMarks();
    void restoreMarks();
    // Marks the samples under the pixel span x1..x2 with k and repaints them.
    void markSpan(int x1, int x2, int k);
    // The document's samples lo .. hi changed in place (an applied result,
    // an undo): the summary the painter reads and the Y range follow (the
    // scales stay until the next Fit), and the view repaints. dropMarks
    // clears the marks too, for a change that did not come from this view's
    // own marks (undo, redo): a selection made on other values no longer
    // means what it did.
    void samplesChanged(int lo, int hi, bool dropMarks);

    // Paints the area rectangle `region` (background included) with the
    // painter translated to area coordinates. Used by paintEvent.
    void paintArea(QPainter& painter, const QRect& region);

signals:
    void statusText(int pane, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Every click counts: a quick second click is a second press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Client size for an area of w x h (scroll bars shown as needed).
    QSize clientFor(int w, int h) const;
    void setArea(int w, int h);
    void scrollTo(int x, int y);
    void attachRecord();
    void updateAreaRect(const QRect& areaRect);
    // One rescale step about the area point p. Without `at` (the Rescale
    // tools' click) p's sample and value come to the middle of the window;
    // with it, the rescaled axis is scrolled so that p's sample or value
    // lands at window point `at` and the other axis keeps its position.
    bool rescaleAbout(bool xAxis, bool magnify, QPoint p, std::optional<QPoint> at);

    // Tools (CFFViewTools.cpp).
    QPoint areaPoint(const QMouseEvent* event) const;
    void showReadout(QPoint p);
    void showDragReadout(QPoint p);
    void dragMove(QPoint p);
    void updateFigure(QPoint at);
    void paintFigure(QPainter& painter);
    bool dragTool() const;

    FFile& file_;
    bool busy_ = false;
    // Until a layout is chosen, the first paint fits the record.
    bool needFirstFit_ = true;
    // The layout is Fit in window: a resize refits it.
    bool fitted_ = true;
    // Wheel rotation not yet turned into whole rescale steps.
    int wheelRest_ = 0;
    // True while every mark is known to be 0 (no need to look at them).
    bool marksClean_ = true;
    ViewGeometry geo_;
    // Marks are made on first need; reading them is not a change.
    mutable ViewArrays arrays_;
    PlotPainter painter_;
    // What a coarse repaint reads instead of the samples: their min/max
    // summary (made at the first such repaint), and one byte per 64 samples
    // telling whether any of them is marked (remade after marks change).
    SampleSummary summary_;
    std::vector<std::uint8_t> markBlocks_;
    bool markBlocksStale_ = true;
    bool marksHandedOut_ = false;
    void prepareSummaries(PlotData& d);
    // The Y range, from the summary for long records.
    void updateRange();
    static constexpr int kSummaryFrom = 1 << 20;

    // Tool state.
    QPoint lastPos_;
    Qt::MouseButtons lastButtons_ = Qt::NoButton;
    QPoint dragStart_;
    QPoint dragPrev_;
    bool drawn_ = false;
    bool fresh_ = false;
};
