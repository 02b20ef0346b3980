// Moving about the plot: the wheel and the keys, fast clicks of the Rescale
// tools, Fit kept through resizing, and long records shown sample by sample.

#include "ViewTestSupport.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

namespace {

// Sample i of the test records: a pattern that differs from its neighbours.
float patternAt(long long i) { return static_cast<float>((i * 37) % 101); }

// A record of n samples of the pattern, built in place (a vector to copy
// from would double the memory of the long records).
std::unique_ptr<FFile> patternRecord(int n)
{
    auto f = makeRecord({});
    SampleArray s(n);
    for (int i = 0; i < n; ++i)
        s[static_cast<std::size_t>(i)] = patternAt(i);
    f->SetInt("NAXIS1", n);
    f->SetData(std::move(s), n);
    f->SetupAxis();
    return f;
}

void wheel(CFFView& view, QPoint at, int notches, Qt::KeyboardModifiers mods)
{
    QWidget* vp = view.viewport();
    QWheelEvent e(QPointF(at), vp->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(vp, &e);
}

void mouse(QWidget* vp, QEvent::Type type, QPoint at)
{
    QMouseEvent e(type, QPointF(at), vp->mapToGlobal(QPointF(at)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

// The window column that sample k is drawn in.
int windowColumn(const CFFView& v, int k) { return v.scales().column(k) - v.scrollPosition().x(); }

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT
private slots:
    void init() { CFFView::setTool(CFFView::Tool::Measure); }
    void wheelZoomsToSingleSamplesUnderThePointer();
    void wheelAndKeys();
    void fastClicksEachRescale();
    void fitStaysFittedThroughResizing();
    void hundredMillionSamplesOneToOne();
};

void NavigationTest::wheelZoomsToSingleSamplesUnderThePointer()
{
    const int n = 10'000'000;
    auto f = patternRecord(n);
    auto view = makeView(*f, 800, 400);
    view->show();
    const QPoint at(600, 150);
    const double s0 = view->scales().samplesPerPixel;
    int k = view->scales().index(at.x());
    // Each notch draws the sample that was under the pointer under it again.
    int steps = 0;
    while (view->scales().samplesPerPixel > 0.2) {
        wheel(*view, at, 1, Qt::ControlModifier);
        ++steps;
        QCOMPARE(windowColumn(*view, k), at.x());
        k = view->scales().index(at.x() + view->scrollPosition().x());
        QVERIFY(steps < 40);
    }
    QVERIFY(std::fabs(view->scales().samplesPerPixel / (s0 * std::pow(2.0 / 3.0, steps)) - 1.0) < 1e-12);
    // One sample spans several columns now: its dot is under the pointer,
    // on the row of its value.
    const QImage img = paintView(*view);
    const int row = view->scales().row(patternAt(k)) - view->scrollPosition().y();
    QCOMPARE(img.pixel(at.x(), row), kBlack);
    QVERIFY(img.pixel(at.x() + 1, row) != kBlack);
    // Notches back (two at once) shrink about the same sample.
    wheel(*view, at, -2, Qt::ControlModifier);
    QCOMPARE(windowColumn(*view, k), at.x());
    QCOMPARE(view->scales().index(at.x() + view->scrollPosition().x()), k);
}

void NavigationTest::wheelAndKeys()
{
    auto f = patternRecord(3000);
    auto view = makeView(*f, 300, 101);  // S_x 10, S_y 1
    view->show();
    // Ctrl+Shift+wheel rescales Y about the pointer's value; X stays.
    const QPoint at(120, 30);
    const double v = view->scales().value(at.y());
    wheel(*view, at, 2, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(view->scales().samplesPerPixel, 10.0);
    QVERIFY(std::fabs(view->scales().unitsPerPixel - 4.0 / 9.0) < 1e-12);
    QCOMPARE(view->scales().row(v) - view->scrollPosition().y(), at.y());
    QVERIFY(!view->isFitted());
    // + rescales X about the middle of the window, - back.
    QTest::keyClick(view.get(), Qt::Key_0);
    QVERIFY(view->isFitted());
    QCOMPARE(view->scales().unitsPerPixel, 1.0);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(view.get(), Qt::Key_Plus);
    QCoreApplication::processEvents();
    const int middle = view->viewport()->width() / 2;
    const int k = view->scales().index(middle + view->scrollPosition().x());
    QVERIFY(std::fabs(view->scales().samplesPerPixel - 80.0 / 27.0) < 1e-12);
    QTest::keyClick(view.get(), Qt::Key_Minus);
    QVERIFY(std::fabs(view->scales().samplesPerPixel - 40.0 / 9.0) < 1e-12);
    QCOMPARE(windowColumn(*view, k), middle);
    // Shift+wheel scrolls along the record, towards its end when turned
    // towards the user; the vertical position stays.
    QScrollBar* hb = view->horizontalScrollBar();
    const int x0 = hb->value();
    const int y0 = view->verticalScrollBar()->value();
    wheel(*view, at, -1, Qt::ShiftModifier);
    QVERIFY(hb->value() > x0);
    QCOMPARE(view->verticalScrollBar()->value(), y0);
    // End shows the last sample, Home the first.
    QTest::keyClick(view.get(), Qt::Key_End);
    QCOMPARE(hb->value(), hb->maximum());
    const int last = windowColumn(*view, 2999);
    QVERIFY(last >= 0 && last < view->viewport()->width());
    QTest::keyClick(view.get(), Qt::Key_Home);
    QCOMPARE(windowColumn(*view, 0), 0);
}

void NavigationTest::fastClicksEachRescale()
{
    auto f = patternRecord(400);
    auto view = makeView(*f, 100, 61);  // S_x 4
    view->show();
    CFFView::setTool(CFFView::Tool::RescaleX);
    // What the toolkit sends for two quick clicks.
    QWidget* vp = view->viewport();
    mouse(vp, QEvent::MouseButtonPress, QPoint(50, 30));
    mouse(vp, QEvent::MouseButtonRelease, QPoint(50, 30));
    mouse(vp, QEvent::MouseButtonDblClick, QPoint(50, 30));
    mouse(vp, QEvent::MouseButtonRelease, QPoint(50, 30));
    QVERIFY(std::fabs(view->scales().samplesPerPixel - 4.0 * 4.0 / 9.0) < 1e-12);
}

void NavigationTest::fitStaysFittedThroughResizing()
{
    auto f = patternRecord(3000);
    auto view = makeView(*f, 300, 101);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    view->resize(600, 201);
    QCoreApplication::processEvents();
    QCOMPARE(view->scales().samplesPerPixel, 5.0);
    QCOMPARE(view->scales().bottomRow, 200.0);
    QCOMPARE(view->scales().row(view->scales().maximum), 0);
    QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(view->verticalScrollBar()->maximum(), 0);
    // Any other layout is kept.
    QVERIFY(view->oneToOne());
    view->resize(500, 201);
    QCoreApplication::processEvents();
    QCOMPARE(view->scales().samplesPerPixel, 1.0);
    QCOMPARE(view->horizontalScrollBar()->maximum(), 3000 - 500);
}

void NavigationTest::hundredMillionSamplesOneToOne()
{
    // 400 MB of samples: the one test of this size.
    const int n = 100'000'000;
    auto f = patternRecord(n);
    auto view = makeView(*f, 400, 200);
    view->show();
    QVERIFY(view->oneToOne());
    QCOMPARE(view->scales().areaWidth, n);
    QTest::keyClick(view.get(), Qt::Key_End);
    const int w = view->viewport()->width();
    const QPoint s = view->scrollPosition();
    QCOMPARE(s.x(), n - w);
    // Every visible sample has its own column and its dot on its row.
    const QImage img = paintView(*view);
    for (int x = 0; x < w; ++x) {
        const int i = s.x() + x;
        const int row = view->scales().row(patternAt(i)) - s.y();
        QVERIFY2(img.pixel(x, row) == kBlack, qPrintable(QString("sample %1").arg(i)));
    }
    // The last samples can be selected one by one.
    CFFView::setTool(CFFView::Tool::Select);
    QWidget* vp = view->viewport();
    mouse(vp, QEvent::MouseButtonPress, QPoint(w - 1, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(w - 2, 50), vp->mapToGlobal(QPointF(w - 2, 50)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    mouse(vp, QEvent::MouseButtonRelease, QPoint(w - 2, 50));
    const ViewArrays& a = view->currentArrays();
    // Columns w-2 .. w-1 widened by half a pixel: samples n-3 .. n-1.
    QCOMPARE(a.marks[static_cast<std::size_t>(n - 4)], std::uint8_t(MarkNone));
    for (int i = n - 3; i < n; ++i)
        QCOMPARE(a.marks[static_cast<std::size_t>(i)], std::uint8_t(MarkSelected));
}

QTEST_MAIN(NavigationTest)
#include "NavigationTest.moc"
