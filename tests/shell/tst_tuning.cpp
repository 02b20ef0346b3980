// The settings dialogs, the Tune menu, and operations asking through the dialogs.

#include "BusyCursor.h"
#include "CCompressDlg.h"
#include "CLinCombDlg.h"
#include "COverlayingDlg.h"
#include "CPolyTuningDlg.h"
#include "CSlidingMeanDlg.h"
#include "LinCombCoefficients.h"
#include "ShellTestSupport.h"
#include "TuneCommands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

bool finishWith(QDialog& dialog, bool enter)
{
    dialog.show();
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, enter ? Qt::Key_Return : Qt::Key_Escape);
    return dialog.result() == QDialog::Accepted;
}

QStringList coefficients(const CLinCombDlg& dialog)
{
    QStringList out;
    for (int j = 0; j < dialog.list()->topLevelItemCount(); ++j)
        out << dialog.list()->topLevelItem(j)->text(1);
    return out;
}

template <typename T>
bool quiet() { return Tuning<T>::current().quiet; }

}  // namespace

class TuningTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;
    QString scan_ = dir_.scan(QStringLiteral("ops.ff"), 600);
    QString other_ = dir_.scan(QStringLiteral("other.ff"), 600);  // the same record

    // Quiet off: the operation asks first; Cancel in any of its dialogs changes no sample, no mark, no document and
    // says nothing. The wait cursor shows only over work after an OK (the combination's alignment).
    void cancelChangesNothing(int id, const QStringList& titles)
    {
        const int busy = int(titles.size() - 1);
        RunningApp run;
        CFFDoc* first = run.app->OpenDocumentFile(other_);
        CFFDoc* doc = run.app->OpenDocumentFile(scan_);
        QVERIFY(first && doc);
        ViewArrays& a = activeView(run.frame())->arrays();
        // Glue clears the marks of a discarded stretch that is no step (the first) before it asks; Cancel brings them
        // back.
        a.markRange(0, 9, MarkDiscarded), a.markRange(100, 199, MarkSelected);
        a.markRange(200, 219, MarkDiscarded), a.markRange(220, 319, MarkSelected);
        const std::vector<std::uint8_t> marks = a.marks;
        const std::vector<float> before = samples(*doc->GetFFile());
        QStringList seen;
        std::function<void(QDialog&)> next = [&](QDialog& dialog) {
            seen << dialog.windowTitle();
            if (seen.size() < titles.size())
                onNextModal(next);
            seen.size() < titles.size() ? dialog.accept() : dialog.reject();
        };
        onNextModal(next);
        int busyStarts = 0;
        BusyCursor::setHook([&busyStarts](bool on) { busyStarts += on; });
        QVERIFY(run.frame().runCommand(id));
        BusyCursor::setHook(nullptr);
        QCOMPARE(busyStarts, busy);
        QCOMPARE(seen, titles);
        QVERIFY(run.messages.recorder.entries.empty());
        QCOMPARE(a.marks, marks);
        QCOMPARE(samples(*doc->GetFFile()), before);
        QVERIFY(run.app->documents().size() == 2 && !doc->isModified() && !first->isModified());
    }

