// Start-up with and without a file, the recent-file list and its store,
// the message boxes and the busy cursor.

#include "BusyCursor.h"
#include "CCorrelationDlg.h"
#include "QtMessageSink.h"
#include "ShellTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
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
    explicit BoxWatcher(QMessageBox::StandardButton press) : press(press) { QTimer::singleShot(0, [this] { inspect(); }); }
    void inspect()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return QTimer::singleShot(10, [this] { inspect(); });
        caption = box->windowTitle(), text = box->text(), icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            buttons << b->text().remove(QLatin1Char('&'));
        box->button(press)->click();
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;

private slots:
    void init() { QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Vexil")).clear(); }

    void startingWithoutArgumentsShowsAnEmptyWindow()
    {
        RunningApp run;
        QVERIFY(run.frame().isVisible() && run.frame().acceptDrops() && run.frame().childFrames().isEmpty());
        QCOMPARE(run.frame().windowTitle(), QStringLiteral("Vexil"));
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
        auto* view = activeView(*app.mainFrame());
        QCOMPARE(view->scales().samplesPerPixel, 6000.0 / view->viewport()->width());
    }

    void startingWithABadFileEndsWithoutAWindow()
    {
        RecordMessages messages;
        CVexilApp app;
        QVERIFY(!app.InitInstance({dir_.path(QStringLiteral("missing.ff"))}, true));
        QVERIFY(!app.mainFrame()->isVisible() && messages.errors().size() == 1);
    }

    void recentListKeepsFourNewestFirstAcrossRuns()
    {
        QStringList paths;
        for (int i = 1; i <= 5; ++i)
            paths << QFileInfo(dir_.scan(QStringLiteral("r%1%2.ff").arg(i == 2 ? "&" : "").arg(i), 100)).absoluteFilePath();
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
        QCOMPARE(menu[0], QStringLiteral("&1 ") + QString(paths[1]).replace("&", "&&"));
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

    void messageBoxesHaveTheirCaptionsAndIcons()
    {
        const std::string text = "FFile: angle 12\xB0";  // header bytes are Latin-1
        const struct {
            std::function<Answer(QtMessageSink&)> show;
            const char* caption;
            QMessageBox::Icon icon;
            QStringList buttons;  // the last one pressed, its answer expected
            Answer answer;
        } rows[] = {
            {[&](QtMessageSink& s) { return s.error(text), Answer::Ok; }, "Error", QMessageBox::Warning, {"OK"}, Answer::Ok},
            {[&](QtMessageSink& s) { return s.fatal(text), Answer::Ok; }, "Fatal Error", QMessageBox::Critical, {"OK"}, Answer::Ok},
            {[&](QtMessageSink& s) { return s.info("Calc", text), Answer::Ok; }, "Calc", QMessageBox::Information, {"OK"}, Answer::Ok},
            {[&](QtMessageSink& s) { return s.ask("Complete", text, Buttons::OkCancel); }, "Complete",
             QMessageBox::Question, {"OK", "Cancel"}, Answer::Cancel},
            {[&](QtMessageSink& s) { return s.show(Icon::Warning, "Insert", text, Buttons::YesNo); }, "Insert",
             QMessageBox::Warning, {"Yes", "No"}, Answer::No},
            {[&](QtMessageSink& s) { return s.show(Icon::Stop, "Insert failed", text, Buttons::Ok); }, "Insert failed",
             QMessageBox::Critical, {"OK"}, Answer::Ok}};
        for (const auto& r : rows) {
            QtMessageSink sink;
            const QMessageBox::StandardButton press = r.buttons.size() < 2 ? QMessageBox::Ok
                                                      : r.answer == Answer::No ? QMessageBox::No : QMessageBox::Cancel;
            BoxWatcher watcher(press);
            QCOMPARE(r.show(sink), r.answer);
            QCOMPARE(watcher.caption + "|" + watcher.text, QString::fromLatin1(r.caption) + "|FFile: angle 12\u00B0");
            QCOMPARE(watcher.icon, r.icon);
            QCOMPARE(QSet<QString>(watcher.buttons.begin(), watcher.buttons.end()),
                     QSet<QString>(r.buttons.begin(), r.buttons.end()));
        }
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
            BusyCursor outer, inner;
            QVERIFY(QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
