// Layouts of the view widget (Fit in window, 1:1, rescale with scrolling),
// the mark operations, following changed samples, and records that would break a
// naive view.

#include "ViewTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QtTest>

#include <cmath>

namespace {
std::vector<float> wave(int n)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<float>(std::sin(i * 0.01) * 10.0);
    return v;
}
int barExtent(const CFFView& v) { return v.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &v); }
}  // namespace

class ViewLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init() { CFFView::setTool(CFFView::Tool::Measure); }
    void oneToOne();
    void rescaleScrollsTheClickedPointToTheMiddle();
    void markOperations();
    void samplesChanged();
    void firstShowingFitsAndResizeRefits();
    void degenerateRecordsStayUsable_data();
    void degenerateRecordsStayUsable();
};

void ViewLayoutTest::oneToOne()
{
    // Narrow: the full client height; wide: what the horizontal bar leaves.
    for (int n : {500, 5000, 32767}) {
        auto f = makeRecord(wave(n));
        auto view = makeView(*f, 1200, 800);
        view->show();
        QVERIFY(view->oneToOne());
        const int h = n < 1200 ? 800 : 800 - barExtent(*view);
        const ViewGeometry& g = view->scales();
        QCOMPARE(QList<double>({g.samplesPerPixel, g.bottomRow}), QList<double>({1.0, h - 1.0}));
        QCOMPARE(QList<int>({g.areaWidth, g.areaHeight, view->horizontalScrollBar()->maximum(), view->verticalScrollBar()->maximum()}),
                 QList<int>({n, h, std::max(0, n - 1200), 0}));
    }
}

void ViewLayoutTest::rescaleScrollsTheClickedPointToTheMiddle()
{
    auto f = makeRecord(wave(3000));
    auto view = makeView(*f, 300, 101);  // S_x 10
    view->show();
    CFFView::setTool(CFFView::Tool::RescaleX);
    // Near the start: the scroll position stops at 0.
    const double sy = view->scales().unitsPerPixel;
    QVERIFY(view->rescaleAt(QPoint(2, 50), true));
    QCOMPARE(view->scrollPosition().x(), 0);
    // S_x times 2/3: 6.666666666666666; 3000 / S_x is just above 450, so the ceiling gives 451.
    QCOMPARE(view->scales().areaWidth, 451);
    // Near the end: at most W - client width.
    QVERIFY(view->rescaleAt(QPoint(view->scales().areaWidth - 2, 50), true));
    const QScrollBar* hb = view->horizontalScrollBar();
    QVERIFY(hb->maximum() > 0 && hb->value() == hb->maximum());
    // In the middle: the clicked sample lands at the middle of the window.
    const QPoint mid = view->scrollPosition() + QPoint(100, 50);
    const int k = view->scales().index(mid.x());
    QVERIFY(view->rescaleAt(mid, true));
    QCoreApplication::processEvents();  // the scroll bars settle in the event loop
    const int client = view->viewport()->width();
    QCOMPARE(client, 300 - barExtent(*view));
    const int at = view->scales().column(k) - view->scrollPosition().x();
    QVERIFY2(std::abs(at - client / 2) <= 1, qPrintable(QString("at %1 of %2").arg(at).arg(client)));
    // The vertical scale was not touched.
    QCOMPARE(view->scales().unitsPerPixel, sy);
}

void ViewLayoutTest::markOperations()
{
    auto f = makeRecord(wave(100));
    auto view = makeView(*f, 100, 50);
    view->markSpan(10, 20, MarkSelected);
    view->markSpan(40, 40, MarkDiscarded);  // no horizontal extent: nothing
    QVERIFY(view->hasMark(MarkSelected) && !view->hasMark(MarkDiscarded));
    view->saveMarks();
    view->markSpan(0, 99, MarkPending);
    QVERIFY(!view->hasMark(MarkSelected));
    view->restoreMarks();
    QVERIFY(view->hasMark(MarkSelected) && !view->hasMark(MarkPending));
    QVERIFY(!view->currentArrays().hasSaved);
    view->restoreMarks();  // no saved copy: nothing changes
    QVERIFY(view->hasMark(MarkSelected));
}

