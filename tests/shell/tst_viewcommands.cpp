// Copy, Compress and Sliding mean handing a new F-file to a new document.

#include "PolyTuning.h"
#include "SlidingMeanTuning.h"
#include "ShellTestSupport.h"

class ViewCommandsTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;
    QString scan_ = dir_.scan(QStringLiteral("ops.ff"), 600);

private slots:
    void initTestCase() { Tuning<ClipTuning>::setEditor(nullptr); }

    // lo < 0: no selection, the whole record; Compress: block means of four, the initial setting, without a question.
    void copyAndCompressHandANewFileToANewDocument()
    {
        const struct { const char* keys; int lo, hi, count; } rows[] = {
            {"Ctrl+Ins", -1, -1, 600}, {"Ctrl+C", 10, 13, 4}, {"Ctrl+C", 10, 12, 0}, {"", -1, -1, 150}};
        for (const auto& r : rows) {
            RunningApp run;
            CFFDoc* source = run.app->OpenDocumentFile(scan_);
            QVERIFY(source);
            const std::vector<float> before = samples(*source->GetFFile());
            if (r.lo >= 0)
                activeView(run.frame())->arrays().markRange(r.lo, r.hi, MarkSelected);
            QVERIFY(*r.keys ? run.frame().runAccelerator(QLatin1String(r.keys)) : run.frame().runCommand(32780));
            QCOMPARE(run.messages.errors(), std::vector<std::string>(r.count ? 0 : 1, "Selection is too small"));
            QCOMPARE(run.app->documents().size(), r.count ? 2 : 1);  // three samples are too few
            if (r.count == 0)
                continue;
            QVERIFY(run.messages.recorder.entries.empty());  // no question either
            CFFDoc* copy = run.app->documents().last();
            QVERIFY(copy->title() == "new1" && copy->isModified() && run.frame().activeDocument() == copy);
            QVERIFY(!source->isModified() && !CFFDoc::HasPendingFFile());
            QCOMPARE(samples(*source->GetFFile()), before);
            const auto from = before.begin() + std::max(r.lo, 0);
            if (*r.keys)
                QCOMPARE(samples(*copy->GetFFile()), std::vector<float>(from, from + r.count));
            QCOMPARE(copy->GetFFile()->Count(), r.count);
        }
    }

    // Area shows its baseline, then puts the marks back; the record-sized result array goes with it.
    void areaLeavesTheMarksAndNoResultArray()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        CFFView* view = activeView(run.frame());
        view->arrays().markRange(100, 199, MarkSelected), view->arrays().markRange(120, 140, MarkDiscarded);
        const std::vector<std::uint8_t> marks = view->currentArrays().marks;
        QVERIFY(run.frame().runCommand(32818));
        QVERIFY(run.messages.recorder.entries.size() == 1 && run.messages.recorder.entries[0].text.rfind("Area", 0) == 0);
        QVERIFY(view->currentArrays().marks == marks && !view->currentArrays().hasResult());
    }

    void slidingMeanAsksAndAlwaysClearsTheMarks()
    {
        for (bool confirm : {true, false}) {
            Tuning<SlidingMeanTuning>::reset();
            RunningApp run;
            CFFDoc* source = run.app->OpenDocumentFile(scan_);
            QVERIFY(source);
            CFFView* view = activeView(run.frame());
            view->arrays().markRange(100, 120, MarkSelected);
            run.messages.recorder.answers = {confirm ? Answer::Ok : Answer::Cancel};
            QVERIFY(run.frame().runCommand(32782));
            const FFile& f = *source->GetFFile();  // the selection's width, 20 steps, became the window size
            QCOMPARE(Tuning<SlidingMeanTuning>::current().windowSize, 20 * f.UnitScale() * f.DisplayStep());
            QCOMPARE(run.messages.recorder.entries.size(), size_t(1));
            QCOMPARE(run.messages.recorder.entries[0].caption + "|" + run.messages.recorder.entries[0].text,
                     std::string("Complete|Confirm new f-file creation"));
            QVERIFY(!view->hasMark(1) && !view->hasMark(3) && !source->isModified());
            QCOMPARE(run.app->documents().size(), confirm ? 2 : 1);
        }
    }

    void severalFileCommandsSkipMinimisedDocuments()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("other.ff"), 600)));
        QVERIFY(run.app->OpenDocumentFile(scan_));
        QVERIFY(run.frame().runCommand(32776));  // both shown: the correlation table appears
        QCOMPARE(run.messages.recorder.entries.size(), size_t(1));
        QCOMPARE(run.messages.recorder.entries[0].kind, std::string("table"));
        // The other document minimised: the operations refuse a single operand.
        run.frame().framesOf(run.app->documents().first()).first()->showMinimized();
        run.frame().activateDocument(run.app->documents().last());
        for (int id : {32776, 32820}) {
            run.messages.recorder.clear();
            QVERIFY(run.frame().runCommand(id));
            QCOMPARE(run.messages.errors(), std::vector<std::string>{"FFOperation: invalid number of operands"});
        }
    }
};

QTEST_MAIN(ViewCommandsTest)
#include "tst_viewcommands.moc"
