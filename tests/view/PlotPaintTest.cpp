// Painting: pixels of strokes, joins, dots and the pending curve on
// hand-worked layouts, and the fast painter against a plain per-sample
// rendering of the same rules on random records.

#include "Near.h"
#include "PlotPainter.h"
#include "ViewTestSupport.h"

#include <QtTest>

#include <random>

namespace {

QRgb at(const QImage& img, int x, int y) { return img.pixel(x, y); }

// Columns of the coarse layout: N = 400 in 100 columns (S_x = 4), so
// column c holds samples 4c-2 .. 4c+1. Inside a column the values run
// 50, 80, 20, 50: rows 30, 0, 60, 30 in a window 61 rows high.
std::vector<float> coarseValues()
{
    std::vector<float> v(400);
    const float pattern[4] = {20.0f, 50.0f, 50.0f, 80.0f};  // by i % 4
    for (int i = 0; i < 400; ++i)
        v[static_cast<std::size_t>(i)] = pattern[i % 4];
    return v;
}

// The plain rendering: point by point, exactly as the rules read.
QImage reference(const ViewGeometry& g, const float* s, const std::uint8_t* mk, const float* res, int n, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    auto pt = [&](const float* v, int i) {
        return QPoint(static_cast<int>(near(i / g.samplesPerPixel)),
                      static_cast<int>(near((g.minimum - static_cast<double>(v[i])) / g.unitsPerPixel + g.bottomRow)));
    };
    QColor ink;
    auto pen = [&](QColor c) { ink = c; };
    // A line without its end pixel: one pixel per step along the longer
    // axis, the other coordinate rounded half up.
    auto line = [&](QPoint a, QPoint b) {
        const int dx = b.x() - a.x();
        const int dy = b.y() - a.y();
        const int n = std::max(std::abs(dx), std::abs(dy));
        for (int t = 0; t < n; ++t) {
            QPoint q;
            if (std::abs(dx) >= std::abs(dy))
                q = QPoint(a.x() + (dx > 0 ? t : -t), a.y() + static_cast<int>(near(static_cast<double>(t) * dy / n)));
            else
                q = QPoint(a.x() + static_cast<int>(near(static_cast<double>(t) * dx / n)), a.y() + (dy > 0 ? t : -t));
            if (img.rect().contains(q))
                img.setPixel(q, ink.rgb());
        }
    };
    int a = 0;
    int b = 0;
    PlotPainter::sampleRange(g, n, QRect(QPoint(0, 0), size), a, b);
    // Curve pass.
    QPoint c0 = pt(s, a);
    int x = c0.x(), lo = c0.y(), hi = c0.y(), last = c0.y();
    int colMark = mk[a], carried = mk[a];
    QPoint j0 = c0, j1 = c0;
    for (int i = a + 1; i <= b; ++i) {
        const QPoint q = pt(s, i);
        if (q.x() == x) {
            if (q.y() > hi)
                hi = q.y();
            else if (q.y() < lo)
                lo = q.y();
            colMark = std::max<int>(colMark, mk[i]);
        } else {
            pen(PlotPainter::markColor(carried));
            line(QPoint(x, lo), QPoint(x, hi));
            pen(PlotPainter::markColor(std::max(carried, colMark)));
            line(j0, j1);
            j0 = QPoint(x, last);
            j1 = q;
            carried = colMark;
            lo = hi = q.y();
            colMark = mk[i];
        }
        last = q.y();
        x = q.x();
    }
    pen(PlotPainter::markColor(carried));
    line(QPoint(x, lo), QPoint(x, hi));
    pen(PlotPainter::markColor(std::max(carried, colMark)));
    line(j0, j1);
    // Dot pass.
    pen(Qt::black);
    QPoint d = pt(s, a);
    for (int i = a + 1; i <= b; ++i) {
        const QPoint q = pt(s, i);
        if (q != d && mk[i] == 0)
            line(d, d + QPoint(1, 0));
        d = q;
    }
    line(d, d + QPoint(1, 0));
    // Pending pass.
    pen(PlotPainter::resultColor());
    for (int i = a; i <= b;) {
        if (mk[i] != 3) {
            ++i;
            continue;
        }
        int e = i;
        while (e < b && mk[e + 1] == 3)
            ++e;
        QPoint q = pt(res, i);
        int cx = q.x(), clo = q.y(), chi = q.y(), cl = q.y();
        for (int k = i + 1; k <= e; ++k) {
            const QPoint r = pt(res, k);
            if (r.x() == cx) {
                if (r.y() > chi)
                    chi = r.y();
                else if (r.y() < clo)
                    clo = r.y();
            } else {
                line(QPoint(cx, clo), QPoint(cx, chi));
                line(QPoint(cx, cl), r);
                cx = r.x();
                clo = chi = r.y();
            }
            cl = r.y();
        }
        line(QPoint(cx, clo), QPoint(cx, chi));
        i = e + 1;
    }
    return img;
}

QImage fast(const ViewGeometry& g, const float* s, const std::uint8_t* mk, const float* res, int n, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PlotPainter painter;
    PlotData d;
    d.samples = s;
    d.marks = mk;
    d.result = res;
    d.count = n;
    painter.paint(p, g, d, QRect(QPoint(0, 0), size));
    return img;
}

}  // namespace

