// Scales and mappings of the plot view, against hand-worked numbers.

#include "PlotPainter.h"
#include "ViewGeometry.h"

#include <QtTest>

#include <cmath>
#include <vector>

namespace {
ViewGeometry layout(double sx, double sy, double b, float lo, float hi, int n)
{
    ViewGeometry g;
    g.samplesPerPixel = sx;
    g.unitsPerPixel = sy;
    g.bottomRow = b;
    g.minimum = lo;
    g.maximum = hi;
    g.count = n;
    return g;
}
}  // namespace

class ViewGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void mappings_data();
    void mappings();
    void nearPixelMatchesHalfUp();
    void spans_data();
    void spans();
    void fitAndRange();
    void degenerateLayoutsStayFinite_data();
    void degenerateLayoutsStayFinite();
    void magnifyAndShrink();
    void rescaleRefusedAtTheAreaLimit();
    void sampleRangeOfARegion_data();
    void sampleRangeOfARegion();
};

void ViewGeometryTest::mappings_data()
{
    QTest::addColumn<double>("sx");
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("index");
    // column = near(i / S_x); index = near(x * S_x); halves go up.
    QTest::newRow("coarse") << 4.0 << 6 << 2 << 3 << 12;    // 1.5 -> 2
    QTest::newRow("coarse below half") << 4.0 << 5 << 1 << 1 << 4;
    QTest::newRow("fine") << 0.4 << 3 << 8 << 5 << 2;       // 7.5 -> 8; 2.0
    QTest::newRow("fine half") << 0.4 << 1 << 3 << 9 << 4;  // 2.5 -> 3; 3.6 -> 4
    QTest::newRow("negative x") << 5.0 << 0 << 0 << -1 << -5;
    QTest::newRow("negative half") << 0.5 << 0 << 0 << -5 << -2;  // -2.5 -> -2
}

void ViewGeometryTest::mappings()
{
    QFETCH(double, sx);
    QFETCH(int, i);
    QFETCH(int, column);
    QFETCH(int, x);
    QFETCH(int, index);
    const ViewGeometry g = layout(sx, 1.0, 0.0, 0.0f, 1.0f, 100);
    QCOMPARE(g.column(i), column);
    QCOMPARE(g.index(x), index);
}

void ViewGeometryTest::nearPixelMatchesHalfUp()
{
    struct Case {
        double v;
        int r;
    };
    const Case cases[] = {{0.5, 1},  {1.49999, 1}, {-0.5, 0},    {-1.5, -1}, {-1.50001, -2},
                          {2.0, 2},  {-3.0, -3},   {1e30, 16777216}, {-1e30, -16777216},
                          {NAN, -16777216}};
    for (const Case& c : cases)
        QCOMPARE(nearPixel(c.v), c.r);
    // Rows: minimum 2, S_y 0.5, B 99: value 2 on row 99, value 3 on row 97,
    // value 3.25 on 96.5 -> 97 (half up).
    const ViewGeometry g = layout(1.0, 0.5, 99.0, 2.0f, 10.0f, 10);
    QCOMPARE(g.row(2.0), 99);
    QCOMPARE(g.row(3.0), 97);
    QCOMPARE(g.row(3.25), 97);
    QCOMPARE(g.row(3.26), 96);
    QCOMPARE(g.value(97), 3.0);
    QCOMPARE(g.maximumRow(), 83);
    QCOMPARE(g.minimumRow(), 99);
}

void ViewGeometryTest::spans_data()
{
    QTest::addColumn<double>("sx");
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("x2");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("px1");
    QTest::addColumn<int>("px2");
    // N = 100. lo = floor((x1 - 0.5) S_x), hi = ceil((x2 + 0.5) S_x),
    // clamped; back: floor(lo / S_x) .. ceil(hi / S_x).
    QTest::newRow("coarse") << 10.0 << 3 << 5 << 25 << 55 << 2 << 6;
    QTest::newRow("coarse mirrored") << 10.0 << 5 << 3 << 25 << 55 << 2 << 6;
    QTest::newRow("clamped low") << 10.0 << 0 << 1 << 0 << 15 << 0 << 2;
    QTest::newRow("clamped high") << 10.0 << 8 << 12 << 75 << 99 << 7 << 10;
    QTest::newRow("fine") << 0.1 << 15 << 36 << 1 << 4 << 10 << 40;
    QTest::newRow("fractional") << 2.5 << 4 << 6 << 8 << 17 << 3 << 7;
    QTest::newRow("just past the end") << 2.0 << 45 << 50 << 89 << 99 << 44 << 50;
    QTest::newRow("left of the record") << 1.0 << -10 << -5 << 0 << -1 << -1 << 0;
}

