#pragma once
// "Sliding Mean Filter tuning": the window size as text, background
// removal, mean or median, the window function, what happens near the
// record's ends, and Quiet.

#include "SlidingMeanTuning.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

class CSlidingMeanDlg : public QDialog {
    Q_OBJECT
public:
    // Shows record (the window size with five significant digits, nothing
    // when it is not positive); OK writes the controls back.
    explicit CSlidingMeanDlg(SlidingMeanTuning& record, QWidget* parent = nullptr);

    // The editor of the process-wide record: modal, true for OK.
    static bool Edit(SlidingMeanTuning& record);

    // The window size as the field first shows it.
    static QString windowText(double size);
    // A typed window size: the longest numeric prefix, 0 without one.
    static double windowValue(const QString& text);

    QLineEdit* windowField() const { return window_; }
    QCheckBox* backgroundBox() const { return background_; }
    QButtonGroup* filterTypes() const { return filterTypes_; }
    QButtonGroup* windowFunctions() const { return functions_; }
    QButtonGroup* boundaryModes() const { return boundaries_; }
    QCheckBox* quietBox() const { return quiet_; }

    void accept() override;

private:
    SlidingMeanTuning& record_;
    QLineEdit* window_ = nullptr;
    QCheckBox* background_ = nullptr;
    QButtonGroup* filterTypes_ = nullptr;
    QButtonGroup* functions_ = nullptr;
    QButtonGroup* boundaries_ = nullptr;
    QCheckBox* quiet_ = nullptr;
};
