// Moving about the plot: the wheel and the keys, fast Rescale clicks, and
// long records shown sample by sample.

#include "ViewTestSupport.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

namespace {

float patternAt(long long i) { return static_cast<float>((i * 37) % 101); }

// Built in place: a vector to copy from would double the memory.
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
    QWheelEvent e(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &e);
}

void mouse(QWidget* vp, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, vp->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

int windowColumn(const CFFView& v, int k) { return v.scales().column(k) - v.scrollPosition().x(); }

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT
private slots:
    void wheelZoomsToSingleSamplesUnderThePointer()
    {
        auto f = patternRecord(10'000'000);
        auto view = makeView(*f, 800, 400);
        const QPoint at(600, 150);
        const double s0 = view->scales().samplesPerPixel;
        int k = view->scales().index(at.x());
        int steps = 0;
        for (; view->scales().samplesPerPixel > 0.2 && steps < 40; ++steps) {
            wheel(*view, at, 1, Qt::ControlModifier);
            QCOMPARE(windowColumn(*view, k), at.x());  // still under the pointer
            k = view->scales().index(at.x() + view->scrollPosition().x());
        }
        QVERIFY(std::fabs(view->scales().samplesPerPixel / (s0 * std::pow(2.0 / 3.0, steps)) - 1.0) < 1e-12);
        // The sample's own dot, on the row of its value.
        const QImage img = paintView(*view);
        QCOMPARE(img.pixel(at.x(), view->scales().row(patternAt(k)) - view->scrollPosition().y()), kBlack);
    }

    void keysModifiedWheelAndFastClicks()
    {
        auto f = patternRecord(3000);
        auto view = makeView(*f, 300, 101);  // S_x 10, S_y 1
        const QPoint at(120, 30);
        const double v = view->scales().value(at.y());
        wheel(*view, at, 2, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(std::fabs(view->scales().unitsPerPixel - 4.0 / 9.0) < 1e-12);
        QCOMPARE(view->scales().row(v) - view->scrollPosition().y(), at.y());
        QTest::keyClick(view.get(), Qt::Key_0);
        QVERIFY(view->isFitted() && view->scales().unitsPerPixel == 1.0);
        QTest::keyClicks(view.get(), "++-");
        QVERIFY(std::fabs(view->scales().samplesPerPixel - 20.0 / 3.0) < 1e-12);
        QScrollBar* hb = view->horizontalScrollBar();
        const int x0 = hb->value();
        wheel(*view, at, -1, Qt::ShiftModifier);  // towards the user: on along the record
        QVERIFY(hb->value() > x0);
        QTest::keyClick(view.get(), Qt::Key_End);
        QCOMPARE(hb->value(), hb->maximum());
        QTest::keyClick(view.get(), Qt::Key_Home);
        QCOMPARE(hb->value(), 0);
        // Two quick clicks of a Rescale tool, as the toolkit sends them.
        CFFView::setTool(CFFView::Tool::RescaleX);
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                               QEvent::MouseButtonRelease})
            mouse(view->viewport(), t, at);
        CFFView::setTool(CFFView::Tool::Measure);
        QVERIFY(std::fabs(view->scales().samplesPerPixel - 20.0 / 3.0 * 4.0 / 9.0) < 1e-12);
    }

    void hundredMillionSamplesOneToOne()
    {
        const int n = 100'000'000;  // 400 MB: the one test of this size
        auto f = patternRecord(n);
        auto view = makeView(*f, 400, 200);
        QVERIFY(view->oneToOne());
        QTest::keyClick(view.get(), Qt::Key_End);
        const QPoint s = view->scrollPosition();
        QCOMPARE(s.x(), n - 400);
        const QImage img = paintView(*view);
        for (int x = 0; x < 400; ++x)
            QCOMPARE(img.pixel(x, view->scales().row(patternAt(s.x() + x)) - s.y()), kBlack);
        // Columns 398 .. 399, widened by half a pixel: the last three samples.
        CFFView::setTool(CFFView::Tool::Select);
        mouse(view->viewport(), QEvent::MouseButtonPress, QPoint(399, 50));
        mouse(view->viewport(), QEvent::MouseMove, QPoint(398, 50), Qt::NoButton);
        mouse(view->viewport(), QEvent::MouseButtonRelease, QPoint(398, 50));
        CFFView::setTool(CFFView::Tool::Measure);
        const std::uint8_t* marks = view->currentArrays().marks.data();
        QCOMPARE(std::vector<int>(marks + n - 4, marks + n), std::vector<int>({0, 1, 1, 1}));
    }
};

QTEST_MAIN(NavigationTest)
#include "NavigationTest.moc"
