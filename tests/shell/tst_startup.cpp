// Start-up with and without a file, the recent-file list and its store,
// the message boxes and the busy cursor.

#include "BusyCursor.h"
#include "CCorrelationDlg.h"
#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "FFile.h"
#include "QtMessageSink.h"
#include "RecentFileList.h"
#include "ShellTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {

QStringList storedRecentFiles()
{
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Vexil"));
    settings.beginGroup(QStringLiteral("Recent File List"));
    QStringList out;
    for (int i = 1; i <= 6; ++i)
        out << settings.value(QStringLiteral("File%1").arg(i)).toString();
    return out;
}

QStringList recentMenuTexts(CMainFrame& frame)
{
    QStringList out;
    QMenu* file = frame.menuBar()->actions().first()->menu();
    for (QAction* a : file->actions())
        if (a->isVisible() && a->text().startsWith(QLatin1Char('&')) && a->text().at(1).isDigit())
            out << a->text();
    return out;
}

// Answers the next message box that appears and reports what it showed.
struct BoxWatcher {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QMessageBox::StandardButton press;
    explicit BoxWatcher(QMessageBox::StandardButton press) : press(press)
    {
        QTimer::singleShot(0, [this] { inspect(); });
    }
    void inspect()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, [this] { inspect(); });
            return;
        }
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            buttons << b->text().remove(QLatin1Char('&'));
        box->button(press)->click();
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;

