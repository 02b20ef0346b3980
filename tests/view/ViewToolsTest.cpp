// The mouse tools driven by QTest mouse events: spans, clicks, right
// clicks, rescale clicks, the drag figure and the status-bar readout.

#include "Near.h"
#include "ReadoutText.h"
#include "ViewTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

std::vector<float> ramp(int n)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<float>((i * 37) % 101);
    return v;
}

// A pointer move with the given buttons held (the offscreen platform turns no QTest::mouseMove into events).
void moveTo(QWidget* vp, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), vp->mapToGlobal(QPointF(pos)), Qt::NoButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

void drag(CFFView& view, QPoint from, QPoint to)
{
    QWidget* vp = view.viewport();
    moveTo(vp, from);
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    moveTo(vp, (from + to) / 2, Qt::LeftButton);
    moveTo(vp, to, Qt::LeftButton);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
}

// Marks of the samples lo .. hi (inclusive) are k, all others 0.
bool marksAre(const CFFView& view, int lo, int hi, int k)
{
    const ViewArrays& a = view.currentArrays();
    for (int i = 0; i < a.count; ++i)
        if (a.marks[static_cast<std::size_t>(i)] != (i >= lo && i <= hi ? k : 0))
            return qWarning("sample %d has mark %d", i, a.marks[static_cast<std::size_t>(i)]), false;
    return true;
}

// Texts of a pane from the recorded statusText signals, in order.
QStringList paneTexts(const QSignalSpy& spy, int pane)
{
    QStringList out;
    for (const QList<QVariant>& args : spy)
        if (args.at(0).toInt() == pane)
            out << args.at(1).toString();
    return out;
}

int figurePixels(CFFView& view, int x)
{
    const QImage img = view.viewport()->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        n += QColor(img.pixel(x, y)) == QColor(128, 128, 128);
    return n;
}

}  // namespace

class ViewToolsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { CFFView::setTool(CFFView::Tool::Measure); }
    void dragMarksItsSpan_data();
    void dragMarksItsSpan();
    void discardOverSelectedAndBack();
    void rightClickClearsOnlyInSelectAndDiscard();
    void rescaleClicks();
    void dragFigureFollowsThePointer();
    void readoutAndDragReadout();
    void partialRepaintsLeaveNoStaleColours();
};

void ViewToolsTest::dragMarksItsSpan_data()
{
    QTest::addColumn<int>("n"), QTest::addColumn<int>("tool");
    QTest::addColumn<QPoint>("from"), QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("lo"), QTest::addColumn<int>("hi");  // lo > hi: nothing marked
    const int select = int(CFFView::Tool::Select);
    // 400 samples in 100 columns: floor(9.5 * 4) = 38 .. ceil(30.5 * 4) = 122.
    QTest::newRow("rightwards") << 400 << select << QPoint(10, 40) << QPoint(30, 5) << 38 << 122;
    QTest::newRow("ending left of its start") << 400 << select << QPoint(30, 20) << QPoint(10, 40) << 38 << 122;
    QTest::newRow("vertical only") << 400 << select << QPoint(40, 5) << QPoint(40, 55) << 0 << -1;
    QTest::newRow("click without movement") << 400 << select << QPoint(40, 30) << QPoint(40, 30) << 0 << -1;
    // 10 samples in 100 columns: floor(14.5 * 0.1) = 1 .. ceil(36.5 * 0.1) = 4.
    QTest::newRow("fine discard") << 10 << int(CFFView::Tool::Discard) << QPoint(15, 10) << QPoint(36, 50) << 1 << 4;
}

void ViewToolsTest::dragMarksItsSpan()
{
    QFETCH(int, n); QFETCH(int, tool); QFETCH(QPoint, from); QFETCH(QPoint, to); QFETCH(int, lo); QFETCH(int, hi);
    auto f = makeRecord(ramp(n));
    auto view = makeView(*f, 100, 61);
    view->show();
    CFFView::setTool(static_cast<CFFView::Tool>(tool));
    drag(*view, from, to);
    QVERIFY(marksAre(*view, lo, hi, tool == int(CFFView::Tool::Select) ? MarkSelected : MarkDiscarded));
}