private slots:
    void initTestCase() { installTuningDialogs(); }
    void init()
    {
        Tuning<ClipTuning>::reset(), Tuning<GlueTuning>::reset(), Tuning<TrendTuning>::reset();
        Tuning<OverlayTuning>::reset(), Tuning<CompressTuning>::reset(), Tuning<SlidingMeanTuning>::reset();
    }

    // The power (0 to 9) and the compression factor (0 to 64): clamped on opening (kept even after Escape), moved by
    // the arrows only, without wrapping; Enter stores, Escape does not.
    void spinDialogsClampStepAndWriteBack()
    {
        const struct { bool poly; int value, steps; bool enter; int shown, stored; } rows[] = {  // steps < 0: down
            {true, 4, 2, true, 4, 6},      {true, 4, 2, false, 4, 4},    {true, -3, 1, false, 0, 0},
            {true, 12, 3, true, 9, 9},     {true, 1, -3, true, 1, 0},    {false, 4, 1, true, 4, 5},
            {false, 100, 2, true, 64, 64}, {false, -5, 0, false, 0, 0}, {false, 1, -2, true, 1, 0}};
        for (const auto& r : rows) {
            PolyTuning power;
            CompressTuning compress;
            power.power = compress.factor = r.value;
            std::unique_ptr<QDialog> dialog(r.poly ? static_cast<QDialog*>(new CPolyTuningDlg(GlueTuning::kTitle, power))
                                                   : new CCompressDlg(compress));
            auto* spin = dialog->findChild<QSpinBox*>();
            QVERIFY(spin->value() == r.shown && (r.poly ? power.power : compress.factor) == r.shown);
            QTest::keyClicks(spin, "7");  // the field takes no typing
            for (int k = 0; k < std::abs(r.steps); ++k)
                QTest::keyClick(spin, r.steps > 0 ? Qt::Key_Up : Qt::Key_Down);
            QTest::keyClick(dialog->findChild<QCheckBox*>(), Qt::Key_Space);  // Quiet
            if (!r.poly)
                static_cast<CCompressDlg&>(*dialog).methods()->button(CompressMethod::Median)->setChecked(true);
            spin->setFocus();
            QCOMPARE(finishWith(*dialog, r.enter), r.enter);
            QVERIFY((r.poly ? power.power : compress.factor) == r.stored && (r.poly ? power.quiet : compress.quiet) == r.enter);
            QCOMPARE(compress.method, int(!r.poly && r.enter ? CompressMethod::Median : CompressMethod::Mean));
        }
    }

    // The window size shows with five significant digits (nothing when not positive); OK reads the text's numeric
    // prefix, 0 without one.
    void slidingMeanWindowTextAndChoices()
    {
        const struct { double size; const char* shown; const char* typed; bool enter; double stored; } rows[] = {
            {12.3456789, "12.346", nullptr, true, 12.346}, {0, "", "20", true, 20}, {-5, "", "abc", true, 0},
            {1e-7, "1e-07", "3.5abc", true, 3.5}, {123456.7, "1.2346e+05", "99", false, 123456.7}};
        for (const auto& r : rows) {
            SlidingMeanTuning record;
            record.windowSize = r.size, record.filterType = FilterType::Median;
            record.windowFunction = WindowFunction::Gaussian, record.boundaryMode = BoundaryMode::Cut;
            CSlidingMeanDlg dialog(record);
            QCOMPARE(dialog.windowField()->text(), QString::fromLatin1(r.shown));
            QCOMPARE(dialog.filterTypes()->checkedId() * 100 + dialog.windowFunctions()->checkedId() * 10 + dialog.boundaryModes()->checkedId(), 121);
            if (r.typed)  // nullptr: left as shown
                dialog.windowField()->setText(QString::fromLatin1(r.typed));
            dialog.backgroundBox()->setChecked(true);
            dialog.filterTypes()->button(FilterType::Mean)->setChecked(true);
            dialog.windowFunctions()->button(WindowFunction::Parabolic)->setChecked(true);
            dialog.boundaryModes()->button(BoundaryMode::Flatten)->setChecked(true);
            dialog.quietBox()->setChecked(true);
            dialog.windowField()->setFocus();
            QCOMPARE(finishWith(dialog, r.enter), r.enter);
            QVERIFY(record.windowSize == r.stored && (record.removeBackground && record.quiet) == r.enter);
            QCOMPARE(record.filterType * 100 + record.windowFunction * 10 + record.boundaryMode, r.enter ? 12 : 121);
        }
    }

    // Every state of the six boxes survives OK and reopening (Escape keeps the record: the spin dialogs above); the
    // offset flags then hold a set bit for each coordinate box left unchecked (Scaling 8, Absolute 1, Channel-
    // specific 2, Time correction 4).
    void overlayingFlagsRoundTripOverAllBoxStates()
    {
        for (int state = 0; state < 64; ++state) {
            auto checked = [state](int k) { return bool((state >> k) & 1); };
            OverlayTuning record;
            record.offsetFlags = 0xF0 | (state & 15);  // stray bits go on OK
            COverlayingDlg dialog(record);
            for (int k = 0; k < 6; ++k)
                dialog.box(k)->setChecked(checked(k));
            dialog.headModes()->button(state & 1)->setChecked(true);
            dialog.quietBox()->setChecked(checked(1));
            QVERIFY(finishWith(dialog, true));
            QCOMPARE(record.offsetFlags, (checked(0) ? 0 : 8) + (checked(1) ? 0 : 1) + (checked(2) ? 0 : 2) + (checked(3) ? 0 : 4));
            QVERIFY(record.keepActiveOffsets == checked(4) && record.checkDeclination == checked(5));
            QVERIFY(record.headMode == (state & 1) && record.quiet == checked(1));
            COverlayingDlg again(record);
            for (int k = 0; k < 6; ++k)
                QCOMPARE(again.box(k)->isChecked(), checked(k));
            QCOMPARE(again.headModes()->checkedId(), state & 1);
        }
    }

    void linearCombinationButtonsAndTheCoefficientEdit()
    {
        const std::vector<float> a = {1, 2, 3}, b = {1, 0, 1};
        LinCombCoefficients three({"a", "b", "c"}, {a.data(), b.data(), b.data()}, 3), two({"a", "b"}, {a.data(), b.data()}, 3);
        CLinCombDlg dialog(two);
        QVERIFY(!CLinCombDlg(three).ruleButton(3)->isEnabled() && dialog.ruleButton(3)->isEnabled());
        // Sum, Subtraction, Best Fit (-(1 + 3) / (1 + 1)), Average.
        const QList<QPair<int, QStringList>> clicks = {{2, {"1", "1"}}, {3, {"1", "-1"}}, {1, {"1", "-2"}}, {0, {"0.5", "0.5"}}};
        std::vector<bool> busy;
        BusyCursor::setHook([&busy](bool on) { busy.push_back(on); });
        for (const auto& [button, texts] : clicks) {
            QTest::mouseClick(dialog.ruleButton(button), Qt::LeftButton);
            QCOMPARE(coefficients(dialog), texts);
        }
        BusyCursor::setHook(nullptr);
        QCOMPARE(busy, (std::vector<bool>{true, false}));  // around Best Fit only

        // Double click on the second row: OK keeps the edit, Cancel the text.
        dialog.show();
        const QPoint at = dialog.list()->visualItemRect(dialog.list()->topLevelItem(1)).center();
        for (bool ok : {true, false}) {
            onNextModal([ok](QDialog& input) {
                QCOMPARE(input.windowTitle() + "|" + input.findChild<QLabel*>()->text() + "|" +
                             QString::number(input.findChild<QLineEdit*>()->maxLength()), QStringLiteral("Change Coefficient|File b:|34"));
                input.findChild<QLineEdit*>()->setText(ok ? QStringLiteral("-2.5e-3x") : QStringLiteral("7"));
                ok ? input.accept() : input.reject();
            });
            QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(coefficients(dialog), (QStringList{"0.5", "-2.5e-3x"}));
        }
        QCOMPARE(two.Accept(), (std::vector<double>{0.5, -0.0025}));
    }

    // Each item opens its dialog on the process-wide record (Escape keeping it as it was: the dialog tests above).
    void tuneItemsEditTheProcessWideRecords()
    {
        const struct { int id; const char* title; bool (*quiet)(); } items[] = {
            {32784, "Clip tuning", quiet<ClipTuning>}, {32785, "Glue tuning", quiet<GlueTuning>},
            {32786, "F-files overlaying control", quiet<OverlayTuning>}, {32787, "Compression tuning", quiet<CompressTuning>},
            {32788, "Sliding Mean Filter tuning", quiet<SlidingMeanTuning>}, {32819, "Remove Trend tuning", quiet<TrendTuning>}};
        RunningApp run;
        QVERIFY(run.app->OpenDocumentFile(scan_));
        for (const auto& item : items) {
            QString title;
            onNextModal([&title](QDialog& dialog) {
                title = dialog.windowTitle();
                dialog.findChildren<QCheckBox*>().last()->toggle();  // Quiet comes last
                dialog.accept();
            });
            QVERIFY(run.frame().runCommand(item.id) && item.quiet());
            QCOMPARE(title, QString::fromLatin1(item.title));
        }
    }

    // What is typed in the dialogs reaches the results: a window with no selection, coefficients by hand
    // (3a - b of two equal records is twice the record, to rounding on the common grid).
    void dialogChoicesReachTheResults()
    {
        RunningApp run;
        CFFDoc* other = run.app->OpenDocumentFile(other_);
        CFFDoc* doc = run.app->OpenDocumentFile(scan_);
        QVERIFY(other && doc);
        onNextModal([](QDialog& d) { static_cast<CSlidingMeanDlg&>(d).windowField()->setText("2.5"), d.accept(); });
        QVERIFY(run.frame().runCommand(32782));
        QCOMPARE(run.app->documents().size(), 3);
        QCOMPARE(run.app->documents().last()->GetFFile()->GetText("HISTORY"), std::string("SLIDING_MEAN(ops)2.5"));
        std::function<void(QDialog&)> both = [&](QDialog& overlay) {
            onNextModal([](QDialog& d) {
                auto& dialog = static_cast<CLinCombDlg&>(d);
                for (int row : {0, 1}) {
                    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(row));
                    onNextModal([row](QDialog& input) {
                        input.findChild<QLineEdit*>()->setText(row ? "-1" : "3"), input.accept();
                    });
                    dialog.editSelected();
                }
                d.accept();
            });
            overlay.accept();
        };
        onNextModal(both);
        run.messages.recorder.answers = {Answer::No};  // not saved
        QVERIFY(run.app->CloseDocument(run.app->documents().last()));
        QVERIFY(run.frame().runCommand(32820));
        QCOMPARE(run.app->documents().size(), 3);
        const std::vector<float> a = samples(*doc->GetFFile()), got = samples(*run.app->documents().last()->GetFFile());
        QCOMPARE(got.size(), a.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            QVERIFY2(std::abs(got[i] - 2 * a[i]) <= 1e-6f * std::abs(2 * a[i]), qPrintable(QString::number(i)));
    }

    void cancelInADialogChangesNothing()
    {
        const QString ov = "F-files overlaying control";
        const struct { int id; QStringList titles; } rows[] = {
            {32777, {"Clip tuning"}}, {32778, {"Glue tuning"}}, {32781, {"Remove Trend tuning"}}, {32818, {"Clip tuning"}},
            {32780, {"Compression tuning"}}, {32782, {"Sliding Mean Filter tuning"}}, {32776, {ov}}, {32820, {ov}},
            {32820, {ov, "Linear Combination"}}};
        for (const auto& r : rows) {
            cancelChangesNothing(r.id, r.titles);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QString::number(r.id)));
        }
    }
};

QTEST_MAIN(TuningTest)
#include "tst_tuning.moc"
