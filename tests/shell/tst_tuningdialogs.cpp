// The settings dialogs on their own: what they show of a record, what OK
// writes back and Cancel leaves, driven from the keyboard.

#include "BusyCursor.h"
#include "CCompressDlg.h"
#include "CCorrelationDlg.h"
#include "CInputDlg.h"
#include "CLinCombDlg.h"
#include "COverlayingDlg.h"
#include "CPolyTuningDlg.h"
#include "CSlidingMeanDlg.h"
#include "FFCorrelation.h"
#include "LinCombCoefficients.h"
#include "ShellTestSupport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

namespace {

// Shows the dialog, then presses key on the focused widget as a user would.
int finishWith(QDialog& dialog, Qt::Key key)
{
    dialog.show();
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key);
    return dialog.result();
}

void step(QSpinBox* spin, int steps)
{
    for (int k = 0; k < std::abs(steps); ++k)
        QTest::keyClick(spin, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
}

QStringList column(const QTreeWidget* list, int c)
{
    QStringList out;
    for (int j = 0; j < list->topLevelItemCount(); ++j)
        out << list->topLevelItem(j)->text(c);
    return out;
}

}  // namespace

class TuningDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void polyTuningClampsStepsAndWritesBackOnOk_data()
    {
        QTest::addColumn<int>("power");
        QTest::addColumn<int>("steps");  // arrow presses, negative = down
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("two up, Enter") << 4 << 2 << true << 4 << 6;
        QTest::newRow("two up, Escape") << 4 << 2 << false << 4 << 4;
        QTest::newRow("below range clamped, kept on Escape") << -3 << 1 << false << 0 << 0;
        QTest::newRow("above range clamped, no wrap past 9") << 12 << 3 << true << 9 << 9;
        QTest::newRow("no wrap below 0") << 1 << -3 << true << 1 << 0;
    }
    void polyTuningClampsStepsAndWritesBackOnOk()
    {
        QFETCH(int, power);
        QFETCH(int, steps);
        QFETCH(bool, ok);
        QFETCH(int, shown);
        QFETCH(int, stored);
        for (const char* title : {ClipTuning::kTitle, GlueTuning::kTitle, TrendTuning::kTitle}) {
            PolyTuning record;
            record.power = power;
            CPolyTuningDlg dialog(title, record);
            QCOMPARE(dialog.windowTitle(), QString::fromLatin1(title));
            QCOMPARE(dialog.powerSpin()->value(), shown);
            QCOMPARE(record.power, shown);
            QTest::keyClicks(dialog.powerSpin(), "7");  // the field takes no typing
            step(dialog.powerSpin(), steps);
            QTest::keyClick(dialog.quietBox(), Qt::Key_Space);
            dialog.powerSpin()->setFocus();
            QCOMPARE(finishWith(dialog, ok ? Qt::Key_Return : Qt::Key_Escape), ok ? 1 : 0);
            QCOMPARE(record.power, stored);
            QCOMPARE(record.quiet, ok);
        }
    }

    void compressClampsTheFactorAndWritesBackOnOk_data()
    {
        QTest::addColumn<int>("factor");
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("initial, one up") << 4 << 1 << true << 4 << 5;
        QTest::newRow("Escape keeps the factor") << 4 << 1 << false << 4 << 4;
        QTest::newRow("above 64 clamped, no wrap") << 100 << 2 << true << 64 << 64;
        QTest::newRow("negative clamped to 0") << -5 << 0 << false << 0 << 0;
        QTest::newRow("down to 0, not below") << 1 << -2 << true << 1 << 0;
    }
    void compressClampsTheFactorAndWritesBackOnOk()
    {
        QFETCH(int, factor);
        QFETCH(int, steps);
        QFETCH(bool, ok);
        QFETCH(int, shown);
        QFETCH(int, stored);
        CompressTuning record;
        record.factor = factor;
        CCompressDlg dialog(record);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Compression tuning"));
        QCOMPARE(dialog.factorSpin()->value(), shown);
        QCOMPARE(record.factor, shown);
        QCOMPARE(dialog.methods()->checkedId(), int(CompressMethod::Mean));
        step(dialog.factorSpin(), steps);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.methods()->button(CompressMethod::Mean)->setFocus();
        QTest::keyClick(dialog.methods()->button(CompressMethod::Mean), Qt::Key_Down);  // to "Median"
        QTest::keyClick(dialog.quietBox(), Qt::Key_Space);
        dialog.factorSpin()->setFocus();
        finishWith(dialog, ok ? Qt::Key_Return : Qt::Key_Escape);
        QCOMPARE(record.factor, stored);
        QCOMPARE(record.method, ok ? int(CompressMethod::Median) : int(CompressMethod::Mean));
        QCOMPARE(record.quiet, ok);
    }

    void slidingMeanWindowTextAndChoices_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");  // replaces the text unless null
        QTest::addColumn<double>("stored");
        QTest::newRow("five digits, kept as shown") << 12.3456789 << "12.346" << QString() << 12.346;
        QTest::newRow("zero shows nothing") << 0.0 << "" << "20" << 20.0;
        QTest::newRow("negative shows nothing") << -5.0 << "" << "abc" << 0.0;
        QTest::newRow("small in exponent form") << 1e-7 << "1e-07" << "3.5abc" << 3.5;
        QTest::newRow("large in exponent form") << 123456.7 << "1.2346e+05" << QString() << 123460.0;
    }
    void slidingMeanWindowTextAndChoices()
    {
        QFETCH(double, size);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        SlidingMeanTuning record;
        record.windowSize = size;
        record.filterType = FilterType::Median;
        record.windowFunction = WindowFunction::Gaussian;
        record.boundaryMode = BoundaryMode::Cut;
        {
            CSlidingMeanDlg dialog(record);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Sliding Mean Filter tuning"));
            QCOMPARE(dialog.windowField()->text(), shown);
            QCOMPARE(dialog.filterTypes()->checkedId(), int(FilterType::Median));
            QCOMPARE(dialog.windowFunctions()->checkedId(), int(WindowFunction::Gaussian));
            QCOMPARE(dialog.boundaryModes()->checkedId(), int(BoundaryMode::Cut));
            dialog.windowField()->setText(QStringLiteral("99"));
            QCOMPARE(finishWith(dialog, Qt::Key_Escape), 0);
            QCOMPARE(record.windowSize, size);
        }
        CSlidingMeanDlg dialog(record);
        if (!typed.isNull())
            dialog.windowField()->setText(typed);
        dialog.backgroundBox()->setChecked(true);
        dialog.filterTypes()->button(FilterType::Mean)->setChecked(true);
        dialog.windowFunctions()->button(WindowFunction::Parabolic)->setChecked(true);
        dialog.boundaryModes()->button(BoundaryMode::Flatten)->setChecked(true);
        dialog.quietBox()->setChecked(true);
        dialog.windowField()->setFocus();
        QCOMPARE(finishWith(dialog, Qt::Key_Return), 1);
        QCOMPARE(record.windowSize, stored);
        QVERIFY(record.removeBackground && record.quiet);
        QCOMPARE(record.filterType, int(FilterType::Mean));
        QCOMPARE(record.windowFunction, int(WindowFunction::Parabolic));
        QCOMPARE(record.boundaryMode, int(BoundaryMode::Flatten));
    }

    // Every state of the six boxes survives OK and reopening; the offset
    // flags hold a set bit for each coordinate box left unchecked.
    void overlayingFlagsRoundTripOverAllBoxStates()
    {
        const int bitOfBox[4] = {8, 1, 2, 4};  // Scaling, Absolute, Channel-specific, Time correction
        const char* texts[6] = {"Scaling", "Absolute offsets", "Channel-specific offsets", "Time correction offsets",
                                "Keep active f-file offsets", "Check declination equality"};
        for (int state = 0; state < 64; ++state) {
            OverlayTuning record;
            record.offsetFlags = 0xF0 | (state & 15);  // stray high bits are dropped on OK
            {
                COverlayingDlg dialog(record);
                for (int k = 0; k < 6; ++k) {
                    QCOMPARE(dialog.box(k)->text(), QString::fromLatin1(texts[k]));
                    dialog.box(k)->setChecked((state >> k) & 1);
                }
                dialog.headModes()->button(state & 1)->setChecked(true);
                dialog.quietBox()->setChecked(state & 2);
                QCOMPARE(finishWith(dialog, Qt::Key_Return), 1);
            }
            int flags = 0;
            for (int k = 0; k < 4; ++k)
                flags += ((state >> k) & 1) ? 0 : bitOfBox[k];
            QCOMPARE(record.offsetFlags, flags);
            QCOMPARE(record.keepActiveOffsets, bool(state & 16));
            QCOMPARE(record.checkDeclination, bool(state & 32));
            QCOMPARE(record.headMode, state & 1);
            QCOMPARE(record.quiet, bool(state & 2));
            const OverlayTuning kept = record;
            COverlayingDlg again(record);
            for (int k = 0; k < 6; ++k)
                QCOMPARE(again.box(k)->isChecked(), bool((state >> k) & 1));
            QCOMPARE(again.headModes()->checkedId(), state & 1);
            again.box(state % 6)->toggle();
            again.headModes()->button(1 - (state & 1))->setChecked(true);
            QCOMPARE(finishWith(again, Qt::Key_Escape), 0);
            QCOMPARE(record.offsetFlags, kept.offsetFlags);
            QCOMPARE(record.headMode, kept.headMode);
            QCOMPARE(record.keepActiveOffsets, kept.keepActiveOffsets);
        }
    }

    void linearCombinationButtonsAndTheCoefficientEdit()
    {
        const std::vector<float> a = {1, 2, 3}, b = {1, 0, 1}, c = {0, 1, 0};
        LinCombCoefficients three({"a", "b", "c"}, {a.data(), b.data(), c.data()}, 3);
        CLinCombDlg big(three);
        QVERIFY(!big.ruleButton(3)->isEnabled());
        QCOMPARE(column(big.list(), 1), (QStringList{"0.333333", "0.333333", "0.333333"}));
        QTest::mouseClick(big.ruleButton(2), Qt::LeftButton);  // Sum
        QCOMPARE(column(big.list(), 1), (QStringList{"1", "1", "1"}));

        LinCombCoefficients two({"a", "b"}, {a.data(), b.data()}, 3);
        CLinCombDlg dialog(two);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Linear Combination"));
        QCOMPARE(column(dialog.list(), 0), (QStringList{"a", "b"}));
        QCOMPARE(dialog.list()->headerItem()->text(1), QStringLiteral("Coefficient"));
        QCOMPARE(dialog.list()->columnWidth(0), 100);
        QVERIFY(dialog.ruleButton(3)->isEnabled());
        QTest::mouseClick(dialog.ruleButton(3), Qt::LeftButton);  // Subtraction
        QCOMPARE(column(dialog.list(), 1), (QStringList{"1", "-1"}));
        // Best Fit under the wait cursor: a1 = -(1 + 3) / (1 + 1) = -2.
        std::vector<bool> busy;
        BusyCursor::setHook([&busy](bool on) { busy.push_back(on); });
        QTest::mouseClick(dialog.ruleButton(1), Qt::LeftButton);
        BusyCursor::setHook(nullptr);
        QCOMPARE(busy, (std::vector<bool>{true, false}));
        QCOMPARE(column(dialog.list(), 1), (QStringList{"1", "-2"}));
        QTest::mouseClick(dialog.ruleButton(0), Qt::LeftButton);  // Average
        QCOMPARE(column(dialog.list(), 1), (QStringList{"0.5", "0.5"}));

        // Double click on the second row: "Change Coefficient"; OK keeps the
        // edit, Cancel the old text.
        dialog.show();
        QTreeWidgetItem* second = dialog.list()->topLevelItem(1);
        const QPoint at = dialog.list()->visualItemRect(second).center();
        for (bool ok : {true, false}) {
            onNextModal([ok](QDialog& input) {
                auto& in = static_cast<CInputDlg&>(input);
                QCOMPARE(in.windowTitle(), QStringLiteral("Change Coefficient"));
                QCOMPARE(in.labelField()->text(), QStringLiteral("File b:"));
                QCOMPARE(in.valueField()->maxLength(), 34);
                in.valueField()->setText(ok ? QStringLiteral("-2.5e-3x") : QStringLiteral("7"));
                ok ? in.accept() : in.reject();
            });
            QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(column(dialog.list(), 1), (QStringList{"0.5", "-2.5e-3x"}));
        }
        QCOMPARE(two.Accept(), (std::vector<double>{0.5, -0.0025}));
    }

    void inputDialogCutsItsTexts()
    {
        const QString longText(40, QLatin1Char('9'));
        CInputDlg dialog(QStringLiteral("T"), longText, longText);
        QCOMPARE(dialog.labelField()->text().size(), 34);
        QCOMPARE(dialog.valueField()->text().size(), 34);
    }

    void correlationTableIsTheCoreTableInAFixedFont()
    {
        const std::vector<float> x = {1, 2, 3}, y = {1, 3, 2};
        const std::string table = FFCorrelation::FormatTable({"a", "b"}, FFCorrelation::Correlate({x.data(), y.data()}, 3));
        CCorrelationDlg dialog(QStringLiteral("Correlation coefficients"), QString::fromStdString(table));
        QString expected = QString::fromStdString(table);
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(dialog.field()->toPlainText(), expected);
        QVERIFY(dialog.field()->isReadOnly());
        QVERIFY(QFontInfo(dialog.field()->font()).fixedPitch());
        QCOMPARE(dialog.field()->font().pointSize(), 8);
        QCOMPARE(dialog.field()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(dialog.field()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(dialog.findChildren<QAbstractButton*>().isEmpty());
        dialog.show();
        QTest::keyClick(dialog.field(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TuningDialogsTest)
#include "tst_tuningdialogs.moc"
