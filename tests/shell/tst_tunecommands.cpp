// The Tune menu and the operations that ask through their dialogs when
// their settings are not quiet.

#include "BusyCursor.h"
#include "CChildFrame.h"
#include "CCorrelationDlg.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CLinCombDlg.h"
#include "CMainFrame.h"
#include "CSlidingMeanDlg.h"
#include "CVexilApp.h"
#include "CompressTuning.h"
#include "FFLinComb.h"
#include "FFile.h"
#include "OverlayTuning.h"
#include "PolyTuning.h"
#include "QtMessageSink.h"
#include "ShellTestSupport.h"
#include "SlidingMeanTuning.h"
#include "TuneCommands.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <vector>

namespace {

void resetRecords()
{
    Tuning<ClipTuning>::reset();
    Tuning<GlueTuning>::reset();
    Tuning<TrendTuning>::reset();
    Tuning<OverlayTuning>::reset();
    Tuning<CompressTuning>::reset();
    Tuning<SlidingMeanTuning>::reset();
}

// Expects the dialogs titled titles to open one after the other; accepts
// all but the last, which ends with accept (ok) or reject.
void expectDialogs(QStringList titles, bool ok, std::vector<QString>* seen)
{
    onNextModal([titles, ok, seen](QDialog& dialog) {
        seen->push_back(dialog.windowTitle());
        if (titles.size() > 1 && dialog.windowTitle() == titles.first()) {
            expectDialogs(titles.mid(1), ok, seen);
            dialog.accept();
            return;
        }
        ok ? dialog.accept() : dialog.reject();
    });
}

std::vector<float> samples(const FFile& f) { return std::vector<float>(f.Data(), f.Data() + f.Count()); }

CFFView* activeView(CMainFrame& frame) { return qobject_cast<CFFView*>(frame.activeFrame()->view()); }

QCheckBox* quietBox(QDialog& dialog)
{
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
        if (box->text() == QStringLiteral("Quiet"))
            return box;
    return nullptr;
}

}  // namespace

class TuneCommandsTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;
    QString scan_, other_;

