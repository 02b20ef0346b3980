#pragma once
// "Correlation coefficients": the coefficient table in a read-only text
// field of a fixed-pitch font that fills the dialog. No buttons: Escape or
// the window's close control ends it.

#include <QDialog>

class QPlainTextEdit;

class CCorrelationDlg : public QDialog {
    Q_OBJECT
public:
    // table: the text as the operation builds it (lines ended by CR LF).
    CCorrelationDlg(const QString& title, const QString& table, QWidget* parent = nullptr);

    // Shows the table modally over the active window.
    static void Show(const QString& title, const QString& table);

    QPlainTextEdit* field() const { return field_; }

private:
    QPlainTextEdit* field_ = nullptr;
};
