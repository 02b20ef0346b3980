#pragma once
// "F-file header": the modal list of a document's header entries with their
// access icons, values and descriptions, and Insert, Delete, Open and OK.
// Every change is made at once through the document; there is no Cancel.
//
// Delete and Open follow the last mouse click on the list (or deletion):
// moving the selection with the keys leaves them as they were.

#include <QDialog>

#include <string>

class FHead;
class HeadDocument;
class HeadEntry;
class HeadList;
class QPushButton;

class CHeadDlg : public QDialog {
    Q_OBJECT
public:
    explicit CHeadDlg(HeadDocument& doc, QWidget* parent = nullptr);

    HeadDocument& document() const { return doc_; }
    QString shortName() const;

    // The rows: one per entry, in header order, then the entries inserted.
    int rowCount() const;
    // The first selected row, or -1.
    int selectedRow() const;
    std::string rowId(int row) const;
    // The row's entry as the header holds it now, or nullptr.
    const HeadEntry* rowEntry(int row) const;
    // The first row of that ID, or -1.
    int findRow(const std::string& id) const;
    void appendRow(const std::string& id);
    // Shows the entry's current value in the row.
    void refreshRowValue(int row);
    // Open for any selected row, Delete unless it is READ-ONLY.
    void updateButtons();

    // The three commands (the buttons, double click, Enter and Delete keys).
    void openRow(int row);
    void insertEntry();
    void deleteSelected();

    HeadList* list() const { return list_; }
    QPushButton* insertButton() const { return insert_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* openButton() const { return open_; }
    QPushButton* okButton() const { return ok_; }

private:
    void fillRow(int row);

    HeadDocument& doc_;
    HeadList* list_;
    QPushButton* insert_;
    QPushButton* delete_;
    QPushButton* open_;
    QPushButton* ok_;
};
