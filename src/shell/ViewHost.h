#pragma once
// What the frames need of a plot view, in one place: creating the view of
// a document inside a child frame, refitting it, routing the view's
// commands to it and hearing what it writes to the status bar. Keeps the
// frames free of the view's own interface.

#include <QString>

#include <functional>

class CFFDoc;
class QWidget;

namespace ViewHost {

// Receivers the shell gives every view.
struct Links {
    // Writes a status-bar pane (1 ... 8).
    std::function<void(int pane, const QString& text)> setPane;
    // Asks the application for a new document (the F-file waits in the
    // pending slot).
    std::function<void()> newDocument;
};

// A view of doc's F-file as a child of parent.
QWidget* createView(CFFDoc& doc, QWidget* parent, const Links& links);
// The view in a frame with axis rulers beside it, the rulers shown or not.
QWidget* withRulers(QWidget* view, bool shown);
void setRulersShown(QWidget* frame, bool shown);
// Fit in window.
void fitInWindow(QWidget* view);
// The document's samples changed; dropMarks also clears the view's marks.
void samplesChanged(QWidget* view, int first, int last, bool dropMarks);
// The document's coordinate axis was set up again.
void axisChanged(QWidget* view);
// Whether the view handles the command, and running it on the view of doc.
bool handles(int commandId);
void runCommand(QWidget* view, CFFDoc& doc, int commandId);

}  // namespace ViewHost
