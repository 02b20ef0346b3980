// Status-bar readings held whole and precise; the axis rulers and View > Axes.

#include "CAxisRuler.h"
#include "CommandIds.h"
#include "DemoScan.h"
#include "ReadoutText.h"
#include "ShellTestSupport.h"

#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>

#include <cmath>

namespace {

// A scan from 16 K to 121 K, one sample per millisecond from 12:11:57.
QString writeKelvinScan(const QString& path)
{
    FFile file;
    makeDemoScan(file, DemoScanOptions{3000, 0.001});
    for (int i = 0; i < file.Count(); ++i)
        file.Data()[i] = static_cast<float>(16.0 + 105.0 * std::exp(-std::pow((i - 1500) / 300.0, 2)));
    for (const char* id : {"NUT-RA", "TIMEWSH", "TIMEESH"})
        file.SetText(id, "0.0");
    file.SetText("CRVAL1", "43917.0");
    file.SetName(QFile::encodeName(path).toStdString());
    return file.Write() ? path : QString();
}

QLabel* pane(CMainFrame& frame, int i) { return frame.statusBar()->findChild<QLabel*>(QStringLiteral("pane%1").arg(i)); }

bool fits(QLabel* l) { return l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width() - 2 * l->margin(); }

}  // namespace

class ReadoutTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;
    QString scan_ = writeKelvinScan(dir_.path(QStringLiteral("kelvin.ff")));

private slots:
    void paneTextsFitForExtremeValues()
    {
        using namespace ReadoutText;
        RunningApp run;
        CMainFrame& frame = run.frame();
        int widths[CMainFrame::kPaneCount];
        for (int i = 1; i < CMainFrame::kPaneCount; ++i)
            widths[i] = pane(frame, i)->width();
        const QList<std::pair<int, std::string>> texts = {
            {2, timeText(86399.9999994, kMaxDecimals)}, {2, angleText(1295999.9999994, kMaxDecimals)},
            {2, numberText(-8.888888888e-308, kMaxMantissaDigits)}, {2, FFile::NumberText(-1.188e+302)},
            {3, distanceText(-9999999.9, kMaxDecimals)}, {3, FFile::NumberText(-1.188e-300)},
            {6, FFile::NumberText(-8.888e+288)}, {7, FFile::NumberText(-1.0e-308)}, {8, "JY/BEAM KM/S PER PIXEL"}};
        for (const auto& [i, text] : texts) {
            frame.setPaneText(i, QString::fromLatin1(text.c_str()));
            frame.statusBar()->grab();  // lay out and render as on screen
            QVERIFY2(fits(pane(frame, i)), qPrintable(QString::fromLatin1(text.c_str())));
            // Wide enough from the start; a unit text longer than the room reserved widens its pane.
            QVERIFY(i == 8 ? pane(frame, i)->width() > widths[i] : pane(frame, i)->width() == widths[i]);
        }
    }

    void everyReadingOfTheRecordIsComplete()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        auto* view = activeView(run.frame());
        QVERIFY(view->oneToOne());  // one sample per column: neighbours side by side
        QCoreApplication::processEvents();
        auto hover = [view](QPoint p) { QTest::mouseMove(view->viewport(), p), QCoreApplication::processEvents(); };
        const QRegularExpression time("^12:1[12]:\\d\\d\\.\\d{3}$"), number("^[ -]\\d\\.\\d{3}e[+-]\\d\\d\\d?$");
        QString previous;
        for (int x = 100; x < 140; ++x) {
            hover(QPoint(x, x % 2 ? 5 : view->viewport()->height() - 2));
            const QString xText = run.frame().paneText(CFFView::PaneX);
            QVERIFY2(time.match(xText).hasMatch() && xText != previous, qPrintable(xText + "|" + previous));
            previous = xText;
            QVERIFY2(number.match(run.frame().paneText(CFFView::PaneY)).hasMatch(), qPrintable(xText));
        }
        hover(QPoint(100, 5));  // sample 100, at 43917.1 s
        QCOMPARE(run.frame().paneText(CFFView::PaneX), QStringLiteral("12:11:57.100"));
    }

    // Every major tick stands where the view shows its value, to within a pixel: X from the sample under the column,
    // Y from the row.
    void rulersFollowScrollAndScale()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        auto* view = activeView(run.frame());
        auto* xRuler = run.frame().activeFrame()->findChild<CAxisRuler*>(QStringLiteral("xRuler"));
        auto* yRuler = run.frame().activeFrame()->findChild<CAxisRuler*>(QStringLiteral("yRuler"));
        QCOMPARE(xRuler->unitText() + yRuler->unitText(), QStringLiteral("SECK"));
        for (const char* when : {"fitted", "scrolled", "magnified"}) {
            if (when[0] == 's')
                view->oneToOne(), view->horizontalScrollBar()->setValue(700);
            if (when[0] == 'm')
                CFFView::setTool(ViewTool::RescaleY), view->rescaleAt(QPoint(800, 100), true), view->rescaleAt(QPoint(800, 100), true);
            const ViewGeometry& g = view->scales();
            const QPoint s = view->scrollPosition();
            int majors = 0;
            for (const auto& m : xRuler->marks())
                if (m.tick.major && ++majors)
                    QVERIFY2(std::fabs(view->file().DisplayX((m.pos + s.x()) * g.samplesPerPixel) - m.tick.value) <=
                                 g.samplesPerPixel * view->file().DisplayStep(), when);
            for (const auto& m : yRuler->marks())
                if (m.tick.major && (majors += 100))
                    QVERIFY2(std::fabs(g.value(m.pos + s.y()) - m.tick.value) <= g.unitsPerPixel, when);
            QVERIFY2(majors % 100 >= 2 && majors / 100 >= 2, when);
        }
        CFFView::setTool(ViewTool::Measure);
        // View > Axes hides them, and is kept for the next start.
        QVERIFY(run.frame().runCommand(Cmd::ViewAxes));
        QVERIFY(!xRuler->isVisible() && !yRuler->isVisible());
        RunningApp next;
        QVERIFY(next.app->OpenDocumentFile(scan_));
        QVERIFY(!next.frame().action(Cmd::ViewAxes)->isChecked() &&
                !next.frame().activeFrame()->findChild<CAxisRuler*>(QStringLiteral("xRuler"))->isVisible());
    }
};

QTEST_MAIN(ReadoutTest)
#include "tst_readout.moc"
