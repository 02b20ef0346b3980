// The document: open, save, save as, close prompts; failed opens leave nothing.

#include "ShellTestSupport.h"

#include <QFileInfo>
#include <QMdiArea>

Q_DECLARE_METATYPE(Answer)

class DocumentTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;

private slots:
    void cleanup() { CFFDoc::setSaveAsPrompt(nullptr); }

    void failedOpenLeavesNoDocumentOrWindow_data()
    {
        QTest::addColumn<QString>("message");  // %1 = the path
        QTest::newRow("absent.ff") << "%1 was not found.";
        QTest::newRow("text.ff") << "FHead: missing or invalid head";
    }
    void failedOpenLeavesNoDocumentOrWindow()
    {
        QFETCH(QString, message);
        const QString path = dir_.path(QTest::currentDataTag());
        if (path.endsWith("text.ff"))
            writeBytes(path.toStdString(), "just some text\nnothing like a header\n");
        RunningApp run;
        QVERIFY(!run.app->OpenDocumentFile(path));
        RunningApp::settle();
        QCOMPARE(QString::fromStdString(run.messages.errors().at(0)), message.arg(path));
        QVERIFY(run.app->documents().isEmpty() && run.frame().mdiArea()->subWindowList().isEmpty());
        QCOMPARE(run.frame().menuTitles().size(), 3);  // still the no-document menus
        QVERIFY(!run.app->recentFiles().entries().contains(QFileInfo(path).absoluteFilePath()));
    }

    // A failed save keeps the document modified and its name; the F-file takes no name it never reached. Save without
    // a path goes to Save As.
    void saveAsNamesTheFileOnlyWhenWritten()
    {
        RunningApp run;
        CFFDoc::SetPendingFFile(makeScan(321));
        CFFDoc* doc = run.app->OnFileNew();
        QVERIFY(doc);
        QString proposed, target = dir_.path(QStringLiteral("no/such/folder/x.ff"));
        CFFDoc::setSaveAsPrompt([&](const QString& p) { return proposed = p, target; });
        QVERIFY(!doc->DoSave(QString()));
        QCOMPARE(run.messages.errors(), std::vector<std::string>{"FFile: write error"});
        QVERIFY(doc->isModified() && doc->pathName().isEmpty());
        QCOMPARE(doc->title() + QString::fromStdString(doc->GetFFile()->GetShortName()), QStringLiteral("new1new1"));
        run.messages.recorder.clear();
        target = dir_.path(QStringLiteral("s1.ff"));
        QVERIFY(run.frame().runCommand(57603));  // Save
        QCOMPARE(proposed, QStringLiteral("new1.ff"));
        QVERIFY(!doc->isModified());
        QCOMPARE(doc->title(), QStringLiteral("s1.ff"));
        QCOMPARE(doc->GetFFile()->GetShortName(), std::string("s1"));
        QCOMPARE(run.app->recentFiles().at(0), QFileInfo(target).absoluteFilePath());
        FFile back;
        QVERIFY(back.Read(target.toStdString()) && back.Count() == 321);
        QVERIFY(run.messages.recorder.entries.empty());
    }

    void closingAsksOnlyForModifiedDocuments_data()
    {
        QTest::addColumn<Answer>("answer");  // Ok: unchanged, so not asked
        QTest::addColumn<bool>("closed");
        QTest::newRow("unchanged") << Answer::Ok << true;
        QTest::newRow("yes saves and closes") << Answer::Yes << true;
        QTest::newRow("no closes without saving") << Answer::No << true;
        QTest::newRow("cancel keeps it open") << Answer::Cancel << false;
    }
    void closingAsksOnlyForModifiedDocuments()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, closed);
        const bool modified = answer != Answer::Ok;
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
        QVERIFY(run.app->documents().isEmpty() == closed && run.frame().childFrames().isEmpty() == closed);
        FFile back, original;
        QVERIFY(back.Read(path.toStdString()) && original.ReadFromBytes(bytesBefore, "before"));
        QCOMPARE(back.Data()[0], original.Data()[0] + (answer == Answer::Yes ? 1.0f : 0.0f));
    }

    void closingAWindowAsksOnlyForTheLastOne()
    {
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(dir_.scan(QStringLiteral("two.ff"), 300));
        QVERIFY(doc);
        // Opening it again brings up its window, keeping the edits.
        doc->setModified(true);
        QCOMPARE(run.app->OpenDocumentFile(dir_.path(QStringLiteral("./two.ff"))), doc);
        QVERIFY(run.frame().childFrames().size() == 1 && doc->isModified());
        QVERIFY(run.frame().runCommand(57648));  // Window > New
        run.messages.recorder.answers = {Answer::No};
        for (int left : {1, 0}) {
            run.frame().childFrames().first()->close();
            RunningApp::settle();
            QCOMPARE(run.messages.recorder.entries.size(), size_t(1 - left));
            QCOMPARE(run.app->documents().size(), left);
        }
    }

    // The pending F-files of operations become documents new1, new2; New without one does nothing and uses up no
    // title.
    void exitAsksForEveryModifiedDocumentAndCancelStopsIt()
    {
        RunningApp run;
        QVERIFY(run.frame().runAccelerator(QStringLiteral("Ctrl+N")));
        QVERIFY(run.app->documents().isEmpty() && run.messages.recorder.entries.empty());
        for (int i = 0; i < 2; ++i) {
            CFFDoc::SetPendingFFile(makeScan(60));
            QVERIFY(run.app->OnFileNew());
        }
        run.messages.recorder.answers = {Answer::No, Answer::Cancel};
        QVERIFY(!run.frame().close());
        QCOMPARE(run.messages.recorder.entries.size(), size_t(2));
        QCOMPARE(run.messages.recorder.entries[0].text + run.messages.recorder.entries[1].text,
                 std::string("Save changes to new1?Save changes to new2?"));
        QVERIFY(run.app->documents().size() == 2 && run.frame().isVisible());
        run.messages.recorder.answers = {Answer::No, Answer::No};
        QVERIFY(run.frame().close());
        RunningApp::settle();
        QVERIFY(run.app->documents().isEmpty());
    }
};

QTEST_MAIN(DocumentTest)
#include "tst_document.moc"
