// The main frame: the two menu bars, toolbar order, status-bar panes and
// command help, command routing and window commands.

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "FFile.h"
#include "ReadoutText.h"
#include "ShellTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

// One line per menu: title, then its items separated by "|", "-" for a
// separator.
QStringList describeMenuBar(CMainFrame& frame)
{
    QStringList out;
    for (QAction* top : frame.menuBar()->actions()) {
        QStringList items;
        for (QAction* a : top->menu()->actions())
            if (a->isVisible())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        out << top->text() + QStringLiteral(": ") + items.join(QLatin1Char('|'));
    }
    return out;
}

const QStringList kNoDocumentMenus = {
    "&File: &Open...\tCtrl+O|-|Recent File|-|E&xit",
    "&View: &Toolbar|&Status Bar",
    "&Help: &Help Topics|-|&About Vexil...",
};

const QStringList kDocumentMenus = {
    "&File: &Open...\tCtrl+O|&Close|-|&Save\tCtrl+S|Save &As...|-|Export &data...\tCtrl+E|"
    "Export &picture...\tCtrl+Shift+E|-|E&xit",
    "&Calc: &Area|&RMS|-|&Correlations",
    "&Edit: &Undo\tCtrl+Z|&Redo\tCtrl+Y|-|&Clip|&Glue|-|Copy",
    "&Operation: &Compress|&Sliding mean|&Remove trend|-|&Linear Combination",
    "&Tune: &Clip|&Glue|-|&Overlaying|Com&press|&Sliding mean|&Remove trend",
    "&Tool: &Measure|&Select|&Discard|Rescale &X|Rescale &Y",
    "&View: &Toolbar|&Status Bar|&Axes|-|&Fit in window|&1:1|&Redraw|-|&Head",
    "&Window: &New |-|&Cascade|&Tile|&Arrange Icons",
    "&Help: &Help Topics|-|&About Vexil...",
};

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;