void ViewLayoutTest::samplesChanged()
{
    auto f = makeRecord({1.0f, 2.0f, 3.0f, 4.0f, 5.0f});
    auto view = makeView(*f, 80, 31);
    const double sy = view->scales().unitsPerPixel;
    f->Data()[2] = -26.0f, f->Data()[4] = 30.0f;
    view->samplesChanged(2, 4, false);
    // The view takes the new range but keeps its scale until Fit.
    QCOMPARE(QList<float>({view->scales().minimum, view->scales().maximum}), QList<float>({-26.0f, 30.0f}));
    QCOMPARE(view->scales().unitsPerPixel, sy);
    QVERIFY(view->scales().row(30.0f) < 0);
    view->fitInWindow();
    QCOMPARE(QList<int>({view->scales().row(30.0f), view->scales().row(-26.0f)}), QList<int>({0, 30}));
    // A new array of as many samples is attached afresh.
    f->SetData(SampleArray::copyOf(std::vector<float>{9, 9, 9, 9, 40}.data(), 5), 5);
    view->samplesChanged(0, 4, false);
    QVERIFY(view->currentArrays().samples == f->Data());
    QCOMPARE(QList<float>({view->scales().minimum, view->scales().maximum}), QList<float>({9.0f, 40.0f}));
}

void ViewLayoutTest::firstShowingFitsAndResizeRefits()
{
    auto f = makeRecord(wave(3000));
    CFFView view(*f);
    view.resize(300, 101);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(QList<double>({view.scales().samplesPerPixel, view.scales().bottomRow}), QList<double>({10.0, 100.0}));
    QCOMPARE(view.horizontalScrollBar()->maximum() + view.verticalScrollBar()->maximum(), 0);
    view.viewport()->repaint();
    view.resize(150, 101);
    QCoreApplication::processEvents();
    QCOMPARE(view.scales().samplesPerPixel, 20.0);  // refitted
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
}

void ViewLayoutTest::degenerateRecordsStayUsable_data()
{
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<int>("h");
    QTest::newRow("all equal") << QList<float>(300, 2.0f) << 60;
    QTest::newRow("one pixel high") << QList<float>{1.0f, 3.0f, 2.0f} << 1;
    QTest::newRow("no samples") << QList<float>{} << 60;
}

void ViewLayoutTest::degenerateRecordsStayUsable()
{
    QFETCH(QList<float>, values);
    QFETCH(int, h);
    auto f = makeRecord(std::vector<float>(values.begin(), values.end()));
    auto view = makeView(*f, 80, h);
    view->show();
    QSignalSpy spy(view.get(), &CFFView::statusText);
    QWidget* vp = view->viewport();
    auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(p), vp->mapToGlobal(QPointF(p)), b, held, Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    };
    for (CFFView::Tool t : {CFFView::Tool::Select, CFFView::Tool::Measure, CFFView::Tool::RescaleX,
                            CFFView::Tool::RescaleY, CFFView::Tool::Discard}) {
        CFFView::setTool(t);
        send(QEvent::MouseMove, QPoint(5, 0), Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, QPoint(5, 0), Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, QPoint(60, 0), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, QPoint(60, 0), Qt::LeftButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, QPoint(30, 0), Qt::RightButton, Qt::RightButton);
        send(QEvent::MouseButtonRelease, QPoint(30, 0), Qt::RightButton, Qt::NoButton);
    }
    view->fitInWindow();
    view->oneToOne();
    view->viewport()->grab();
    const ViewGeometry& g = view->scales();
    QVERIFY(std::isfinite(g.samplesPerPixel) && std::isfinite(g.unitsPerPixel) && std::isfinite(g.bottomRow));
    QVERIFY(!spy.isEmpty());
    for (const QList<QVariant>& args : spy) {
        const QString text = args.at(1).toString().toLower();
        QVERIFY2(!text.contains("nan") && !text.contains("inf"), qPrintable(text));
    }
    if (values.isEmpty())
        QCOMPARE(view->currentArrays().marks.size(), std::size_t(0));
}

QTEST_MAIN(ViewLayoutTest)
#include "ViewLayoutTest.moc"