void ViewToolsTest::discardOverSelectedAndBack()
{
    auto f = makeRecord(ramp(400));
    auto view = makeView(*f, 100, 61);
    view->show();
    CFFView::setTool(CFFView::Tool::Select);
    drag(*view, QPoint(10, 30), QPoint(50, 30));  // 38 .. 202
    CFFView::setTool(CFFView::Tool::Discard);
    drag(*view, QPoint(20, 30), QPoint(30, 30));  // 78 .. 122
    const std::vector<std::uint8_t>& m = view->currentArrays().marks;
    QCOMPARE(QList<int>({m[77], m[78], m[122], m[123]}), QList<int>({1, 2, 2, 1}));
    CFFView::setTool(CFFView::Tool::Select);
    drag(*view, QPoint(20, 30), QPoint(30, 30));
    QVERIFY(marksAre(*view, 38, 202, MarkSelected));
}

void ViewToolsTest::rightClickClearsOnlyInSelectAndDiscard()
{
    auto f = makeRecord(ramp(400));
    auto view = makeView(*f, 100, 61);
    view->show();
    for (CFFView::Tool tool : {CFFView::Tool::Measure, CFFView::Tool::Select, CFFView::Tool::Discard}) {
        CFFView::setTool(CFFView::Tool::Select);
        drag(*view, QPoint(10, 30), QPoint(20, 30));
        CFFView::setTool(CFFView::Tool::Discard);
        drag(*view, QPoint(60, 30), QPoint(70, 30));
        CFFView::setTool(tool);
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(40, 30));
        const bool kept = tool == CFFView::Tool::Measure;
        QCOMPARE(view->hasMark(MarkSelected) + view->hasMark(MarkDiscarded), 2 * kept);
        QCOMPARE(view->scales().samplesPerPixel, 4.0);
    }
}

void ViewToolsTest::rescaleClicks()
{
    auto f = makeRecord(ramp(400));
    auto view = makeView(*f, 100, 61);  // S_x 4, S_y 100 / 60
    view->show();
    QWidget* vp = view->viewport();
    CFFView::setTool(CFFView::Tool::RescaleX);
    // The press magnifies; moving and releasing change nothing more, mark nothing, show no figure.
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(50, 30));
    moveTo(vp, QPoint(60, 30), Qt::LeftButton);
    QCOMPARE(figurePixels(*view, 60), 0);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(60, 30));
    QVERIFY(std::fabs(view->scales().samplesPerPixel - 4.0 * 2.0 / 3.0) < 1e-12);
    QVERIFY(view->scales().unitsPerPixel == 100.0 / 60.0 && !view->hasMark(MarkSelected));
    QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(50, 30));
    QVERIFY(std::fabs(view->scales().samplesPerPixel - 4.0) < 1e-12);
    CFFView::setTool(CFFView::Tool::RescaleY);
    QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(50, 30));
    QVERIFY(std::fabs(view->scales().unitsPerPixel - 1.5 * 100.0 / 60.0) < 1e-12);
}

void ViewToolsTest::dragFigureFollowsThePointer()
{
    auto f = makeRecord(std::vector<float>(400, 1.0f));
    auto view = makeView(*f, 100, 61);
    view->show();
    QWidget* vp = view->viewport();
    // Select: dotted lines across the window (one pixel in three) at the start and the pointer.
    // Measure: the outline of the rectangle from the start to the pointer. Gone on release.
    for (CFFView::Tool tool : {CFFView::Tool::Select, CFFView::Tool::Measure}) {
        CFFView::setTool(tool);
        const bool select = tool == CFFView::Tool::Select;
        moveTo(vp, QPoint(20, 10));
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(20, 10));
        moveTo(vp, QPoint(40, 30), Qt::LeftButton);
        moveTo(vp, QPoint(60, select ? 10 : 50), Qt::LeftButton);
        QVERIFY(figurePixels(*view, 20) >= (select ? 15 : 10));
        QVERIFY(figurePixels(*view, 60) >= (select ? 15 : 10));
        QVERIFY(figurePixels(*view, 40) <= (select ? 0 : 2));  // the earlier figure is gone
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(figurePixels(*view, 20) + figurePixels(*view, 60), 0);
        QCOMPARE(view->hasMark(MarkSelected), select);
        view->clearMarks();
    }
}

