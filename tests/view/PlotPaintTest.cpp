// Painting: pixels of strokes, joins, dots and the pending curve on
// hand-worked layouts, and the fast painter against a plain per-sample
// rendering of the same rules on random records.

#include "Near.h"
#include "PlotPainter.h"
#include "SampleSummary.h"
#include "ViewTestSupport.h"

#include <QtTest>

#include <QRegularExpression>

#include <cmath>
#include <limits>
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
        const int dx = b.x() - a.x(), dy = b.y() - a.y();
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
    int a = 0, b = 0;
    PlotPainter::sampleRange(g, n, QRect(QPoint(0, 0), size), a, b);
    const auto finite = [](const float* v, int i) { return std::isfinite(v[i]); };
    // Curve pass. Non-finite samples are left out, and no join crosses them.
    bool have = false, broken = false, joinValid = false;
    int x = 0, lo = 0, hi = 0, last = 0, colMark = 0, carried = 0;
    QPoint j0, j1;
    for (int i = a; i <= b; ++i) {
        if (!finite(s, i)) {
            broken = true;
            continue;
        }
        const QPoint q = pt(s, i);
        if (!have) {
            have = true;
            x = q.x();
            lo = hi = q.y();
            colMark = carried = mk[i];
        } else if (q.x() == x) {
            hi = std::max(hi, q.y()), lo = std::min(lo, q.y());
            colMark = std::max<int>(colMark, mk[i]);
        } else {
            pen(PlotPainter::markColor(carried));
            line(QPoint(x, lo), QPoint(x, hi));
            pen(PlotPainter::markColor(std::max(carried, colMark)));
            if (joinValid)
                line(j0, j1);
            j0 = QPoint(x, last);
            j1 = q;
            joinValid = !broken;
            carried = colMark;
            lo = hi = q.y();
            colMark = mk[i];
        }
        last = q.y();
        x = q.x();
        broken = false;
    }
    if (have) {
        pen(PlotPainter::markColor(carried));
        line(QPoint(x, lo), QPoint(x, hi));
        pen(PlotPainter::markColor(std::max(carried, colMark)));
        if (joinValid)
            line(j0, j1);
    }
    // Dot pass, over the finite samples.
    pen(Qt::black);
    bool started = false;
    QPoint d;
    for (int i = a; i <= b; ++i) {
        if (!finite(s, i))
            continue;
        const QPoint q = pt(s, i);
        if (started && q != d && mk[i] == 0)
            line(d, d + QPoint(1, 0));
        d = q;
        started = true;
    }
    if (started)
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
        bool any = false, gap = false;
        int cx = 0, clo = 0, chi = 0, cl = 0;
        for (int k = i; k <= e; ++k) {
            if (!finite(res, k)) {
                gap = true;
                continue;
            }
            const QPoint r = pt(res, k);
            if (!any) {
                any = true;
                cx = r.x();
                clo = chi = r.y();
            } else if (r.x() == cx) {
                chi = std::max(chi, r.y()), clo = std::min(clo, r.y());
            } else {
                line(QPoint(cx, clo), QPoint(cx, chi));
                if (!gap)
                    line(QPoint(cx, cl), r);
                cx = r.x();
                clo = chi = r.y();
            }
            cl = r.y();
            gap = false;
        }
        if (any)
            line(QPoint(cx, clo), QPoint(cx, chi));
        i = e + 1;
    }
    return img;
}

// The painter's picture of the region (the whole window if empty),
// clipped to it; columns tells how many columns came from the summary.
QImage painted(const ViewGeometry& g, const PlotData& d, QSize size, QRect region = {}, int* columns = nullptr)
{
    if (region.isEmpty())
        region = QRect(QPoint(0, 0), size);
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setClipRect(region);
    PlotPainter painter;
    painter.paint(p, g, d, region);
    if (columns)
        *columns = painter.summaryColumns();
    return img;
}

enum Kind { Plain = 0, Marks = 1, Gaps = 2, Halves = 4 };

const QMap<QString, QRgb> kColours = {{"grey", kGrey}, {"blue", kBlue}, {"red", kRed}, {"black", kBlack}};

}  // namespace

class PlotPaintTest : public QObject {
    Q_OBJECT
private slots:
    void handWorkedPixels_data();
    void handWorkedPixels();
    void matchesThePlainRendering_data();
    void matchesThePlainRendering();
    void spikeAtTheEndOfAChunkGetsItsDot();
    void summaryRangesAndUpdates();
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
    QFETCH(bool, coarse); QFETCH(QString, marks); QFETCH(QString, pixels);
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
        const bool equal = got == kColours.value(parts[2], 0xFFFFFFFFu);
        QVERIFY2(equal == check.contains('='), qPrintable(check + QString(" is %1").arg(got, 8, 16)));
    }
}