private slots:
    void initTestCase()
    {
        scan_ = dir_.scan(QStringLiteral("ops.ff"), 600);
        other_ = dir_.scan(QStringLiteral("other.ff"), 600);
        installTuningDialogs();
    }
    void init() { resetRecords(); }
    void cleanupTestCase()
    {
        resetRecords();
        FFLinComb::SetDialog(nullptr);
    }

    // Each item opens its dialog on the process-wide record: OK keeps the
    // change, Cancel drops it.
    void tuneItemsEditTheProcessWideRecords()
    {
        const struct {
            int id;
            const char* title;
            bool (*quiet)();
        } items[] = {
            {32784, "Clip tuning", [] { return Tuning<ClipTuning>::current().quiet; }},
            {32785, "Glue tuning", [] { return Tuning<GlueTuning>::current().quiet; }},
            {32786, "F-files overlaying control", [] { return Tuning<OverlayTuning>::current().quiet; }},
            {32787, "Compression tuning", [] { return Tuning<CompressTuning>::current().quiet; }},
            {32788, "Sliding Mean Filter tuning", [] { return Tuning<SlidingMeanTuning>::current().quiet; }},
            {32819, "Remove Trend tuning", [] { return Tuning<TrendTuning>::current().quiet; }},
        };
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        for (const auto& item : items) {
            bool quiet = false;
            for (bool ok : {false, true, false}) {
                QString title;
                onNextModal([&title, ok](QDialog& dialog) {
                    title = dialog.windowTitle();
                    quietBox(dialog)->toggle();
                    ok ? dialog.accept() : dialog.reject();
                });
                QVERIFY(run.frame().runCommand(item.id));
                QCOMPARE(title, QString::fromLatin1(item.title));
                quiet = ok ? !quiet : quiet;
                QCOMPARE(item.quiet(), quiet);
            }
        }
    }

    // Quiet off: the operation asks first; Cancel in any of its dialogs
    // changes no sample, no mark, no document and says nothing.
    void cancelInADialogChangesNothing_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("clip") << 32777 << QStringList{"Clip tuning"};
        QTest::newRow("glue") << 32778 << QStringList{"Glue tuning"};
        QTest::newRow("remove trend") << 32781 << QStringList{"Remove Trend tuning"};
        QTest::newRow("area") << 32818 << QStringList{"Clip tuning"};
        QTest::newRow("compress") << 32780 << QStringList{"Compression tuning"};
        QTest::newRow("sliding mean") << 32782 << QStringList{"Sliding Mean Filter tuning"};
        QTest::newRow("correlations") << 32776 << QStringList{"F-files overlaying control"};
        QTest::newRow("combination, overlaying") << 32820 << QStringList{"F-files overlaying control"};
        QTest::newRow("combination, coefficients")
            << 32820 << QStringList{"F-files overlaying control", "Linear Combination"};
    }
    void cancelInADialogChangesNothing()
    {
        QFETCH(int, id);
        QFETCH(QStringList, titles);
        RunningApp run;
        CFFDoc* first = run.app->OpenDocumentFile(other_);
        CFFDoc* doc = run.app->OpenDocumentFile(scan_);
        QVERIFY(first && doc);
        ViewArrays& a = activeView(run.frame())->arrays();
        // Glue clears the marks of a discarded stretch that is no step (the
        // first one) before it asks; Cancel must bring them back.
        a.markRange(0, 9, MarkDiscarded);
        a.markRange(100, 199, MarkSelected);
        a.markRange(200, 219, MarkDiscarded);
        a.markRange(220, 319, MarkSelected);
        const std::vector<std::uint8_t> marks = a.marks;
        const std::vector<float> before = samples(*doc->GetFFile());

        std::vector<QString> seen;
        expectDialogs(titles, false, &seen);
        QVERIFY(run.frame().runCommand(id));
        QCOMPARE(seen, std::vector<QString>(titles.begin(), titles.end()));
        QVERIFY(run.messages.recorder.entries.empty());
        QCOMPARE(a.marks, marks);
        QCOMPARE(samples(*doc->GetFFile()), before);
        QCOMPARE(run.app->documents().size(), 2);
        QVERIFY(!doc->isModified() && !first->isModified());
    }

    void slidingMeanWithoutSelectionRunsOnTheWindowTheDialogSets()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        onNextModal([](QDialog& dialog) {
            static_cast<CSlidingMeanDlg&>(dialog).windowField()->setText(QStringLiteral("1"));  // 20 samples
            dialog.accept();
        });
        run.messages.recorder.answers = {Answer::Ok};
        QVERIFY(run.frame().runCommand(32782));
        QCOMPARE(run.messages.errors(), std::vector<std::string>{});
        QCOMPARE(Tuning<SlidingMeanTuning>::current().windowSize, 1.0);
        QCOMPARE(run.app->documents().size(), 2);
        QCOMPARE(run.app->documents().last()->GetFFile()->GetText("HISTORY"), std::string("SLIDING_MEAN(ops)1"));
    }

    void anEditedCoefficientReachesTheCombination()
    {
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(other_));
        CFFDoc* doc = run.app->OpenDocumentFile(scan_);
        QVERIFY(doc);
        onNextModal([](QDialog& overlaying) {
            onNextModal([](QDialog& dialog) {
                auto& lincomb = static_cast<CLinCombDlg&>(dialog);
                lincomb.list()->topLevelItem(1)->setSelected(true);
                lincomb.list()->topLevelItem(0)->setSelected(false);
                onNextModal([](QDialog& input) {
                    input.findChild<QLineEdit*>()->setText(QStringLiteral("-0.25"));
                    input.accept();
                });
                lincomb.editSelected();
                lincomb.accept();
            });
            overlaying.accept();
        });
        // The wait cursor over the alignment after the overlaying dialog and
        // over the combination after the coefficients' OK.
        std::vector<bool> busy;
        BusyCursor::setHook([&busy](bool on) { busy.push_back(on); });
        QVERIFY(run.frame().runCommand(32820));
        BusyCursor::setHook(nullptr);
        QCOMPARE(busy, (std::vector<bool>{true, false, true, false}));
        QCOMPARE(run.app->documents().size(), 3);
        // Both scans are the same record: 0.5 x - 0.25 x.
        const std::vector<float> x = samples(*doc->GetFFile());
        const std::vector<float> out = samples(*run.app->documents().last()->GetFFile());
        QCOMPARE(out.size(), x.size());
        for (std::size_t k = 0; k < x.size(); ++k)
            QVERIFY2(std::abs(out[k] - 0.25 * x[k]) <= 1e-6 * (1 + std::abs(x[k])), qPrintable(QString::number(k)));
    }

    // The app's message sink shows the table in the correlation dialog,
    // with the pointer free of the wait cursor while it is up.
    void correlationsShowTheCoreTableInTheirDialog()
    {
        Tuning<OverlayTuning>::current().quiet = true;
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(other_));
        QVERIFY(run.app->OpenDocumentFile(scan_));
        QVERIFY(run.frame().runCommand(32776));
        QCOMPARE(run.messages.recorder.entries.size(), std::size_t(1));
        QString table = QString::fromStdString(run.messages.recorder.entries[0].text);
        table.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

        QtMessageSink sink;
        MessageSink* recorder = Messages::install(&sink);
        QString shown;
        bool cursorFree = false;
        onNextModal([&](QDialog& dialog) {
            auto* correlation = qobject_cast<CCorrelationDlg*>(&dialog);
            shown = correlation ? correlation->field()->toPlainText() : QString();
            cursorFree = QGuiApplication::overrideCursor() == nullptr;
            dialog.reject();
        });
        QVERIFY(run.frame().runCommand(32776));
        Messages::install(recorder);
        QCOMPARE(shown, table);
        QVERIFY(cursorFree);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(TuneCommandsTest)
#include "tst_tunecommands.moc"