private slots:

    void menusFollowWhetherADocumentIsOpen()
    {
        RunningApp run;
        QCOMPARE(describeMenuBar(run.frame()), kNoDocumentMenus);
        for (int id : {57602, 57603, 57604, 57648, 32789, 32794})
            QVERIFY2(!run.frame().action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(!run.frame().runAccelerator(QStringLiteral("Ctrl+S")));
        CFFDoc* doc = run.app->OpenDocumentFile(dir_.scan(QStringLiteral("m.ff")));
        QVERIFY(doc);
        QCOMPARE(describeMenuBar(run.frame()), kDocumentMenus);
        QVERIFY(run.app->CloseDocument(doc));
        RunningApp::settle();
        QCOMPARE(run.frame().menuTitles(), (QStringList{"&File", "&View", "&Help"}));
    }

    void toolbarHoldsTheButtonsInOrder()
    {
        RunningApp run;
        QList<int> ids;
        for (QAction* a : run.frame().toolBar()->actions())
            ids << (a->isSeparator() ? 0 : a->data().toInt());
        const QList<int> expected = {57601, 57604, 57603, 0, 32789, 32790, 32791, 32792, 32793, 0, 32777, 32778, 0,
                                     32780, 32782, 32781, 0, 32820, 0, 32794, 32809, 0, 57667};
        QCOMPARE(ids, expected);
    }

    void statusPanesCommandHelpAndTheViewsReadout()
    {
        RunningApp run;
        CMainFrame& f = run.frame();
        const QStringList texts = {"Ready", "X", "", "", "", "Y", "", "", ""};
        for (int i = 0; i < CMainFrame::kPaneCount; ++i)
            QCOMPARE(f.paneText(i), texts[i]);
        // Command help goes to pane 0, not over the panes.
        QStatusTipEvent tip(QStringLiteral("Open an existing f-file"));
        QCoreApplication::sendEvent(&f, &tip);
        QCOMPARE(f.paneText(0), QStringLiteral("Open an existing f-file"));
        QVERIFY(f.statusBar()->currentMessage().isEmpty());
        QStatusTipEvent none{QString()};
        QCoreApplication::sendEvent(&f, &none);
        QCOMPARE(f.paneText(0), QStringLiteral("Ready"));
        // The view's readout reaches the bar.
        CFFDoc* doc = run.app->OpenDocumentFile(dir_.scan(QStringLiteral("readout.ff"), 4000));
        QVERIFY(doc);
        auto* view = qobject_cast<CFFView*>(f.childFrames().first()->view());
        QTest::mouseMove(view->viewport(), QPoint(40, 30));
        const FFile& file = *doc->GetFFile();
        QCOMPARE(f.paneText(2), QString::fromLatin1(ReadoutText::readoutX(file, file.DisplayX(view->scales().index(40))).c_str()));
        QCOMPARE(f.paneText(4), QString::fromLatin1(file.UnitLabel().c_str()));
        QCOMPARE(f.paneText(8), QString::fromLatin1(file.DisplayYUnits().c_str()));
        QVERIFY(!f.paneText(6).isEmpty());
    }

    void commandsWithoutHandlerAreGreyedAndDoNothing()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("g.ff"))));
        for (const char* keys : {"Ctrl+Z", "Alt+Backspace", "Ctrl+X", "Shift+Del", "Ctrl+V", "Shift+Ins", "F6"})
            QVERIFY2(!run.frame().runAccelerator(QLatin1String(keys)), keys);
        for (int id : {57601, 57602, 57603, 57604, 57665, 57667, 57664, 57648, 57650, 57651, 57649, 32789, 32794,
                       32795, 32807, 32777, 32778, 32781, 32775, 32818, 57634})
            QVERIFY2(run.frame().action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(run.messages.recorder.entries.empty());
    }

    void windowNewOpensASecondViewWithNumberedTitles()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("w.ff"), 700)));
        QVERIFY(run.frame().runCommand(57648));
        const auto frames = run.frame().childFrames();
        QCOMPARE(frames.size(), 2);
        QCOMPARE(frames[0]->windowTitle(), QStringLiteral("w.ff:1[*]"));
        QCOMPARE(frames[1]->windowTitle(), QStringLiteral("w.ff:2[*]"));
        QCOMPARE(frames[0]->document(), frames[1]->document());
        QVERIFY(frames[0]->view() != frames[1]->view());
        QCOMPARE(run.frame().windowTitle(), QStringLiteral("Vexil - w.ff:2[*]"));
        delete frames[1];
        QCOMPARE(frames[0]->windowTitle(), QStringLiteral("w.ff[*]"));
    }

    void windowMenuListsTheWindowsAndActivatesThem()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("l1.ff"), 300)));
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("l&2.ff"), 300)));
        QMenu* menu = run.frame().windowMenu();
        QVERIFY(menu);
        emit menu->aboutToShow();
        emit menu->aboutToShow();  // rebuilt, not appended twice
        QStringList items;
        for (QAction* a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isChecked() ? "*" : ""));
        const QStringList expected = {"&New ", "-", "&Cascade", "&Tile", "&Arrange Icons", "-", "&1 l1.ff",
                                      "&2 l&&2.ff*"};
        QCOMPARE(items, expected);
        menu->actions().at(6)->trigger();
        QCOMPARE(run.frame().activeDocument()->title(), QStringLiteral("l1.ff"));
    }

    // Tile stacks the windows across the full width, and every view is
    // fitted again: the record spans the client width exactly.
    void tileRefitsEveryView()
    {
        RunningApp run;
        const int counts[3] = {5000, 1200, 90000};
        for (int i = 0; i < 3; ++i)
            QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("tile%1.ff").arg(i), counts[i])));
        run.frame().resize(900, 700);
        QVERIFY(run.frame().runCommand(57651));
        QCoreApplication::processEvents();
        const auto frames = run.frame().childFrames();
        const QRect area = run.frame().mdiArea()->viewport()->rect();
        int top = 0;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(frames[i]->geometry().width(), area.width());
            QCOMPARE(frames[i]->geometry().top(), top);
            top = frames[i]->geometry().bottom() + 1;
            const auto* view = qobject_cast<CFFView*>(frames[i]->view());
            const int w = view->viewport()->width();
            QCOMPARE(view->scales().areaWidth, w);
            QCOMPARE(view->scales().samplesPerPixel, double(counts[i]) / w);
            QCOMPARE(view->scales().bottomRow, double(view->viewport()->height() - 1));
        }
        QCOMPARE(top, area.height());
    }

};

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