void PlotPaintTest::matchesThePlainRendering_data()
{
    for (const char* column : {"n", "w", "h", "kind"})
        QTest::addColumn<int>(column);
    QTest::addColumn<bool>("summary");  // columns of many samples drawn from the min/max summary
    QTest::addColumn<QRect>("region");  // empty: the whole window
    QTest::newRow("coarse marked") << 5000 << 97 << 80 << int(Marks) << false << QRect();
    QTest::newRow("coarse with gaps") << 5000 << 97 << 80 << (Marks | Gaps) << false << QRect();
    QTest::newRow("fractional scale with gaps") << 250 << 99 << 50 << (Marks | Gaps) << false << QRect();
    QTest::newRow("fine with gaps") << 37 << 120 << 60 << (Marks | Gaps) << false << QRect();
    QTest::newRow("one column") << 3000 << 1 << 40 << int(Marks) << false << QRect();
    // Columns of more samples than the painter works out at once.
    QTest::newRow("long columns") << 30000 << 3 << 40 << int(Marks) << false << QRect();
    QTest::newRow("long columns unmarked") << 30000 << 3 << 40 << int(Plain) << false << QRect();
    QTest::newRow("long columns with gaps") << 30000 << 3 << 40 << int(Gaps) << false << QRect();
    // S_y = 0.7, values (k + 0.5) 0.7: rows on or a hair off a half, where a product by 1/0.7
    // rounds some the other way (40.25: 2.4999999999999929 by the division, 2.5 by the product).
    QTest::newRow("rows on halves, fine") << 300 << 600 << 61 << int(Halves) << false << QRect();
    QTest::newRow("rows on halves, coarse") << 20000 << 50 << 61 << int(Halves) << false << QRect();
    QTest::newRow("summary, whole window") << 300000 << 600 << 200 << int(Plain) << true << QRect();
    QTest::newRow("summary, tall") << 200000 << 300 << 700 << int(Plain) << true << QRect();
    QTest::newRow("summary, strips of a drag") << 300000 << 600 << 200 << int(Plain) << true << QRect(299, 0, 3, 200);
    QTest::newRow("summary, middle rows") << 250000 << 500 << 300 << int(Plain) << true << QRect(37, 120, 400, 41);
    QTest::newRow("summary, marked") << 300000 << 450 << 160 << int(Marks) << true << QRect(100, 0, 200, 160);
    QTest::newRow("summary, NaN and infinities") << 300000 << 450 << 160 << int(Gaps) << true << QRect();
}

