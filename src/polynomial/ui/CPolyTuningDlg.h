#pragma once
// The tuning dialog of Clip, Glue and Remove trend ("Clip tuning", "Glue
// tuning", "Remove Trend tuning"): the power of the fitted polynomial, 0 to
// 9 by the spin's arrows only, and Quiet.

#include "PolyTuning.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

class CPolyTuningDlg : public QDialog {
    Q_OBJECT
public:
    // Clamps the record's power into 0 ... 9 (the clamped value stays in the
    // record whatever the answer) and shows it; OK writes the controls back.
    CPolyTuningDlg(const char* title, PolyTuning& record, QWidget* parent = nullptr);

    // The editor of one of the three records: modal, true for OK.
    static bool Edit(const char* title, PolyTuning& record);
    template <typename T>
    static bool EditRecord(T& record)
    {
        return Edit(T::kTitle, record);
    }

    QSpinBox* powerSpin() const { return power_; }
    QCheckBox* quietBox() const { return quiet_; }

    void accept() override;

private:
    PolyTuning& record_;
    QSpinBox* power_ = nullptr;
    QCheckBox* quiet_ = nullptr;
};
