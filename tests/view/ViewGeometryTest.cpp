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
    g.samplesPerPixel = sx, g.unitsPerPixel = sy, g.bottomRow = b;
    g.minimum = lo, g.maximum = hi, g.count = n;
    return g;
}
}  // namespace

class ViewGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void mappingsAndSpans();
    void nearPixelMatchesHalfUp();
    void fitAndRange();
    void degenerateLayoutsStayFinite_data();
    void degenerateLayoutsStayFinite();
    void magnifyAndShrink();
    void rescaleRefusedAtTheAreaLimit();
    void sampleRangeOfARegion();
};

void ViewGeometryTest::mappingsAndSpans()
{
    // column = near(i / S_x); index = near(x * S_x); halves go up.
    const struct { double sx; int i, column, x, index; } maps[] = {
        {4.0, 6, 2, 3, 12},  // 1.5 -> 2
        {4.0, 5, 1, 1, 4},   {0.4, 3, 8, 5, 2},  // 7.5 -> 8; 2.0
        {0.4, 1, 3, 9, 4},   // 2.5 -> 3; 3.6 -> 4
        {5.0, 0, 0, -1, -5}, {0.5, 0, 0, -5, -2},  // -2.5 -> -2
    };
    for (const auto& c : maps) {
        const ViewGeometry g = layout(c.sx, 1.0, 0.0, 0.0f, 1.0f, 100);
        QCOMPARE(QList<int>({g.column(c.i), g.index(c.x)}), QList<int>({c.column, c.index}));
    }
    // N = 100. lo = floor((x1 - 0.5) S_x), hi = ceil((x2 + 0.5) S_x),
    // clamped; back: floor(lo / S_x) .. ceil(hi / S_x).
    const struct { double sx; int x1, x2, lo, hi, px1, px2; } spans[] = {
        {10.0, 3, 5, 25, 55, 2, 6},   {10.0, 5, 3, 25, 55, 2, 6},  {10.0, 0, 1, 0, 15, 0, 2},
        {10.0, 8, 12, 75, 99, 7, 10}, {0.1, 15, 36, 1, 4, 10, 40}, {2.5, 4, 6, 8, 17, 3, 7},
        {2.0, 45, 50, 89, 99, 44, 50}, {1.0, -10, -5, 0, -1, -1, 0},
    };
    for (const auto& c : spans) {
        const ViewGeometry g = layout(c.sx, 1.0, 0.0, 0.0f, 1.0f, 100);
        const IndexSpan s = g.indexSpan(c.x1, c.x2);
        const PixelSpan p = g.pixelSpan(s.lo, s.hi);
        QCOMPARE(QList<int>({s.lo, s.hi, p.x1, p.x2}), QList<int>({c.lo, c.hi, c.px1, c.px2}));
    }
}

void ViewGeometryTest::nearPixelMatchesHalfUp()
{
    const std::pair<double, int> cases[] = {{0.5, 1},  {1.49999, 1}, {-0.5, 0},    {-1.5, -1}, {-1.50001, -2},
                                            {2.0, 2},  {-3.0, -3},   {1e30, 16777216}, {-1e30, -16777216},
                                            {NAN, -16777216}};
    for (const auto& [v, r] : cases)
        QCOMPARE(nearPixel(v), r);
    // Rows: minimum 2, S_y 0.5, B 99: value 2 on row 99, value 3 on row 97,
    // value 3.25 on 96.5 -> 97 (half up).
    const ViewGeometry g = layout(1.0, 0.5, 99.0, 2.0f, 10.0f, 10);
    QCOMPARE(QList<int>({g.row(2.0), g.row(3.0), g.row(3.25), g.row(3.26), g.maximumRow(), g.minimumRow()}),
             QList<int>({99, 97, 97, 96, 83, 99}));
    QCOMPARE(g.value(97), 3.0);
}