class PlotPaintTest : public QObject {
    Q_OBJECT
private slots:
    void strokeTakesThePreviousColumnsMark();
    void joinTouchingASelectedSampleIsBlue();
    void dotsAreSkippedBeforeMarkedSamples();
    void pendingCurveIsRedOverGrey();
    void onlyTheRegionIsPainted();
    void matchesThePlainRendering_data();
    void matchesThePlainRendering();
    void spikeAtTheEndOfAChunkGetsItsDot();
    void degenerateRecordsPaint_data();
    void degenerateRecordsPaint();
};

void PlotPaintTest::strokeTakesThePreviousColumnsMark()
{
    auto f = makeRecord(coarseValues());
    auto view = makeView(*f, 100, 61);
    QCOMPARE(view->scales().samplesPerPixel, 4.0);
    QCOMPARE(view->scales().unitsPerPixel, 1.0);
    // Select the samples of column 5 (18 .. 21).
    ViewArrays& a = view->arrays();
    for (int i = 18; i <= 21; ++i)
        a.marks[static_cast<std::size_t>(i)] = MarkSelected;
    const QImage img = paintView(*view);
    // Rows 1 .. 29 and 31 .. 59 of a column are its stroke only.
    QCOMPARE(at(img, 4, 15), kGrey);
    QCOMPARE(at(img, 5, 15), kGrey);  // previous column unmarked
    QCOMPARE(at(img, 6, 15), kBlue);  // previous column selected
    QCOMPARE(at(img, 6, 45), kBlue);
    QCOMPARE(at(img, 7, 15), kGrey);
    // A stroke does not set its end pixel (row 60 of column 5, which has no
    // dot because its samples are marked).
    QCOMPARE(at(img, 5, 60), 0xFFFFFFFFu);
}

void PlotPaintTest::joinTouchingASelectedSampleIsBlue()
{
    // Magnified: S_x = 0.1, sample i on column 10 i; values alternate
    // between rows 60 and 0, so every join is a long diagonal.
    std::vector<float> v(10);
    for (int i = 0; i < 10; ++i)
        v[static_cast<std::size_t>(i)] = i % 2 ? 80.0f : 20.0f;
    auto f = makeRecord(v);
    auto view = makeView(*f, 100, 61);
    QCOMPARE(view->scales().samplesPerPixel, 0.1);
    view->arrays().marks[5] = MarkSelected;
    const QImage img = paintView(*view);
    auto colourInColumn = [&](int x) {
        for (int y = 1; y < 60; ++y)
            if (at(img, x, y) != 0xFFFFFFFFu)
                return at(img, x, y);
        return 0u;
    };
    QCOMPARE(colourInColumn(35), kGrey);
    QCOMPARE(colourInColumn(45), kBlue);  // join 4 -> 5
    QCOMPARE(colourInColumn(55), kBlue);  // join 5 -> 6
    QCOMPARE(colourInColumn(65), kGrey);
}

