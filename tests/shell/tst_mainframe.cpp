// The main frame: the two menu bars, toolbar order, status-bar panes and
// command help, command routing, window commands and the About box.

#include "CAboutDlg.h"
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
#include <QTextBrowser>
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

    void commandHelpAndToolTips_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("tip");
        QTest::newRow("open") << 57601 << "Open an existing f-file" << "Open";
        QTest::newRow("save as") << 57604 << "Save the active f-file with a new name" << "Save As";
        QTest::newRow("exit") << 57665 << "Quit the application; prompts to save documents" << "Exit";
        QTest::newRow("window new") << 57648 << "Open another window for the active document" << "New Window";
        QTest::newRow("glue") << 32778 << "Delete \"step\" interference" << "Glue";
        QTest::newRow("measure") << 32789 << "Measure (dx,dy)" << "(dx,dy)";
        QTest::newRow("tune overlaying") << 32786 << "Tunes f-files overlaying" << "Tune overlaying";
        QTest::newRow("linear combination") << 32820 << "Perform linear combination" << "Linear combination";
        QTest::newRow("copy") << 57634 << "Copy the selection or whole data to a new f-file" << "Copy";
        QTest::newRow("area has none") << 32818 << "" << "Area";
    }
    void commandHelpAndToolTips()
    {
        QFETCH(int, id);
        QFETCH(QString, status);
        QFETCH(QString, tip);
        RunningApp run;
        QAction* a = run.frame().action(id);
        QVERIFY(a);
        QCOMPARE(a->statusTip(), status);
        QCOMPARE(a->toolTip(), tip);
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
        for (QAction* a : run.frame().toolBar()->actions()) {
            if (a->isSeparator())
                continue;
            QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
            auto* button = qobject_cast<QToolButton*>(run.frame().toolBar()->widgetForAction(a));
            QVERIFY(button);
            QCOMPARE(button->iconSize(), QSize(18, 18));
        }
    }

    void statusPanesCommandHelpAndTheViewsReadout()
    {
        RunningApp run;
        CMainFrame& f = run.frame();
        const QStringList texts = {"Ready", "X", "", "", "", "Y", "", "", ""};
        for (int i = 0; i < CMainFrame::kPaneCount; ++i)
            QCOMPARE(f.paneText(i), texts[i]);
        auto width = [&](int i) { return f.findChild<QLabel*>(QStringLiteral("pane%1").arg(i))->width(); };
        QVERIFY(width(2) >= width(3));
        QVERIFY(width(2) >= width(6));
        QCOMPARE(width(4), width(8));
        QVERIFY(width(2) > width(4) && width(4) > width(1));
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

    void toolCommandsSetTheProcessWideTool()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("t.ff"))));
        const QList<QPair<int, ViewTool>> table = {{32790, ViewTool::Select},
                                                   {32791, ViewTool::Discard},
                                                   {32792, ViewTool::RescaleX},
                                                   {32793, ViewTool::RescaleY},
                                                   {32789, ViewTool::Measure}};
        for (const auto& [id, tool] : table) {
            QVERIFY(run.frame().runCommand(id));
            QCOMPARE(CFFView::tool(), tool);
        }
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

    void tileCascadeAndArrangeIcons()
    {
        RunningApp run;
        const int counts[3] = {5000, 1200, 90000};
        for (int i = 0; i < 3; ++i)
            QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("tile%1.ff").arg(i), counts[i])));
        run.frame().resize(900, 700);
        QCoreApplication::processEvents();
        const auto frames = run.frame().childFrames();
        auto view = [&](int i) { return qobject_cast<CFFView*>(frames[i]->view()); };
        // Every view is fitted again: the record spans the client width exactly.
        auto fitted = [&] {
            for (int i = 0; i < 3; ++i) {
                const int w = view(i)->viewport()->width();
                QCOMPARE(view(i)->scales().areaWidth, w);
                QCOMPARE(view(i)->scales().samplesPerPixel, double(counts[i]) / w);
                QCOMPARE(view(i)->scales().bottomRow, double(view(i)->viewport()->height() - 1));
            }
        };
        // Tile stacks the windows across the full width.
        QVERIFY(run.frame().runCommand(57651));
        QCoreApplication::processEvents();
        const QRect area = run.frame().mdiArea()->viewport()->rect();
        int top = 0;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(frames[i]->geometry().width(), area.width());
            QCOMPARE(frames[i]->geometry().top(), top);
            top = frames[i]->geometry().bottom() + 1;
        }
        QCOMPARE(top, area.height());
        fitted();
        // Cascade after a magnification.
        QVERIFY(run.frame().runCommand(32792));
        QVERIFY(view(0)->rescaleAt(QPoint(10, 10), true));
        QVERIFY(view(0)->scales().samplesPerPixel < 5000.0 / view(0)->viewport()->width());
        QVERIFY(run.frame().runCommand(57650));
        QCoreApplication::processEvents();
        fitted();
        // Arrange Icons lines the minimised windows up at the bottom.
        for (CChildFrame* frame : frames)
            frame->showMinimized();
        QVERIFY(run.frame().runCommand(57649));
        const int bottom = run.frame().mdiArea()->viewport()->height();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(frames[i]->geometry().bottom() + 1, bottom);
            QCOMPARE(frames[i]->x(), i * frames[0]->width());
        }
    }

    void toolbarAndStatusBarToggle()
    {
        RunningApp run;
        QVERIFY(run.frame().action(59392)->isChecked());
        QVERIFY(run.frame().runCommand(59392) && run.frame().runCommand(59393));
        QVERIFY(!run.frame().toolBar()->isVisible() && !run.frame().action(59392)->isChecked());
        QVERIFY(!run.frame().statusBar()->isVisible() && !run.frame().action(59393)->isChecked());
    }

    void aboutBoxShowsTheVersion()
    {
        CAboutDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("About Vexil"));
        auto* version = dlg.findChild<QLabel*>(QStringLiteral("version"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Vexil Version 1.0"));
    }

    void helpTopicsOpensTheBundledPages()
    {
        RunningApp run;
        QVERIFY(run.frame().runCommand(57667));
        QTextBrowser* help = run.frame().helpBrowser();
        QVERIFY(help && help->isVisible());
        QVERIFY(help->toPlainText().contains(QStringLiteral("Help topics")));
        const QStringList pages = {"opening.html", "coordinates.html", "tools.html", "operations.html",
                                   "tuning.html", "undo.html", "header.html"};
        for (const QString& page : pages) {
            help->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
            QVERIFY2(help->toHtml().contains(page), qPrintable(page));  // linked from the contents
            help->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
            QVERIFY2(help->toPlainText().size() > 200, qPrintable(page));
        }
    }
};

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