void ViewGeometryTest::fitAndRange()
{
    const std::vector<float> v = {3.0f, -1.0f, 7.0f, NAN, 2.0f, INFINITY};
    ViewGeometry g;
    g.computeRange(v.data(), static_cast<int>(v.size()));
    QCOMPARE(QList<float>({g.minimum, g.maximum}), QList<float>({-1.0f, 7.0f}));  // non-finite samples do not count
    g.fit(3, 5);
    // S_x 6 / 3, S_y 8 / (5 - 1); the maximum on the top row.
    QCOMPARE(QList<double>({g.samplesPerPixel, g.unitsPerPixel, g.bottomRow}), QList<double>({2.0, 2.0, 4.0}));
    QCOMPARE(QList<int>({g.row(7.0), g.row(-1.0), g.areaWidth, g.areaHeight}), QList<int>({0, 4, 3, 5}));
}

void ViewGeometryTest::degenerateLayoutsStayFinite_data()
{
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<int>("w"), QTest::addColumn<int>("h");
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
    QFETCH(QList<float>, values); QFETCH(int, w); QFETCH(int, h); QFETCH(int, lineRow);
    ViewGeometry g;
    g.computeRange(values.data(), static_cast<int>(values.size()));
    g.fit(w, h);
    const auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
    QVERIFY(positive(g.samplesPerPixel) && positive(g.unitsPerPixel) && std::isfinite(g.bottomRow));
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
    QVERIFY(positive(r.unitsPerPixel));
    r = g;
    r.rescale(true, false, 1, 1, a);
    QVERIFY(positive(r.samplesPerPixel));
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
    QCOMPARE(QList<double>({g.unitsPerPixel, g.bottomRow}), QList<double>({0.1, 60.0}));
    QCOMPARE(QList<int>({g.areaWidth, g.areaHeight}), QList<int>({1013, 61}));  // 900 / (8 / 9) = 1012.5, rounded up
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
    QVERIFY(g.samplesPerPixel == before.samplesPerPixel && g.bottomRow == before.bottomRow && g.areaWidth == before.areaWidth);
    // Y: H = ceil(1 / S_y + 1) = ceil(100 * 1.5^k + 1): 12.8e6 at k = 29,
    // 19.2e6 (past 2^24) at k = 30.
    for (int k = 0; k < 29; ++k)
        QVERIFY(g.rescale(false, true, 0, 0, a));
    const double sy = g.unitsPerPixel;
    QVERIFY(!g.rescale(false, true, 0, 0, a));
    QCOMPARE(g.unitsPerPixel, sy);
}

void ViewGeometryTest::sampleRangeOfARegion()
{
    // m = ceil(S_x) extra samples on each side, cut at the ends of the record.
    const struct { double sx; int n; QRect region; int a, b; } cases[] = {
        {4.0, 400, QRect(10, 0, 11, 5), 36, 84},  {4.0, 400, QRect(0, 0, 5, 5), 0, 20},
        {4.0, 400, QRect(200, 0, 10, 5), 395, 399}, {0.1, 10, QRect(34, 0, 12, 5), 2, 6},
        {4.2, 420, QRect(1, 0, 5, 5), 0, 26},     {4.0, 400, QRect(90, 0, 10, 5), 356, 399},
        {10000.0, 10000, QRect(0, 0, 1, 5), 0, 9999}, {4.0, 400, QRect(), 0, -1},
        {4.0, 0, QRect(0, 0, 5, 5), 0, -1},
    };
    for (const auto& c : cases) {
        int ga = 0, gb = 0;
        PlotPainter::sampleRange(layout(c.sx, 1.0, 0.0, 0.0f, 1.0f, c.n), c.n, c.region, ga, gb);
        QCOMPARE(QList<int>({ga, gb}), QList<int>({c.a, c.b}));
    }
}

QTEST_APPLESS_MAIN(ViewGeometryTest)
#include "ViewGeometryTest.moc"