void PlotPaintTest::dotsAreSkippedBeforeMarkedSamples()
{
    std::vector<float> v(10);
    for (int i = 0; i < 10; ++i)
        v[static_cast<std::size_t>(i)] = i % 2 ? 80.0f : 20.0f;
    auto f = makeRecord(v);
    auto view = makeView(*f, 100, 61);
    ViewArrays& a = view->arrays();
    a.marks[5] = MarkSelected;
    a.marks[9] = MarkDiscarded;
    const QImage img = paintView(*view);
    QCOMPARE(at(img, 30, 0), kBlack);   // sample 3, followed by an unmarked sample
    QCOMPARE(at(img, 40, 60), kBlue);   // sample 4 is followed by a selected one: join pixel
    QCOMPARE(at(img, 50, 0), kBlack);   // sample 5 itself gets its dot
    QCOMPARE(at(img, 80, 60), kRed);    // before the discarded sample: no dot
    QCOMPARE(at(img, 90, 0), kBlack);   // the last sample always has its dot
    // Coarse layout: in a column of marked samples only the boundary dot.
    auto g = makeRecord(coarseValues());
    auto coarse = makeView(*g, 100, 61);
    for (int i = 18; i <= 21; ++i)
        coarse->arrays().marks[static_cast<std::size_t>(i)] = MarkSelected;
    const QImage c = paintView(*coarse);
    QCOMPARE(at(c, 4, 0), kBlack);
    QCOMPARE(at(c, 4, 60), kBlack);
    QVERIFY(at(c, 5, 0) != kBlack);
    QVERIFY(at(c, 5, 60) != kBlack);
    QCOMPARE(at(c, 5, 30), kBlack);  // sample 22 after it is unmarked
}

void PlotPaintTest::pendingCurveIsRedOverGrey()
{
    std::vector<float> v(10);
    for (int i = 0; i < 10; ++i)
        v[static_cast<std::size_t>(i)] = i % 2 ? 80.0f : 20.0f;
    auto f = makeRecord(v);
    auto view = makeView(*f, 100, 61);
    ViewArrays& a = view->arrays();
    for (int i = 0; i < 10; ++i) {
        a.result[static_cast<std::size_t>(i)] = 50.0f;  // row 30
        a.marks[static_cast<std::size_t>(i)] = MarkPending;
    }
    const QImage img = paintView(*view);
    QCOMPARE(at(img, 5, 30), kRed);   // where the grey curve crosses the result
    QCOMPARE(at(img, 45, 30), kRed);
    QCOMPARE(at(img, 2, 48), kGrey);  // the samples' join 0 -> 1, light grey
    QCOMPARE(at(img, 90, 30), 0xFFFFFFFFu);  // the result line stops before its end
    QCOMPARE(at(img, 90, 0), kBlack);        // last dot even though pending
    QVERIFY(at(img, 30, 0) != kBlack);       // pending samples get no dots
}

void PlotPaintTest::onlyTheRegionIsPainted()
{
    auto f = makeRecord(coarseValues());
    auto view = makeView(*f, 100, 61);
    QImage img(100, 61, QImage::Format_RGB32);
    img.fill(Qt::green);
    {
        QPainter p(&img);
        p.setClipRect(QRect(40, 0, 10, 61));
        view->paintArea(p, QRect(40, 0, 10, 61));
    }
    QCOMPARE(img.pixel(39, 15), QColor(Qt::green).rgb());
    QCOMPARE(img.pixel(50, 15), QColor(Qt::green).rgb());
    QCOMPARE(img.pixel(40, 15), kGrey);
    QCOMPARE(img.pixel(49, 15), kGrey);
}

void PlotPaintTest::matchesThePlainRendering_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("halves");
    QTest::newRow("coarse") << 5000 << 97 << 80 << false << false;
    QTest::newRow("coarse marked") << 5000 << 97 << 80 << true << false;
    QTest::newRow("fractional scale") << 250 << 99 << 50 << true << false;
    QTest::newRow("fine") << 37 << 120 << 60 << true << false;
    QTest::newRow("one column") << 3000 << 1 << 40 << true << false;
    // Columns of more samples than the painter works out at once.
    QTest::newRow("long columns") << 30000 << 3 << 40 << true << false;
    QTest::newRow("long columns unmarked") << 30000 << 3 << 40 << false << false;
    // S_y = 0.7 and values (k + 0.5) 0.7: rows on or within a hair of a
    // half, where multiplying by 1/0.7 instead of dividing by 0.7 rounds
    // some of them the other way (40.25 gives 2.4999999999999929 by the
    // division, 2.5 by the product).
    QTest::newRow("rows on halves, fine") << 300 << 600 << 61 << false << true;
    QTest::newRow("rows on halves, coarse") << 20000 << 50 << 61 << false << true;
}

