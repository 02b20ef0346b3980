// Reading a record: status-bar panes that hold every reading whole, the X
// reading's precision, the axis rulers beside the view, View > Axes and the
// modified mark in the titles.

#include "CAxisRuler.h"
#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "CommandIds.h"
#include "DemoScan.h"
#include "FFile.h"
#include "ReadoutText.h"
#include "ShellTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <cmath>

namespace {

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// A scan from 16 K to 121 K sampled every millisecond from 12:11:57.
QString writeKelvinScan(const QString& folder)
{
    FFile file;
    DemoScanOptions options;
    options.count = 3000;
    options.cdelt = 0.001;
    makeDemoScan(file, options);
    for (int i = 0; i < file.Count(); ++i)
        file.Data()[i] = static_cast<float>(16.0 + 105.0 * std::exp(-std::pow((i - 1500) / 300.0, 2)));
    file.SetText("CRVAL1", "43917.0");
    file.SetText("CRPIX1", "1.0");
    file.SetText("NUT-RA", "0.0");
    file.SetText("TIMEWSH", "0.0");
    file.SetText("TIMEESH", "0.0");
    file.SetText("BUNIT", "K");
    const QString path = QDir(folder).filePath(QStringLiteral("kelvin.ff"));
    file.SetName(QFile::encodeName(path).toStdString());
    if (!file.Write())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

CFFView* viewOf(CMainFrame& frame) { return qobject_cast<CFFView*>(frame.activeFrame()->view()); }

QLabel* pane(CMainFrame& frame, int i) { return frame.statusBar()->findChild<QLabel*>(QStringLiteral("pane%1").arg(i)); }

bool fits(QLabel* label)
{
    const int room = label->contentsRect().width() - 2 * label->margin();
    return label->fontMetrics().horizontalAdvance(label->text()) <= room;
}

void hover(CFFView* view, QPoint at)
{
    QTest::mouseMove(view->viewport(), at);
    QCoreApplication::processEvents();
}

}  // namespace

class ReadoutTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;
    QString scan_;

private slots:
    void initTestCase() { scan_ = writeKelvinScan(dir_.files.path()); }

    void paneTextsFitForExtremeValues()
    {
        using namespace ReadoutText;
        RunningApp run;
        CMainFrame& frame = run.frame();
        const QList<std::pair<int, std::string>> texts = {
            {2, timeText(86399.9999994, kMaxDecimals)},
            {2, angleText(1295999.9999994, kMaxDecimals)},
            {2, numberText(-8.888888888e-308, kMaxMantissaDigits)},
            {2, FFile::NumberText(-1.188e+302)},
            {3, FFile::DistanceText(-9999999.9)},
            {3, FFile::NumberText(-1.188e-300)},
            {6, FFile::NumberText(-8.888e+288)},
            {6, FFile::NumberText(118.8)},
            {7, FFile::NumberText(-1.0e-308)},
        };
        int widths[CMainFrame::kPaneCount];
        for (int i = 1; i < CMainFrame::kPaneCount; ++i)
            widths[i] = pane(frame, i)->width();
        for (const auto& [i, text] : texts) {
            frame.setPaneText(i, latin1(text));
            frame.statusBar()->grab();  // lay out and render as on screen
            QVERIFY2(fits(pane(frame, i)), qPrintable(latin1(text)));
            // The panes were wide enough from the start.
            QCOMPARE(pane(frame, i)->width(), widths[i]);
        }
        // A unit text longer than the room reserved widens its pane.
        frame.setPaneText(8, QStringLiteral("JY/BEAM KM/S PER PIXEL"));
        frame.statusBar()->grab();
        QVERIFY(fits(pane(frame, 8)));
        QVERIFY(pane(frame, 8)->width() > widths[8]);
    }