void ViewGeometryTest::spans()
{
    QFETCH(double, sx);
    QFETCH(int, x1);
    QFETCH(int, x2);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(int, px1);
    QFETCH(int, px2);
    const ViewGeometry g = layout(sx, 1.0, 0.0, 0.0f, 1.0f, 100);
    const IndexSpan s = g.indexSpan(x1, x2);
    QCOMPARE(s.lo, lo);
    QCOMPARE(s.hi, hi);
    const PixelSpan p = g.pixelSpan(s.lo, s.hi);
    QCOMPARE(p.x1, px1);
    QCOMPARE(p.x2, px2);
}

void ViewGeometryTest::fitAndRange()
{
    const std::vector<float> v = {3.0f, -1.0f, 7.0f, NAN, 2.0f, INFINITY};
    ViewGeometry g;
    g.computeRange(v.data(), static_cast<int>(v.size()));
    QCOMPARE(g.minimum, -1.0f);  // non-finite samples do not count
    QCOMPARE(g.maximum, 7.0f);
    g.fit(3, 5);
    QCOMPARE(g.samplesPerPixel, 2.0);  // 6 / 3
    QCOMPARE(g.bottomRow, 4.0);
    QCOMPARE(g.unitsPerPixel, 2.0);  // 8 / (5 - 1)
    QCOMPARE(g.row(7.0), 0);         // the maximum on the top row
    QCOMPARE(g.row(-1.0), 4);
    QCOMPARE(g.areaWidth, 3);
    QCOMPARE(g.areaHeight, 5);
}

void ViewGeometryTest::degenerateLayoutsStayFinite_data()
{
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("lineRow");  // row of the first sample, -1: none
    QTest::newRow("all equal") << QList<float>{5.0f, 5.0f, 5.0f} << 40 << 21 << 10;
    QTest::newRow("all zero") << QList<float>{0.0f, 0.0f} << 40 << 20 << 9;
    QTest::newRow("one pixel high") << QList<float>{1.0f, 4.0f} << 40 << 1 << 0;
    QTest::newRow("collapsed window") << QList<float>{1.0f, 4.0f} << 0 << 0 << 0;
    QTest::newRow("no samples") << QList<float>{} << 40 << 20 << -1;
    QTest::newRow("only NaN") << QList<float>{NAN, NAN} << 40 << 20 << -1;
}

void ViewGeometryTest::degenerateLayoutsStayFinite()
{
    QFETCH(QList<float>, values);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, lineRow);
    ViewGeometry g;
    g.computeRange(values.data(), static_cast<int>(values.size()));
    g.fit(w, h);
    QVERIFY(std::isfinite(g.samplesPerPixel) && g.samplesPerPixel > 0.0);
    QVERIFY(std::isfinite(g.unitsPerPixel) && g.unitsPerPixel > 0.0);
    QVERIFY(std::isfinite(g.bottomRow));
    QVERIFY(g.areaWidth >= 1 && g.areaHeight >= 1);
    if (lineRow >= 0) {
        QCOMPARE(g.row(values[0]), lineRow);
        // The readout gives the value back on the line's row.
        QCOMPARE(g.value(lineRow), static_cast<double>(values[0]));
    }
    for (int y = -2; y < 3; ++y)
        QVERIFY(std::isfinite(g.value(y)));
    ViewGeometry::RescaleAnchor a;
    ViewGeometry r = g;
    r.rescale(false, true, 1, 1, a);
    QVERIFY(std::isfinite(r.unitsPerPixel) && r.unitsPerPixel > 0.0);
    r = g;
    r.rescale(true, false, 1, 1, a);
    QVERIFY(std::isfinite(r.samplesPerPixel) && r.samplesPerPixel > 0.0);
    if (values.isEmpty())
        QVERIFY(g.indexSpan(0, 10).empty());
}

