#pragma once
// "Insert new entry": an ID (every letter typed becomes upper case) and a
// value. A new ID is appended to the header and the list; an existing FREE
// entry may have its value updated; PROTECTED and READ-ONLY ones are
// refused.

#include <QDialog>

class CHeadDlg;
class QLineEdit;
class QPushButton;

class CInsertEntryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInsertEntryDlg(CHeadDlg& list);

    // OK: an input error keeps the dialog open; otherwise it closes, whether
    // or not the entry was inserted or updated.
    void accept() override;

    QLineEdit* idField() const { return id_; }
    QLineEdit* valueField() const { return value_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void insert(const std::string& id, const std::string& value);

    CHeadDlg& list_;
    QLineEdit* id_;
    QLineEdit* value_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
