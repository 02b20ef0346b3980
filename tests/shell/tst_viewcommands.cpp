// The view's operation commands as the frames run them: Copy, Compress and
// Sliding mean handing a new F-file to a new document.

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "FFile.h"
#include "PolyTuning.h"
#include "SlidingMeanTuning.h"
#include "ShellTestSupport.h"

#include <QTest>

#include <vector>

namespace {

CFFView* activeView(CMainFrame& frame)
{
    return qobject_cast<CFFView*>(frame.activeFrame()->view());
}

std::vector<float> samples(const FFile& f) { return std::vector<float>(f.Data(), f.Data() + f.Count()); }

}  // namespace

class ViewCommandsTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;
    QString scan_;

private slots:
    void initTestCase()
    {
        scan_ = dir_.scan(QStringLiteral("ops.ff"), 600);
        Tuning<ClipTuning>::setEditor(nullptr);  // no dialog: the settings as they are
    }

    void copyHandsTheSelectionToANewDocument_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("lo");     // -1: no selection, the whole record
        QTest::addColumn<int>("hi");
        QTest::addColumn<int>("count");  // 0: refused
        QTest::newRow("whole record") << "Ctrl+Ins" << -1 << -1 << 600;
        QTest::newRow("four samples") << "Ctrl+C" << 10 << 13 << 4;
        QTest::newRow("three samples are too few") << "Ctrl+C" << 10 << 12 << 0;
        QTest::newRow("a long stretch") << "Ctrl+C" << 100 << 399 << 300;
    }
    void copyHandsTheSelectionToANewDocument()
    {
        QFETCH(QString, keys);
        QFETCH(int, lo);
        QFETCH(int, hi);
        QFETCH(int, count);
        RunningApp run;
        CFFDoc* source = run.app->OpenDocumentFile(scan_);
        QVERIFY(source);
        if (lo >= 0)
            activeView(run.frame())->arrays().markRange(lo, hi, MarkSelected);
        QVERIFY(run.frame().runAccelerator(keys));
        if (count == 0) {
            QCOMPARE(run.messages.errors(), std::vector<std::string>{"Selection is too small"});
            QCOMPARE(run.app->documents().size(), 1);
            return;
        }
        QCOMPARE(run.app->documents().size(), 2);
        CFFDoc* copy = run.app->documents().last();
        QCOMPARE(copy->title(), QStringLiteral("new1"));
        QVERIFY(copy->isModified() && !source->isModified());
        QVERIFY(!CFFDoc::HasPendingFFile());
        QCOMPARE(run.frame().activeDocument(), copy);
        const float* src = source->GetFFile()->Data();
        QCOMPARE(samples(*copy->GetFFile()), std::vector<float>(src + std::max(lo, 0), src + std::max(lo, 0) + count));
    }

    void compressOpensANewDocumentWithoutAQuestion()
    {
        RunningApp run;
        CFFDoc* source = run.app->OpenDocumentFile(scan_);
        QVERIFY(source);
        const std::vector<float> before = samples(*source->GetFFile());
        QVERIFY(run.frame().runCommand(32780));
        QVERIFY(run.messages.recorder.entries.empty());
        QCOMPARE(run.app->documents().size(), 2);
        CFFDoc* out = run.app->documents().last();
        QCOMPARE(out->title(), QStringLiteral("new1"));
        QVERIFY(out->isModified());
        QCOMPARE(out->GetFFile()->Count(), 600 / 4);  // block means of four, the initial setting
        QCOMPARE(samples(*source->GetFFile()), before);
        QVERIFY(!source->isModified());
    }

    void slidingMeanAsksAndAlwaysClearsTheMarks_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void slidingMeanAsksAndAlwaysClearsTheMarks()
    {
        QFETCH(bool, confirm);
        Tuning<SlidingMeanTuning>::reset();
        RunningApp run;
        CFFDoc* source = run.app->OpenDocumentFile(scan_);
        QVERIFY(source);
        const std::vector<float> before = samples(*source->GetFFile());
        CFFView* view = activeView(run.frame());
        view->arrays().markRange(100, 120, MarkSelected);
        run.messages.recorder.answers = {confirm ? Answer::Ok : Answer::Cancel};
        QVERIFY(run.frame().runCommand(32782));
        const FFile& f = *source->GetFFile();
        // The selection's width, 20 steps, became the window size.
        QCOMPARE(Tuning<SlidingMeanTuning>::current().windowSize, 20 * f.UnitScale() * f.DisplayStep());
        QCOMPARE(run.messages.recorder.entries.size(), size_t(1));
        QCOMPARE(run.messages.recorder.entries[0].text, std::string("Confirm new f-file creation"));
        QCOMPARE(run.messages.recorder.entries[0].caption, std::string("Complete"));
        QVERIFY(!view->hasMark(1) && !view->hasMark(3));
        QCOMPARE(samples(f), before);
        QCOMPARE(run.app->documents().size(), confirm ? 2 : 1);
        if (confirm)
            QCOMPARE(run.app->documents().last()->GetFFile()->Count(), 600);
    }

    void severalFileCommandsSkipMinimisedDocuments()
    {
        const QString other = dir_.scan(QStringLiteral("other.ff"), 600);
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(other));
        QVERIFY(run.app->OpenDocumentFile(scan_));
        // Both shown: the correlation table appears.
        QVERIFY(run.frame().runCommand(32776));
        QCOMPARE(run.messages.recorder.entries.size(), size_t(1));
        QCOMPARE(run.messages.recorder.entries[0].kind, std::string("table"));
        // The other document minimised: only the active F-file is left, and
        // the operations refuse a single operand.
        run.frame().framesOf(run.app->documents().first()).first()->showMinimized();
        run.frame().activateDocument(run.app->documents().last());
        for (int id : {32776, 32820}) {
            run.messages.recorder.clear();
            QVERIFY(run.frame().runCommand(id));
            QCOMPARE(run.messages.errors(), std::vector<std::string>{"FFOperation: invalid number of operands"});
        }
        QCOMPARE(run.app->documents().size(), 2);
    }

};

QTEST_MAIN(ViewCommandsTest)
#include "tst_viewcommands.moc"
