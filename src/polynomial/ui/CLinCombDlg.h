#pragma once
// "Linear Combination": one row per operand (its short name and its
// coefficient text), the buttons that set every coefficient by a rule, and
// the editing of one coefficient (double click or F2 on a row). A view of
// LinCombCoefficients, which holds the texts and the rules; on OK the
// operation converts the texts.

#include <QDialog>

class LinCombCoefficients;
class QPushButton;
class QTreeWidget;

class CLinCombDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLinCombDlg(LinCombCoefficients& rows, QWidget* parent = nullptr);

    // The dialog hook of FFLinComb: modal over the active window, true for OK.
    static bool Edit(LinCombCoefficients& rows);

    QTreeWidget* list() const { return list_; }
    // "Average", "Best Fit", "Sum", "Subtraction".
    QPushButton* ruleButton(int k) const { return rules_[k]; }

    // Edits the coefficient of the first selected row in "Change
    // Coefficient"; nothing when no row is selected.
    void editSelected();

private:
    void refresh();

    LinCombCoefficients& rows_;
    QTreeWidget* list_ = nullptr;
    QPushButton* rules_[4] = {};
};