void PlotPaintTest::matchesThePlainRendering()
{
    QFETCH(int, n); QFETCH(int, w); QFETCH(int, h); QFETCH(int, kind); QFETCH(bool, summary); QFETCH(QRect, region);
    const QSize size(w, h);
    if (region.isEmpty())
        region = QRect(QPoint(0, 0), size);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    std::mt19937 rng(12345u + static_cast<unsigned>(n + w + kind));
    std::normal_distribution<float> noise(0.0f, 1.0f);
    auto below = [&rng](int k) { return static_cast<int>(rng() % static_cast<unsigned>(k)); };
    int fromSummary = 0;
    for (int round = 0; round < 3; ++round) {
        std::vector<float> s(static_cast<std::size_t>(n)), r(s.size());
        std::vector<std::uint8_t> mk(s.size(), 0);
        float level = 0.0f;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (summary) {  // a slow wander, noise of a few rows, level steps and rare spikes
                level += 0.01f * noise(rng) + (i % 50000 == 25000 ? 30.0f : 0.0f);
                s[i] = level + (0.2f + 2.0f * static_cast<float>(round)) * noise(rng) +
                       (rng() % 5000 == 0 ? 80.0f * noise(rng) : 0.0f);
            } else {
                level += noise(rng);
                s[i] = level + (i % 97 == 0 ? 30.0f : 0.0f);
            }
            r[i] = level * 0.5f;
            if (kind & Halves)
                s[i] = static_cast<float>(0.7 * (below(60) + 0.5));
        }
        if (kind & Halves) {
            s[0] = 0.0f;
            s[1] = 42.0f;
        }
        if ((kind & Gaps) && n <= 10000) {
            for (int i = round == 0 ? 0 : below(5); i < n; i += 1 + below(23))
                s[static_cast<std::size_t>(i)] = r[static_cast<std::size_t>(i)] = i % 3 ? nan : inf;
        } else if (kind & Gaps) {
            // Sample 4095 ends the first chunk of a column: the next chunk of
            // the column ends the gap; the next column starts far up.
            s[4095] = s[20000] = nan;
            s[5000] = 1000.0f;
            const float bad[] = {nan, inf, -inf};
            for (int k = 0; k < 12; ++k) {
                const int from = below(n), len = k % 3 == 0 ? 1 + below(5000) : 1;
                for (int i = from; i < std::min(n, from + len); ++i)
                    s[static_cast<std::size_t>(i)] = bad[k % 3];
            }
        }
        const int longest = std::max(40, n / 15);
        for (int i = 0; (kind & Marks) && i < n;) {
            const int len = 1 + below(longest), m = below(4);
            for (int k = i; k < std::min(n, i + len); ++k)
                mk[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(m);
            i += len + below(2 * longest);
        }
        ViewGeometry g;
        g.computeRange(s.data(), n);
        g.fit(w, h);
        PlotData d{s.data(), (kind & Marks) ? mk.data() : nullptr, r.data(), n};
        SampleSummary sum;
        std::vector<std::uint8_t> blocks((s.size() + 63) / 64, 0);
        if (summary) {
            sum.build(s.data(), n);
            for (std::size_t i = 0; i < s.size(); ++i)
                blocks[i / 64] |= mk[i];
            d.summary = &sum;
            d.markBlocks = blocks.data();
        }
        int columns = 0;
        const QImage got = painted(g, d, size, region, &columns);
        fromSummary += columns;
        const QImage full = reference(g, s.data(), mk.data(), r.data(), n, size);
        QImage want(size, QImage::Format_RGB32);
        want.fill(Qt::white);
        QVERIFY(full != want);  // the reference drew something
        QPainter(&want).drawImage(region, full, region);  // nothing is painted outside the region
        QVERIFY2(got == want, qPrintable(QString("round %1").arg(round)));
    }
    QVERIFY(!summary || fromSummary > 0);
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
    const QImage got = painted(g, PlotData{s.data(), mk.data(), nullptr, 10000}, QSize(1, 21));
    QCOMPARE(got.pixel(0, 0), kBlack);
    QCOMPARE(got, reference(g, s.data(), mk.data(), nullptr, 10000, QSize(1, 21)));
}

void PlotPaintTest::summaryRangesAndUpdates()
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    std::mt19937 rng(99u);
    const int n = 70000;  // levels of 64, 1024, 16384 and 262144 samples
    std::vector<float> v(static_cast<std::size_t>(n));
    for (float& x : v)
        x = static_cast<float>(static_cast<int>(rng() % 20001) - 10000);
    v[5] = nan;
    v[40000] = inf;
    SampleSummary s;
    s.build(v.data(), n);
    QCOMPARE(QList<int>({s.levels(), s.blocks(0)}), QList<int>({4, 1094}));  // ceil(70000 / 64)
    auto matches = [&](int lo, int hi) {
        float mn = inf, mx = -inf;
        bool bad = false;
        for (int i = lo; i <= hi; ++i)
            if (const float x = v[static_cast<std::size_t>(i)]; std::isfinite(x))
                mn = std::min(mn, x), mx = std::max(mx, x);
            else
                bad = true;
        const SampleSummary::Range r = s.range(lo, hi);
        return r.lo == mn && r.hi == mx && r.nonFinite == bad;
    };
    for (int k = 0; k < 300; ++k) {
        const int lo = k < 3 ? k * 5 : static_cast<int>(rng() % n);
        const int hi = k == 0 ? n - 1 : lo + static_cast<int>(rng() % static_cast<unsigned>(k % 2 ? 70 : n - lo));
        QVERIFY2(matches(lo, std::min(hi, n - 1)), qPrintable(QString("%1 .. %2").arg(lo).arg(hi)));
    }
    // Samples changed in place: the summary follows the stretch handed in.
    v[40000] = 20000.0f;
    v[5] = -20000.0f;
    s.update(40000, 40000);
    QVERIFY(matches(39000, 41000));
    QVERIFY(!matches(0, n - 1));
    s.update(5, 5);
    QVERIFY(matches(0, n - 1));
    // A whole number of blocks takes no block more.
    s.build(v.data(), 1 << 16);
    QCOMPARE(QList<int>({s.levels(), s.blocks(0)}), QList<int>({4, 1024}));
}

QTEST_MAIN(PlotPaintTest)
#include "PlotPaintTest.moc"
