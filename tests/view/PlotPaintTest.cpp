// Painting: pixels of strokes, joins, dots and the pending curve on
// hand-worked layouts, and the fast painter against a plain per-sample
// rendering of the same rules on random records.

#include "Near.h"
#include "PlotPainter.h"
#include "ViewTestSupport.h"

#include <QtTest>

#include <QRegularExpression>

#include <random>

namespace {

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

// Names of the colours in the pixel tables below.
QRgb colourNamed(const QString& name)
{
    if (name == QLatin1String("grey"))
        return kGrey;
    if (name == QLatin1String("blue"))
        return kBlue;
    if (name == QLatin1String("red"))
        return kRed;
    if (name == QLatin1String("black"))
        return kBlack;
    return 0xFFFFFFFFu;
}

}  // namespace

class PlotPaintTest : public QObject {
    Q_OBJECT
private slots:
    void handWorkedPixels_data();
    void handWorkedPixels();
    void onlyTheRegionIsPainted();
    void matchesThePlainRendering_data();
    void matchesThePlainRendering();
    void spikeAtTheEndOfAChunkGetsItsDot();
};

void PlotPaintTest::handWorkedPixels_data()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QString>("marks");   // "lo-hi:mark"; pending samples get the result 50 (row 30)
    QTest::addColumn<QString>("pixels");  // "x,y=colour" or "x,y!colour" (anything but)
    // Coarse: the layout of coarseValues(); column 5 holds samples 18 .. 21.
    // Rows 1 .. 29 and 31 .. 59 of a column are its stroke only, which takes
    // the previous column's mark; a stroke leaves out its end pixel; in a
    // column of marked samples only the boundary dot is drawn.
    QTest::newRow("coarse, column 5 selected")
        << true << "18-21:1"
        << "4,15=grey 5,15=grey 6,15=blue 6,45=blue 7,15=grey 5,60=white "
           "4,0=black 4,60=black 5,0!black 5,60!black 5,30=black";
    // Fine: S_x = 0.1, sample i on column 10 i, values alternating between
    // rows 60 and 0. A join touching a selected sample is blue; a sample
    // followed by a marked one has no dot; the last sample always has one.
    QTest::newRow("fine, selected and discarded")
        << false << "5-5:1 9-9:2"
        << "35,30=grey 45,30=blue 55,30=blue 65,30=grey "
           "30,0=black 40,60=blue 50,0=black 80,60=red 90,0=black";
    // The pending result is red over the grey curve, stops before its end,
    // and pending samples get no dots except the last.
    QTest::newRow("fine, all pending")
        << false << "0-9:3" << "5,30=red 45,30=red 2,48=grey 90,30=white 90,0=black 30,0!black";
}

void PlotPaintTest::handWorkedPixels()
{
    QFETCH(bool, coarse);
    QFETCH(QString, marks);
    QFETCH(QString, pixels);
    auto f = makeRecord(coarse ? coarseValues() : zigzag(10));
    auto view = makeView(*f, 100, 61);
    ViewArrays& a = view->arrays();
    for (const QString& m : marks.split(' ')) {
        const QStringList parts = m.split(QRegularExpression("[-:]"));
        for (int i = parts[0].toInt(); i <= parts[1].toInt(); ++i) {
            a.marks[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(parts[2].toInt());
            a.result[static_cast<std::size_t>(i)] = 50.0f;
        }
    }
    const QImage img = paintView(*view);
    for (const QString& check : pixels.split(' ')) {
        const QStringList parts = check.split(QRegularExpression("[,=!]"));
        const QRgb got = img.pixel(parts[0].toInt(), parts[1].toInt());
        const bool equal = got == colourNamed(parts[2]);
        QVERIFY2(equal == check.contains('='), qPrintable(check + QString(" is %1").arg(got, 8, 16)));
    }
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
    const QRgb green = QColor(Qt::green).rgb();
    QCOMPARE(img.pixel(39, 15), green);
    QCOMPARE(img.pixel(50, 15), green);
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
    // One column holds all 10000 samples; the only high one is 4095, the
    // last of the first 4096 samples the painter works out together.
    std::vector<float> s(10000, 0.0f);
    s[4095] = 10.0f;
    s[7000] = -10.0f;
    const std::vector<std::uint8_t> mk(10000, 0);
    ViewGeometry g;
    g.computeRange(s.data(), 10000);
    g.fit(1, 21);
    const QImage got = fast(g, s.data(), mk.data(), nullptr, 10000, QSize(1, 21));
    QCOMPARE(got.pixel(0, 0), kBlack);
    QCOMPARE(got, reference(g, s.data(), mk.data(), nullptr, 10000, QSize(1, 21)));
}

QTEST_MAIN(PlotPaintTest)
#include "PlotPaintTest.moc"