    void everyReadingOfTheRecordIsComplete()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        CFFView* view = viewOf(run.frame());
        QVERIFY(view->oneToOne());  // one sample per column: neighbours side by side
        QCoreApplication::processEvents();
        const QRegularExpression time(QStringLiteral("^12:1[12]:\\d\\d\\.\\d{3}$"));
        const QRegularExpression number(QStringLiteral("^[ -]\\d\\.\\d{3}e[+-]\\d\\d\\d?$"));
        QString previous;
        for (int x = 100; x < 140; ++x) {
            hover(view, QPoint(x, x % 2 ? 5 : view->viewport()->height() - 2));
            const QString xText = run.frame().paneText(CFFView::PaneX);
            QVERIFY2(time.match(xText).hasMatch(), qPrintable(xText));
            QVERIFY2(xText != previous, qPrintable(xText));  // each sample its own time
            previous = xText;
            QVERIFY2(number.match(run.frame().paneText(CFFView::PaneY)).hasMatch(),
                     qPrintable(run.frame().paneText(CFFView::PaneY)));
            for (int i : {2, 4, 6, 8})
                QVERIFY(fits(pane(run.frame(), i)));
        }
        // Sample 100 at 43917.1 s.
        hover(view, QPoint(100, 5));
        QCOMPARE(run.frame().paneText(CFFView::PaneX), QStringLiteral("12:11:57.100"));
    }

    void rulersFollowScrollAndScale()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        CFFView* view = viewOf(run.frame());
        auto* xRuler = run.frame().activeFrame()->findChild<CAxisRuler*>(QStringLiteral("xRuler"));
        auto* yRuler = run.frame().activeFrame()->findChild<CAxisRuler*>(QStringLiteral("yRuler"));
        QVERIFY(xRuler && yRuler && xRuler->isVisible() && yRuler->isVisible());
        QCOMPARE(xRuler->unitText(), QStringLiteral("SEC"));
        QCOMPARE(yRuler->unitText(), QStringLiteral("K"));
        const FFile& f = view->file();
        // Each major tick stands where the view shows its value, to within
        // one pixel: X from the sample under the column, Y from the row.
        auto check = [&](const char* when) {
            const ViewGeometry& g = view->scales();
            const QPoint s = view->scrollPosition();
            const std::vector<CAxisRuler::Mark> xs = xRuler->marks(), ys = yRuler->marks();
            int majors = 0;
            for (const auto& m : xs) {
                if (!m.tick.major)
                    continue;
                ++majors;
                const double at = f.DisplayX((m.pos + s.x()) * g.samplesPerPixel);
                QVERIFY2(std::fabs(at - m.tick.value) <= g.samplesPerPixel * f.DisplayStep(), when);
                QVERIFY2(QRegularExpression(QStringLiteral("^12:1[12]:\\d\\d(\\.\\d+)?$"))
                             .match(latin1(m.tick.label)).hasMatch(), when);
            }
            QVERIFY2(majors >= 2, when);
            majors = 0;
            for (const auto& m : ys) {
                majors += m.tick.major;
                QVERIFY2(std::fabs(g.value(m.pos + s.y()) - m.tick.value) <= g.unitsPerPixel, when);
            }
            QVERIFY2(majors >= 2, when);
        };
        check("fitted");
        const std::vector<CAxisRuler::Mark> before = xRuler->marks();
        QVERIFY(view->oneToOne());
        view->horizontalScrollBar()->setValue(700);
        QCoreApplication::processEvents();
        check("scrolled");
        QVERIFY(xRuler->marks().front().tick.value != before.front().tick.value);
        CFFView::setTool(ViewTool::RescaleY);
        QVERIFY(view->rescaleAt(QPoint(800, 100), true));
        QVERIFY(view->rescaleAt(QPoint(800, 100), true));
        CFFView::setTool(ViewTool::Measure);
        QCoreApplication::processEvents();
        QVERIFY(view->verticalScrollBar()->maximum() > 0);
        check("magnified");
    }

    void axesToggleIsKept()
    {
        {
            RunningApp run;
            QVERIFY(run.app->OpenDocumentFile(scan_));
            QAction* axes = run.frame().action(Cmd::ViewAxes);
            QVERIFY(axes && axes->isCheckable() && axes->isChecked());
            QVERIFY(run.frame().runCommand(Cmd::ViewAxes));
            QVERIFY(!axes->isChecked());
            QVERIFY(!run.frame().activeFrame()->findChild<CAxisRuler*>()->isVisible());
        }
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        QVERIFY(!run.frame().action(Cmd::ViewAxes)->isChecked());
        for (CAxisRuler* r : run.frame().activeFrame()->findChildren<CAxisRuler*>())
            QVERIFY(!r->isVisible());
        QVERIFY(run.frame().runCommand(Cmd::ViewAxes));
        for (CAxisRuler* r : run.frame().activeFrame()->findChildren<CAxisRuler*>())
            QVERIFY(r->isVisible());
    }

    void titlesMarkAModifiedDocument()
    {
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(scan_);
        QVERIFY(doc);
        CChildFrame* child = run.frame().activeFrame();
        QCOMPARE(child->windowTitle(), QStringLiteral("kelvin.ff[*]"));
        QVERIFY(!child->isWindowModified() && !run.frame().isWindowModified());
        doc->setModified(true);
        QVERIFY(child->isWindowModified() && run.frame().isWindowModified());
        doc->setModified(false);
        QVERIFY(!child->isWindowModified() && !run.frame().isWindowModified());
    }
};

QTEST_MAIN(ReadoutTest)
#include "tst_readout.moc"
