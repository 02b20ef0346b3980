// The main frame: menu bars, status panes and command help, window commands.

#include "ShellTestSupport.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>

namespace {

// One line per menu: title, then its items separated by "|", "-" for a separator.
QStringList describeMenu(const QList<QAction*>& actions)
{
    QStringList items;
    for (QAction* a : actions)
        if (a->isVisible())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isChecked() ? "*" : ""));
    return items;
}

QStringList describeMenuBar(CMainFrame& frame)
{
    QStringList out;
    for (QAction* top : frame.menuBar()->actions())
        out << top->text() + QStringLiteral(": ") + describeMenu(top->menu()->actions()).join(QLatin1Char('|'));
    return out;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;

private slots:
    void menusFollowWhetherADocumentIsOpen()
    {
        RunningApp run;
        const QStringList none = {"&File: &Open...\tCtrl+O|-|Recent File|-|E&xit", "&View: &Toolbar*|&Status Bar*",
                                  "&Help: &Help Topics|-|&About Vexil..."};
        QCOMPARE(describeMenuBar(run.frame()), none);
        QVERIFY(!run.frame().runAccelerator(QStringLiteral("Ctrl+S")));
        CFFDoc* doc = run.app->OpenDocumentFile(dir_.scan(QStringLiteral("m.ff")));
        QVERIFY(doc);
        const QStringList open = {
            "&File: &Open...\tCtrl+O|&Close|-|&Save\tCtrl+S|Save &As...|-|Export &data...\tCtrl+E|"
            "Export &picture...\tCtrl+Shift+E|-|E&xit",
            "&Calc: &Area|&RMS|-|&Correlations",
            "&Edit: &Undo\tCtrl+Z|&Redo\tCtrl+Y|-|&Clip|&Glue|-|Copy",
            "&Operation: &Compress|&Sliding mean|&Remove trend|-|&Linear Combination",
            "&Tune: &Clip|&Glue|-|&Overlaying|Com&press|&Sliding mean|&Remove trend",
            "&Tool: &Measure|&Select|&Discard|Rescale &X|Rescale &Y",
            "&View: &Toolbar*|&Status Bar*|&Axes*|-|&Fit in window|&1:1|&Redraw|-|&Head",
            "&Window: &New |-|&Cascade|&Tile|&Arrange Icons",
            "&Help: &Help Topics|-|&About Vexil..."};
        QCOMPARE(describeMenuBar(run.frame()), open);
        QVERIFY(run.app->CloseDocument(doc));
        RunningApp::settle();
        QCOMPARE(run.frame().menuTitles(), (QStringList{"&File", "&View", "&Help"}));
    }

    void statusPanesAndCommandHelp()
    {
        RunningApp run;
        CMainFrame& f = run.frame();
        QCOMPARE(f.paneText(0), QStringLiteral("Ready"));
        // Command help goes to pane 0, not over the panes.
        QStatusTipEvent tip(QStringLiteral("Open an existing f-file"));
        QCoreApplication::sendEvent(&f, &tip);
        QCOMPARE(f.paneText(0), QStringLiteral("Open an existing f-file"));
        QVERIFY(f.statusBar()->currentMessage().isEmpty());
        QStatusTipEvent none{QString()};
        QCoreApplication::sendEvent(&f, &none);
        QCOMPARE(f.paneText(0), QStringLiteral("Ready"));
        f.setPaneText(-1, QStringLiteral("x"));  // no such panes: ignored
        f.setPaneText(CMainFrame::kPaneCount, QStringLiteral("x"));
        QCOMPARE(f.paneText(CMainFrame::kPaneCount), QString());
    }

    void windowsAreNumberedListedAndTiled()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("l1.ff"), 500)));
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("l&2.ff"), 500)));
        QVERIFY(run.frame().runCommand(57648));
        auto frames = run.frame().childFrames();
        QCOMPARE(frames[1]->windowTitle() + frames[2]->windowTitle(), QStringLiteral("l&2.ff:1[*]l&2.ff:2[*]"));
        QCOMPARE(run.frame().windowTitle(), QStringLiteral("Vexil - l&2.ff:2[*]"));
        QMenu* menu = run.frame().windowMenu();
        emit menu->aboutToShow();
        emit menu->aboutToShow();  // rebuilt, not appended twice
        QCOMPARE(describeMenu(menu->actions()), (QStringList{"&New ", "-", "&Cascade", "&Tile", "&Arrange Icons", "-",
                                                             "&1 l1.ff", "&2 l&&2.ff:1", "&3 l&&2.ff:2*"}));
        menu->actions().at(6)->trigger();
        QCOMPARE(run.frame().activeDocument()->title(), QStringLiteral("l1.ff"));
        delete frames.takeLast();
        QCOMPARE(frames[1]->windowTitle(), QStringLiteral("l&2.ff[*]"));
        // Tile stacks the windows across the full width (a fitted view follows its window: the navigation test).
        run.frame().resize(900, 700);
        QVERIFY(run.frame().runCommand(57651));
        QCoreApplication::processEvents();
        const QRect area = run.frame().mdiArea()->viewport()->rect();
        QCOMPARE(frames[0]->geometry(), QRect(0, 0, area.width(), frames[1]->geometry().top()));
        QCOMPARE(frames[1]->geometry().bottom() + 1, area.height());
    }
};

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
