// The document: open, save, save as, close prompts, the pending F-file
// hand-off and default titles, and failed opens leaving nothing behind.

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "FFile.h"
#include "ShellTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

#include <sys/stat.h>
#include <QTest>

Q_DECLARE_METATYPE(Answer)

namespace {

// Rewrites a valid F-file without the header line of one ID.
void dropHeaderLine(const QString& path, const QByteArray& id)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const int at = bytes.indexOf("\n" + id + "=");
    QVERIFY(at >= 0);
    const int end = bytes.indexOf('\n', at + 1);
    bytes.remove(at, end - at);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;

private slots:
    void cleanup() { CFFDoc::setSaveAsPrompt(nullptr); }

    void failedOpenLeavesNoDocumentOrWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("dropId");  // header line removed from a valid file
        QTest::addColumn<QString>("message");    // %1 = the path
        QTest::newRow("missing file") << "absent.ff" << QByteArray() << "%1 was not found.";
        QTest::newRow("named pipe") << "pipe.ff" << QByteArray() << "FHead: can't open input file";
        QTest::newRow("critical entry missing") << "nonaxis.ff" << QByteArray("NAXIS1")
                                                << "FHead: missing critical parameter NAXIS1";
        QTest::newRow("not an F-file") << "text.ff" << QByteArray() << "FHead: missing or invalid head";
    }
    void failedOpenLeavesNoDocumentOrWindow()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, dropId);
        QFETCH(QString, message);
        const QString path = dir_.path(name);
        if (name == QLatin1String("pipe.ff"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (!dropId.isEmpty()) {
            dir_.scan(name);
            dropHeaderLine(path, dropId);
        }
        if (name == QLatin1String("text.ff"))
            writeBytes(path.toStdString(), "just some text\nnothing like a header\n");

        RunningApp run;
        QVERIFY(!run.app->OpenDocumentFile(path));
        RunningApp::settle();
        const auto errors = run.messages.errors();
        QVERIFY(!errors.empty());
        QCOMPARE(QString::fromStdString(errors.front()), message.arg(path));
        QVERIFY(run.app->documents().isEmpty());
        QVERIFY(run.frame().childFrames().isEmpty());
        QVERIFY(run.frame().mdiArea()->subWindowList().isEmpty());
        QCOMPARE(run.frame().menuTitles().size(), 3);  // still the no-document menus
        QVERIFY(!run.app->recentFiles().entries().contains(QFileInfo(path).absoluteFilePath()));
    }

    void pendingFilesBecomeNumberedModifiedDocuments()
    {
        RunningApp run;
        // Without a pending F-file New does nothing, and uses up no title.
        QVERIFY(run.frame().runAccelerator(QStringLiteral("Ctrl+N")));
        QVERIFY(!run.app->OnFileNew());
        QVERIFY(run.app->documents().isEmpty() && run.frame().childFrames().isEmpty());
        QVERIFY(run.messages.recorder.entries.empty());
        for (int n = 1; n <= 3; ++n) {
            auto file = makeScan(100 * n);
            file->MakeNewName();
            CFFDoc::SetPendingFFile(std::move(file));
            // The New accelerator is what an operation's hand-off triggers.
            QVERIFY(run.frame().runAccelerator(QStringLiteral("Ctrl+N")));
            QVERIFY(!CFFDoc::HasPendingFFile());
            QCOMPARE(run.app->documents().size(), n);
            CFFDoc* doc = run.app->documents().last();
            const QString title = QStringLiteral("new%1").arg(n);
            QCOMPARE(doc->title(), title);
            QCOMPARE(QString::fromStdString(doc->GetFFile()->GetName()), title);
            QCOMPARE(doc->GetFFile()->Count(), 100 * n);
            QVERIFY(doc->isModified() && doc->pathName().isEmpty());
        }
        QCOMPARE(run.frame().childFrames().size(), 3);
    }

    void saveAsNamesTheFileAfterThePath()
    {
        RunningApp run;
        CFFDoc::SetPendingFFile(makeScan(321));
        CFFDoc* doc = run.app->OnFileNew();
        QVERIFY(doc);
        QString proposed;
        const QString target = dir_.path(QStringLiteral("s1.ff"));
        CFFDoc::setSaveAsPrompt([&](const QString& p) {
            proposed = p;
            return target;
        });
        QVERIFY(run.frame().runCommand(57603));  // Save: no path yet, so Save As
        QCOMPARE(proposed, QStringLiteral("new1.ff"));
        QVERIFY(!doc->isModified());
        QCOMPARE(doc->title(), QStringLiteral("s1.ff"));
        QCOMPARE(doc->GetFFile()->GetShortName(), std::string("s1"));
        QCOMPARE(run.app->recentFiles().at(0), QFileInfo(target).absoluteFilePath());
        FFile back;
        QVERIFY(back.Read(target.toStdString()) && back.Count() == 321);
        QVERIFY(run.messages.recorder.entries.empty());
    }

    void failedSaveKeepsTheDocumentModifiedAndItsName()
    {
        RunningApp run;
        CFFDoc::SetPendingFFile(makeScan(50));
        CFFDoc* doc = run.app->OnFileNew();
        QVERIFY(doc);
        const QString target = dir_.path(QStringLiteral("no/such/folder/x.ff"));
        CFFDoc::setSaveAsPrompt([&](const QString&) { return target; });
        QVERIFY(!doc->DoSave(QString()));
        QCOMPARE(run.messages.errors(), std::vector<std::string>{"FFile: write error"});
        QVERIFY(doc->isModified());
        QCOMPARE(doc->title(), QStringLiteral("new1"));
        QVERIFY(doc->pathName().isEmpty());
        // The F-file does not take a name it never reached.
        QCOMPARE(doc->GetFFile()->GetShortName(), std::string("new1"));
        QCOMPARE(run.frame().childFrames().size(), 1);
    }

    void closingAsksOnlyForModifiedDocuments_data()
    {
        QTest::addColumn<bool>("modified");  // and so asked
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged") << false << Answer::Cancel << true << false;
        QTest::newRow("yes saves and closes") << true << Answer::Yes << true << true;
        QTest::newRow("no closes without saving") << true << Answer::No << true << false;
        QTest::newRow("cancel keeps it open") << true << Answer::Cancel << false << false;
    }
    void closingAsksOnlyForModifiedDocuments()
    {
        QFETCH(bool, modified);
        QFETCH(Answer, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        const QString path = dir_.scan(QStringLiteral("close.ff"), 400);
        const std::string bytesBefore = readBytes(path.toStdString());
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(path);
        QVERIFY(doc);
        if (modified) {
            doc->GetFFile()->Data()[0] += 1.0f;
            doc->setModified(true);
        }
        run.messages.recorder.answers = {answer};
        run.frame().runCommand(57602);  // File > Close
        RunningApp::settle();
        const auto& entries = run.messages.recorder.entries;
        QCOMPARE(entries.size(), size_t(modified ? 1 : 0));
        if (modified)
            QCOMPARE(entries[0].kind + "|" + entries[0].caption + "|" + entries[0].text,
                     std::string("ask|Vexil|Save changes to close.ff?"));
        QCOMPARE(run.app->documents().isEmpty(), closed);
        QCOMPARE(run.frame().childFrames().isEmpty(), closed);
        QCOMPARE(readBytes(path.toStdString()) != bytesBefore, saved);
        if (saved) {  // with the first sample changed by exactly one
            FFile back, original;
            QVERIFY(back.Read(path.toStdString()) && original.ReadFromBytes(bytesBefore, "before"));
            QCOMPARE(back.Data()[0], original.Data()[0] + 1.0f);
        }
    }

    void closingAWindowAsksOnlyForTheLastOne()
    {
        const QString path = dir_.scan(QStringLiteral("two.ff"), 300);
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(path);
        QVERIFY(doc);
        QVERIFY(run.frame().runCommand(57648));  // Window > New
        QCOMPARE(run.frame().childFrames().size(), 2);
        doc->setModified(true);
        run.messages.recorder.answers = {Answer::No};
        run.frame().childFrames().first()->close();
        RunningApp::settle();
        QVERIFY(run.messages.recorder.entries.empty());
        QCOMPARE(run.app->documents().size(), 1);
        run.frame().childFrames().first()->close();
        RunningApp::settle();
        QCOMPARE(run.messages.recorder.entries.size(), size_t(1));
        QVERIFY(run.app->documents().isEmpty());
    }

    void openingAnOpenFileBringsUpItsWindow()
    {
        const QString path = dir_.scan(QStringLiteral("again.ff"), 200);
        RunningApp run;
        CFFDoc* first = run.app->OpenDocumentFile(path);
        QVERIFY(first);
        first->setModified(true);
        CFFDoc* second = run.app->OpenDocumentFile(dir_.path(QStringLiteral("./again.ff")));
        QCOMPARE(second, first);
        QCOMPARE(run.app->documents().size(), 1);
        QCOMPARE(run.frame().childFrames().size(), 1);
        QVERIFY(first->isModified());  // the edits are kept, not reloaded
    }

    void exitAsksForEveryModifiedDocumentAndCancelStopsIt()
    {
        RunningApp run;
        for (int i = 0; i < 2; ++i) {
            CFFDoc::SetPendingFFile(makeScan(60));
            QVERIFY(run.app->OnFileNew());
        }
        run.messages.recorder.answers = {Answer::No, Answer::Cancel};
        QVERIFY(!run.frame().close());
        QCOMPARE(run.messages.recorder.entries.size(), size_t(2));
        QCOMPARE(run.messages.recorder.entries[0].text, std::string("Save changes to new1?"));
        QCOMPARE(run.messages.recorder.entries[1].text, std::string("Save changes to new2?"));
        QCOMPARE(run.app->documents().size(), 2);
        QVERIFY(run.frame().isVisible());

        run.messages.recorder.clear();
        run.messages.recorder.answers = {Answer::No, Answer::No};
        QVERIFY(run.frame().close());
        RunningApp::settle();
        QVERIFY(run.app->documents().isEmpty());
        QCOMPARE(run.messages.recorder.entries.size(), size_t(2));
    }
};

QTEST_MAIN(DocumentTest)
#include "tst_document.moc"
