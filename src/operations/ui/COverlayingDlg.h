#pragma once
// "F-files overlaying control": how the multi-file operations bring their
// operands onto one grid. The four coordinate boxes show a correction as
// checked when it is applied, that is when its offset flag bit is clear.

#include "OverlayTuning.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

class COverlayingDlg : public QDialog {
    Q_OBJECT
public:
    // Shows record; OK writes the controls back into it.
    explicit COverlayingDlg(OverlayTuning& record, QWidget* parent = nullptr);

    // The editor of the process-wide record: modal, true for OK.
    static bool Edit(OverlayTuning& record);

    // The boxes in dialog order: "Scaling", "Absolute offsets",
    // "Channel-specific offsets", "Time correction offsets", "Keep active
    // f-file offsets", "Check declination equality".
    static constexpr int kBoxCount = 6;
    QCheckBox* box(int k) const { return boxes_[k]; }
    QButtonGroup* headModes() const { return headModes_; }
    QCheckBox* quietBox() const { return quiet_; }

    void accept() override;

private:
    OverlayTuning& record_;
    QCheckBox* boxes_[kBoxCount] = {};
    QButtonGroup* headModes_ = nullptr;
    QCheckBox* quiet_ = nullptr;
};