void PlotPaintTest::matchesThePlainRendering()
{
    QFETCH(int, n);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, marked);
    QFETCH(bool, halves);
    std::mt19937 rng(12345u + static_cast<unsigned>(n));
    std::normal_distribution<float> noise(0.0f, 1.0f);
    std::uniform_int_distribution<int> mark(0, 3);
    for (int round = 0; round < 4; ++round) {
        std::vector<float> s(static_cast<std::size_t>(n));
        std::vector<float> r(static_cast<std::size_t>(n));
        std::vector<std::uint8_t> mk(static_cast<std::size_t>(n), 0);
        float level = 0.0f;
        for (int i = 0; i < n; ++i) {
            level += noise(rng);
            s[static_cast<std::size_t>(i)] = level + (i % 97 == 0 ? 30.0f : 0.0f);
            r[static_cast<std::size_t>(i)] = level * 0.5f;
            if (halves)
                s[static_cast<std::size_t>(i)] = static_cast<float>(0.7 * (static_cast<double>(rng() % 60) + 0.5));
        }
        if (halves) {
            s[0] = 0.0f;
            s[1] = 42.0f;
        }
        if (marked)
            for (int i = 0; i < n;) {
                const int len = 1 + static_cast<int>(rng() % 40);
                const int m = mark(rng);
                for (int k = i; k < std::min(n, i + len); ++k)
                    mk[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(m);
                i += len + static_cast<int>(rng() % 60);
            }
        ViewGeometry g;
        g.computeRange(s.data(), n);
        g.fit(w, h);
        const QSize size(w, h);
        const QImage want = reference(g, s.data(), mk.data(), r.data(), n, size);
        const QImage got = fast(g, s.data(), mk.data(), r.data(), n, size);
        int ink = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ink += want.pixel(x, y) != 0xFFFFFFFFu;
        QVERIFY(ink > 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (want.pixel(x, y) != got.pixel(x, y))
                    QFAIL(qPrintable(QString("round %1: pixel (%2, %3) is %4, want %5")
                                         .arg(round).arg(x).arg(y)
                                         .arg(got.pixel(x, y), 8, 16).arg(want.pixel(x, y), 8, 16)));
    }
}

void PlotPaintTest::spikeAtTheEndOfAChunkGetsItsDot()
{
    // A window one pixel wide: column 0 holds samples 0 .. 4999 (S_x is
    // 10000). The only high sample is 4095, the last of the first 4096
    // samples that the painter works out together.
    std::vector<float> s(10000, 0.0f);
    s[4095] = 10.0f;
    s[7000] = -10.0f;
    std::vector<std::uint8_t> mk(10000, 0);
    ViewGeometry g;
    g.computeRange(s.data(), 10000);
    g.fit(1, 21);
    QCOMPARE(g.row(10.0), 0);
    const QImage want = reference(g, s.data(), mk.data(), nullptr, 10000, QSize(1, 21));
    const QImage got = fast(g, s.data(), mk.data(), nullptr, 10000, QSize(1, 21));
    QCOMPARE(want.pixel(0, 0), kBlack);
    QCOMPARE(got.pixel(0, 0), kBlack);
    QCOMPARE(got, want);
}

void PlotPaintTest::degenerateRecordsPaint_data()
{
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<int>("h");
    QTest::newRow("all equal") << QList<float>(500, 3.5f) << 60;
    QTest::newRow("one pixel high") << QList<float>{1.0f, 5.0f, 2.0f, 4.0f} << 1;
    QTest::newRow("no samples") << QList<float>{} << 60;
}

void PlotPaintTest::degenerateRecordsPaint()
{
    QFETCH(QList<float>, values);
    QFETCH(int, h);
    auto f = makeRecord(std::vector<float>(values.begin(), values.end()));
    auto view = makeView(*f, 80, h);
    const QImage img = paintView(*view);
    int ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ink += img.pixel(x, y) != 0xFFFFFFFFu;
    if (values.isEmpty()) {
        QCOMPARE(ink, 0);
        return;
    }
    QVERIFY(ink > 0);  // something visible on the window
    if (h > 1) {
        // A flat record is one line across the middle of the window.
        const int row = view->scales().row(values[0]);
        QCOMPARE(row, (h - 1) / 2);
        QCOMPARE(img.pixel(40, row), kBlack);
    }
}

QTEST_MAIN(PlotPaintTest)
#include "PlotPaintTest.moc"
