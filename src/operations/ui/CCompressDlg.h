#pragma once
// "Compression tuning": the compression factor (0 to 64, by the spin's
// arrows only), block mean or median, and Quiet.

#include "CompressTuning.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QSpinBox;

class CCompressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxFactor = 64;

    // Clamps the record's factor into 0 ... 64 (the clamped value stays in
    // the record whatever the answer) and shows it; OK writes the controls
    // back.
    explicit CCompressDlg(CompressTuning& record, QWidget* parent = nullptr);

    // The editor of the process-wide record: modal, true for OK.
    static bool Edit(CompressTuning& record);

    QSpinBox* factorSpin() const { return factor_; }
    QButtonGroup* methods() const { return methods_; }
    QCheckBox* quietBox() const { return quiet_; }

    void accept() override;

private:
    CompressTuning& record_;
    QSpinBox* factor_ = nullptr;
    QButtonGroup* methods_ = nullptr;
    QCheckBox* quiet_ = nullptr;
};
