#pragma once
// A child window of the main frame holding one view of one document.

#include <QMdiSubWindow>
#include <QPointer>

class CFFDoc;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CFFDoc* doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CFFDoc* document() const { return doc_; }
    // The view inside the frame.
    QWidget* view() const { return view_; }
    // Puts the view into the frame, inside `holder` (the view itself, or a
    // widget around it such as the axis rulers').
    void setView(QWidget* view, QWidget* holder);

    // Closing without asking: the document has already been asked (File >
    // Close, Exit).
    void closeWithoutAsking();

    // Window title: the document title, with ":n" when the document has
    // several windows.
    void setTitleIndex(int index);
    // The title as shown: the "[*]" placeholder replaced by the star of a
    // modified document, or dropped.
    QString shownTitle() const;

signals:
    // Emitted from the destructor, after the view has gone.
    void frameDestroyed(CChildFrame* frame, CFFDoc* doc);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle();

    QPointer<CFFDoc> doc_;
    QPointer<QWidget> view_;
    int index_ = 0;
    bool asked_ = false;
};
