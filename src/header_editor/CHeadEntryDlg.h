#pragma once
// "Head entry": one entry of the header list with its type, class, access
// and description, and its value, which becomes editable after "Edit value"
// (asking first for a PROTECTED entry; never for a READ-ONLY one). OK takes
// an edited value; Cancel changes nothing.

#include <QDialog>

#include <string>

class CHeadDlg;
class QLineEdit;
class QPushButton;

class CHeadEntryDlg : public QDialog {
    Q_OBJECT
public:
    CHeadEntryDlg(CHeadDlg& list, int row);

    // "Edit value".
    void editValue();
    // OK: an empty edited value keeps the dialog open.
    void accept() override;

    bool isEditing() const { return editing_; }
    QLineEdit* typeField() const { return type_; }
    QLineEdit* classField() const { return class_; }
    QLineEdit* accessField() const { return accessWord_; }
    QLineEdit* descriptionField() const { return description_; }
    QLineEdit* valueField() const { return value_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    CHeadDlg& list_;
    int row_;
    std::string id_;
    char access_;
    QLineEdit* type_;
    QLineEdit* class_;
    QLineEdit* accessWord_;
    QLineEdit* description_;
    QLineEdit* value_;
    QPushButton* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool editing_ = false;
};