void ViewGeometryTest::magnifyAndShrink()
{
    std::vector<float> v(900);
    for (int i = 0; i < 900; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<float>(i % 7);
    ViewGeometry g;
    g.computeRange(v.data(), 900);
    g.fit(300, 61);  // S_x 3, S_y 0.1
    const ViewGeometry fitted = g;
    ViewGeometry::RescaleAnchor a;
    for (int k = 0; k < 3; ++k)
        QVERIFY(g.rescale(true, true, 150, 30, a));
    QVERIFY(std::fabs(g.samplesPerPixel - 3.0 * 8.0 / 27.0) < 1e-12);
    QCOMPARE(g.unitsPerPixel, 0.1);
    QCOMPARE(g.areaWidth, 1013);  // 900 / (8 / 9) = 1012.5, rounded up
    QCOMPARE(g.areaHeight, 61);
    QCOMPARE(g.bottomRow, 60.0);
    QVERIFY(g.rescale(true, false, 0, 0, a));
    QVERIFY(std::fabs(g.samplesPerPixel - 3.0 * 4.0 / 9.0) < 1e-12);
    // The anchor is the sample and value under the clicked point.
    g = fitted;
    QVERIFY(g.rescale(false, true, 100, 10, a));
    QCOMPARE(a.k, 300);
    QCOMPARE(a.v, 5.0f);  // (60 - 10) * 0.1
    QVERIFY(std::fabs(g.unitsPerPixel - 0.1 * 2.0 / 3.0) < 1e-15);
}

void ViewGeometryTest::rescaleRefusedAtTheAreaLimit()
{
    std::vector<float> v(1000, 0.0f);
    v[1] = 1.0f;
    ViewGeometry g;
    g.computeRange(v.data(), 1000);
    g.fit(1000, 101);  // S_x 1: W = 1000 * 1.5^k after k magnifications
    ViewGeometry::RescaleAnchor a;
    for (int k = 0; k < 35; ++k)
        QVERIFY(g.rescale(true, true, 0, 0, a));  // 1.5^35 * 1000 = 1.456e9 < 2^31 - 1
    const ViewGeometry before = g;
    QVERIFY(!g.rescale(true, true, 0, 0, a));  // 2.184e9: refused
    QCOMPARE(g.samplesPerPixel, before.samplesPerPixel);
    QCOMPARE(g.bottomRow, before.bottomRow);
    QCOMPARE(g.areaWidth, before.areaWidth);
    // Y: H = ceil(1 / S_y + 1) = ceil(100 * 1.5^k + 1): 12.8e6 at k = 29,
    // 19.2e6 (past 2^24) at k = 30.
    for (int k = 0; k < 29; ++k)
        QVERIFY(g.rescale(false, true, 0, 0, a));
    const double sy = g.unitsPerPixel;
    QVERIFY(!g.rescale(false, true, 0, 0, a));
    QCOMPARE(g.unitsPerPixel, sy);
}

void ViewGeometryTest::sampleRangeOfARegion_data()
{
    QTest::addColumn<double>("sx");
    QTest::addColumn<int>("n");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    // m = ceil(S_x) extra samples on each side.
    QTest::newRow("middle") << 4.0 << 400 << QRect(10, 0, 11, 5) << 36 << 84;
    QTest::newRow("start") << 4.0 << 400 << QRect(0, 0, 5, 5) << 0 << 20;
    QTest::newRow("right of the record") << 4.0 << 400 << QRect(200, 0, 10, 5) << 395 << 399;
    QTest::newRow("fine") << 0.1 << 10 << QRect(34, 0, 12, 5) << 2 << 6;
    // Margins cut at the ends of the record rather than left out.
    QTest::newRow("left margin cut") << 4.2 << 420 << QRect(1, 0, 5, 5) << 0 << 26;
    QTest::newRow("right margin cut") << 4.0 << 400 << QRect(90, 0, 10, 5) << 356 << 399;
    QTest::newRow("one column for all") << 10000.0 << 10000 << QRect(0, 0, 1, 5) << 0 << 9999;
    QTest::newRow("empty region") << 4.0 << 400 << QRect() << 0 << -1;
    QTest::newRow("no samples") << 4.0 << 0 << QRect(0, 0, 5, 5) << 0 << -1;
}

void ViewGeometryTest::sampleRangeOfARegion()
{
    QFETCH(double, sx);
    QFETCH(int, n);
    QFETCH(QRect, region);
    QFETCH(int, a);
    QFETCH(int, b);
    const ViewGeometry g = layout(sx, 1.0, 0.0, 0.0f, 1.0f, n);
    int ga = 0;
    int gb = 0;
    PlotPainter::sampleRange(g, n, region, ga, gb);
    QCOMPARE(ga, a);
    QCOMPARE(gb, b);
}

QTEST_APPLESS_MAIN(ViewGeometryTest)
#include "ViewGeometryTest.moc"