private slots:
    void init() { QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Vexil")).clear(); }

    void startingWithoutArgumentsShowsAnEmptyWindow()
    {
        RunningApp run;
        QVERIFY(run.frame().isVisible());
        QCOMPARE(run.frame().windowTitle(), QStringLiteral("Vexil"));
        QVERIFY(run.frame().childFrames().isEmpty());
        QCOMPARE(run.frame().menuTitles(), (QStringList{"&File", "&View", "&Help"}));
        QVERIFY(run.frame().acceptDrops());
        QVERIFY(run.messages.recorder.entries.empty());
        // An empty recent-file list shows its greyed placeholder.
        QAction* placeholder = run.frame().action(57616);
        QVERIFY(placeholder->isVisible() && !placeholder->isEnabled());
        QCOMPARE(placeholder->text(), QStringLiteral("Recent File"));
    }

    void startingWithAFileShowsItFitted()
    {
        const QString path = dir_.scan(QStringLiteral("start.ff"), 6000);
        RecordMessages messages;
        CVexilApp app;
        QVERIFY(app.InitInstance({path}, true));
        QVERIFY(QTest::qWaitForWindowExposed(app.mainFrame()));
        QCOMPARE(app.documents().size(), 1);
        auto* view = qobject_cast<CFFView*>(app.mainFrame()->childFrames().first()->view());
        QVERIFY(view);
        QCOMPARE(view->scales().samplesPerPixel, 6000.0 / view->viewport()->width());
        QCOMPARE(app.mainFrame()->menuTitles().size(), 9);
    }

    void startingWithABadFileEndsWithoutAWindow()
    {
        const QString path = dir_.path(QStringLiteral("missing.ff"));
        RecordMessages messages;
        CVexilApp app;
        QVERIFY(!app.InitInstance({path}, true));
        QVERIFY(!app.mainFrame()->isVisible());
        QCOMPARE(messages.errors(), std::vector<std::string>{(path + " was not found.").toStdString()});
    }

    void recentListKeepsFourNewestFirstAcrossRuns()
    {
        QStringList paths;
        for (int i = 1; i <= 5; ++i)
            paths << QFileInfo(dir_.scan(QStringLiteral("r%1.ff").arg(i), 100)).absoluteFilePath();
        {
            RunningApp run;
            for (const QString& p : paths)
                QVERIFY(run.app->OpenDocumentFile(p));
            // Opening r2 again moves it to the top without a duplicate.
            QVERIFY(run.app->OpenDocumentFile(paths[1]));
            const QStringList expected = {paths[1], paths[4], paths[3], paths[2]};
            QCOMPARE(run.app->recentFiles().entries(), expected);
            QCOMPARE(storedRecentFiles(), (expected + QStringList{QString(), QString()}));
        }
        // Next run: the list is back, shown in the File menu of the empty window.
        RunningApp run;
        const QStringList menu = recentMenuTexts(run.frame());
        QCOMPARE(menu.size(), 4);
        QCOMPARE(menu[0], QStringLiteral("&1 ") + paths[1]);
        QCOMPARE(menu[3], QStringLiteral("&4 ") + paths[2]);
        QVERIFY(!run.frame().action(57616)->isVisible());  // the placeholder line gives way
        // Choosing an entry opens it.
        run.app->OnOpenRecentFile(2);
        QCOMPARE(run.app->documents().size(), 1);
        QCOMPARE(run.app->documents().first()->pathName(), paths[3]);
        // An entry that fails to open leaves the list, and the store.
        QVERIFY(QFile::remove(paths[2]));
        run.messages.recorder.clear();
        run.app->OnOpenRecentFile(3);
        QCOMPARE(run.messages.errors(), std::vector<std::string>{(paths[2] + " was not found.").toStdString()});
        const QStringList left = {paths[3], paths[1], paths[4]};
        QCOMPARE(run.app->recentFiles().entries(), left);
        QCOMPARE(storedRecentFiles(), (left + QStringList{QString(), QString(), QString()}));
        QVERIFY(run.app->CloseDocument(run.app->documents().first()));
        RunningApp::settle();
        QCOMPARE(recentMenuTexts(run.frame()).size(), 3);
    }

    void recentMenuTextEscapesAmpersands()
    {
        RecentFileList list;
        list.add(QStringLiteral("/data/a&b.ff"));
        QCOMPARE(list.menuText(0), QStringLiteral("&1 /data/a&&b.ff"));
    }

    void messageBoxesHaveTheirCaptionsAndIcons_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("error") << "error" << "Error" << int(QMessageBox::Warning) << QStringList{"OK"};
        QTest::newRow("fatal") << "fatal" << "Fatal Error" << int(QMessageBox::Critical) << QStringList{"OK"};
        QTest::newRow("info") << "info" << "Calc" << int(QMessageBox::Information) << QStringList{"OK"};
        QTest::newRow("question") << "ask" << "Complete" << int(QMessageBox::Question) << QStringList{"OK", "Cancel"};
        QTest::newRow("warning question") << "warning" << "Insert" << int(QMessageBox::Warning)
                                          << QStringList{"Yes", "No"};
        QTest::newRow("refusal") << "stop" << "Insert failed" << int(QMessageBox::Critical) << QStringList{"OK"};
    }
    void messageBoxesHaveTheirCaptionsAndIcons()
    {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QtMessageSink sink;
        const std::string text = "FFile: angle 12\xB0";  // header bytes are Latin-1
        BoxWatcher watcher(buttons.size() < 2 ? QMessageBox::Ok
                           : buttons.contains(QStringLiteral("No")) ? QMessageBox::No
                                                                    : QMessageBox::Cancel);
        Answer answer = Answer::Ok;
        if (kind == QLatin1String("error"))
            sink.error(text);
        else if (kind == QLatin1String("fatal"))
            sink.fatal(text);
        else if (kind == QLatin1String("info"))
            sink.info("Calc", text);
        else if (kind == QLatin1String("warning"))
            answer = sink.show(Icon::Warning, "Insert", text, Buttons::YesNo);
        else if (kind == QLatin1String("stop"))
            answer = sink.show(Icon::Stop, "Insert failed", text, Buttons::Ok);
        else
            answer = sink.ask("Complete", text, Buttons::OkCancel);
        QCOMPARE(watcher.caption, caption);
        QCOMPARE(watcher.text, QStringLiteral("FFile: angle 12\u00B0"));
        QCOMPARE(int(watcher.icon), icon);
        QCOMPARE(watcher.buttons.size(), buttons.size());
        for (const QString& b : buttons)
            QVERIFY2(watcher.buttons.contains(b), qPrintable(b));
        if (kind == QLatin1String("ask"))
            QCOMPARE(answer, Answer::Cancel);
        if (kind == QLatin1String("warning"))
            QCOMPARE(answer, Answer::No);
    }

    // A table (the correlations) shows in its own read-only dialog.
    void tableShowsInItsDialog()
    {
        QtMessageSink sink;
        QString shown;
        onNextModal([&shown](QDialog& dialog) {
            auto* table = qobject_cast<CCorrelationDlg*>(&dialog);
            QVERIFY(table && table->field()->isReadOnly());
            shown = dialog.windowTitle() + "|" + table->field()->toPlainText();
            QTest::keyClick(table->field(), Qt::Key_Escape);
        });
        sink.showTable("Correlation coefficients", "    a:[ 1]  1.000\r\n    b:[ 2]  0.500");
        QCOMPARE(shown, QStringLiteral("Correlation coefficients|    a:[ 1]  1.000\n    b:[ 2]  0.500"));
    }

    void busyCursorShowsTheWaitCursor()
    {
        QtMessageSink::installAll();
        Messages::install(nullptr);
        {
            BusyCursor outer;
            QVERIFY(QGuiApplication::overrideCursor());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            BusyCursor inner;
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
