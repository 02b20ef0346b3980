// Start-up, the recent-file list and its store, message boxes, the busy cursor.

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

#include <optional>

namespace {

QStringList storedRecentFiles()
{
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Vexil"));
    QStringList out;
    for (int i = 1; i <= 6; ++i)
        out << settings.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
    return out;
}

QStringList recentMenuTexts(CMainFrame& frame)
{
    QStringList out;
    for (QAction* a : frame.menuBar()->actions().first()->menu()->actions())
        if (a->isVisible() && a->text().startsWith(QLatin1Char('&')) && a->text().at(1).isDigit())
            out << a->text();
    return out;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;

private slots:
    void init() { QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Vexil")).clear(); }

    void startingWithAFileShowsItFitted()
    {
        const QString path = dir_.scan(QStringLiteral("start.ff"), 6000);
        RecordMessages messages;
        CVexilApp app;
        QVERIFY(app.InitInstance({path}, true));
        QVERIFY(QTest::qWaitForWindowExposed(app.mainFrame()) && app.documents().size() == 1);
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
            RunningApp run;  // an empty window; an empty list shows its greyed placeholder
            QVERIFY(run.frame().acceptDrops() && run.frame().windowTitle() == "Vexil" && run.messages.recorder.entries.empty());
            QAction* placeholder = run.frame().action(57616);
            QVERIFY(placeholder->isVisible() && !placeholder->isEnabled() && placeholder->text() == "Recent File");
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
        QCOMPARE(recentMenuTexts(run.frame()), (QStringList{"&1 " + QString(paths[1]).replace("&", "&&"), "&2 " + paths[4],
                                                            "&3 " + paths[3], "&4 " + paths[2]}));
        QVERIFY(!run.frame().action(57616)->isVisible());  // the placeholder line gives way
        run.app->OnOpenRecentFile(2);  // choosing an entry opens it
        QVERIFY(run.app->documents().size() == 1 && run.app->documents().first()->pathName() == paths[3]);
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

    // Caption|text|icon|buttons; the answer's button is pressed.
    void messageBoxesHaveTheirCaptionsAndIcons()
    {
        const std::string text = "FFile: angle 12\xB0";  // header bytes are Latin-1
        const struct { std::function<Answer(QtMessageSink&)> show; const char* shown; Answer answer; } rows[] = {
            {[&](QtMessageSink& s) { return s.error(text), Answer::Ok; }, "Error|2|OK", Answer::Ok},
            {[&](QtMessageSink& s) { return s.fatal(text), Answer::Ok; }, "Fatal Error|3|OK", Answer::Ok},
            {[&](QtMessageSink& s) { return s.info("Calc", text), Answer::Ok; }, "Calc|1|OK", Answer::Ok},
            {[&](QtMessageSink& s) { return s.ask("Complete", text, Buttons::OkCancel); }, "Complete|4|Cancel OK", Answer::Cancel},
            {[&](QtMessageSink& s) { return s.show(Icon::Warning, "Insert", text, Buttons::YesNo); }, "Insert|2|No Yes", Answer::No},
            {[&](QtMessageSink& s) { return s.show(Icon::Stop, "Insert failed", text, Buttons::Ok); }, "Insert failed|3|OK", Answer::Ok}};
        for (const auto& r : rows) {
            QtMessageSink sink;
            QString shown;
            onNextModal([&](QDialog& dialog) {
                auto& box = static_cast<QMessageBox&>(dialog);
                QStringList buttons;
                for (QAbstractButton* b : box.buttons())
                    buttons << b->text().remove(QLatin1Char('&'));
                buttons.sort();
                shown = box.windowTitle() + "|" + box.text() + "|" + QString::number(box.icon()) + "|" + buttons.join(' ');
                box.button(r.answer == Answer::No ? QMessageBox::No : r.answer == Answer::Cancel ? QMessageBox::Cancel : QMessageBox::Ok)->click();
            });
            QCOMPARE(r.show(sink), r.answer);
            const QString want = QString::fromLatin1(r.shown);
            QCOMPARE(shown, want.section('|', 0, 0) + "|FFile: angle 12\u00B0|" + want.section('|', 1));
        }
        QString table;  // a table (the correlations) shows in its own read-only dialog
        onNextModal([&table](QDialog& dialog) {
            auto* d = qobject_cast<CCorrelationDlg*>(&dialog);
            table = d && d->field()->isReadOnly() ? dialog.windowTitle() + "|" + d->field()->toPlainText() : "?";
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QtMessageSink().showTable("Correlation coefficients", "    a:[ 1]  1.000\r\n    b:[ 2]  0.500");
        QCOMPARE(table, QStringLiteral("Correlation coefficients|    a:[ 1]  1.000\n    b:[ 2]  0.500"));
    }

    void busyCursorShowsTheWaitCursor()
    {
        QtMessageSink::installAll();
        Messages::install(nullptr);
        std::optional<BusyCursor> outer(std::in_place), inner(std::in_place);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        inner.reset(), outer.reset();
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
