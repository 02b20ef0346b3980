#pragma once
// A one-line input: a caption given by the caller, a read-only label and an
// editable value, each at most 34 characters; OK and Cancel.

#include <QDialog>

class QLabel;
class QLineEdit;

class CInputDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxText = 34;

    CInputDlg(const QString& title, const QString& label, const QString& value, QWidget* parent = nullptr);

    // Modal over the active window; on OK value takes the edited text, on
    // Cancel it keeps the caller's.
    static bool Edit(const QString& title, const QString& label, QString& value);

    QLabel* labelField() const { return label_; }
    QLineEdit* valueField() const { return value_; }

private:
    QLabel* label_ = nullptr;
    QLineEdit* value_ = nullptr;
};