void ViewToolsTest::readoutAndDragReadout()
{
    auto f = makeRecord(ramp(1000), 0.5);
    auto view = makeView(*f, 100, 61);  // S_x = 10
    view->show();
    const double sy = view->scales().unitsPerPixel;
    QSignalSpy spy(view.get(), &CFFView::statusText);
    QWidget* vp = view->viewport();
    moveTo(vp, QPoint(7, 20));
    moveTo(vp, QPoint(8, 20));
    // One pixel is ten samples: ten display steps.
    QCOMPARE(paneTexts(spy, CFFView::PaneX), QStringList({QString::fromLatin1(f->FormatX(f->DisplayX(70)).c_str()),
                                                          QString::fromLatin1(f->FormatX(f->DisplayX(80)).c_str())}));
    QCOMPARE(paneTexts(spy, CFFView::PaneY).last(), QString::fromStdString(f->FormatY((60 - 20) * sy + 0.0)));
    QCOMPARE(paneTexts(spy, CFFView::PaneXUnit).last(), QString::fromLatin1(f->UnitLabel().c_str()));
    QCOMPARE(paneTexts(spy, CFFView::PaneYUnit).last(), QString::fromLatin1(f->DisplayYUnits().c_str()));
    spy.clear();
    CFFView::setTool(CFFView::Tool::Measure);
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(8, 20));
    moveTo(vp, QPoint(3, 50), Qt::LeftButton);
    QCOMPARE(paneTexts(spy, CFFView::PaneDX).last(), QString::fromLatin1(ReadoutText::readoutDX(*f, -50 * f->DisplayStep() * f->UnitScale()).c_str()));
    QCOMPARE(paneTexts(spy, CFFView::PaneDY).last(), QString::fromStdString(f->FormatY(-30 * sy)));
    QVERIFY(paneTexts(spy, CFFView::PaneX).isEmpty());  // no readout while dragging
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(3, 50));
    // The release shows the readout again and empties the drag panes.
    QCOMPARE(paneTexts(spy, CFFView::PaneDX).last() + paneTexts(spy, CFFView::PaneDY).last(), QString());
    QCOMPARE(paneTexts(spy, CFFView::PaneX).size(), 1);
}

// What the screen shows after the partial repaints of a selection and of
// the drag figures must equal a fresh painting of the whole window.
void ViewToolsTest::partialRepaintsLeaveNoStaleColours()
{
    for (int n : {4000, 23}) {  // coarse, fine
        auto f = makeRecord(ramp(n));
        auto view = makeView(*f, 200, 80);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QWidget* vp = view->viewport();
        CFFView::setTool(CFFView::Tool::Select);
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(50, 40));
        for (int x = 55; x <= 120; x += 13)
            moveTo(vp, QPoint(x, 40), Qt::LeftButton), QCoreApplication::processEvents();
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(120, 40));
        QCoreApplication::processEvents();
        QVERIFY(view->hasMark(MarkSelected));
        // A Measure drag to the left and upwards, then back down.
        CFFView::setTool(CFFView::Tool::Measure);
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(150, 60));
        for (int k = 0; k < 6; ++k)
            moveTo(vp, QPoint(140 - 17 * k, 55 - 9 * k + (k == 5 ? 40 : 0)), Qt::LeftButton), QCoreApplication::processEvents();
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(30, 50));
        QCoreApplication::processEvents();
        const QImage shown = view->screen()->grabWindow(view->winId()).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, vp->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
}

QTEST_MAIN(ViewToolsTest)
#include "ViewToolsTest.moc"
