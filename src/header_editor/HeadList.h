#pragma once
// The report list of the header dialog. It tells which input came from the
// mouse, because only mouse clicks update the dialog's buttons, and gives
// keyboard users Enter to open and Delete to delete the selected entry.

#include <QTreeWidget>

class HeadList : public QTreeWidget {
    Q_OBJECT
public:
    explicit HeadList(QWidget* parent = nullptr);

signals:
    // After the list has handled a mouse click (any button) or double click.
    void mouseClicked();
    void mouseDoubleClicked();
    void openKeyPressed();
    void deleteKeyPressed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
