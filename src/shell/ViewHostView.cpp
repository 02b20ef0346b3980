// The frames' side of the plot view CFFView.

#include "ViewHost.h"

#include "CFFDoc.h"
#include "CFFView.h"
#include "CAxisRuler.h"
#include "CommandIds.h"
#include "FFile.h"
#include "ViewOperations.h"

#include <QPointer>

namespace ViewHost {

QWidget* createView(CFFDoc& doc, QWidget* parent, const Links& links)
{
    auto* view = new CFFView(*doc.GetFFile(), parent);
    if (links.setPane)
        QObject::connect(view, &CFFView::statusText, view,
                         [setPane = links.setPane](int pane, const QString& text) { setPane(pane, text); });
    return view;
}

QWidget* withRulers(QWidget* view, bool shown)
{
    auto* v = qobject_cast<CFFView*>(view);
    return v ? CAxisRuler::frameView(v, shown) : view;
}

void setRulersShown(QWidget* frame, bool shown) { CAxisRuler::setRulersShown(frame, shown); }

void fitInWindow(QWidget* view)
{
    if (auto* v = qobject_cast<CFFView*>(view))
        v->fitInWindow();
}

void samplesChanged(QWidget* view, int first, int last, bool dropMarks)
{
    if (auto* v = qobject_cast<CFFView*>(view))
        v->samplesChanged(first, last, dropMarks);
}

void axisChanged(QWidget* view)
{
    // The readout reads the axis afresh; the plot follows a changed count.
    if (auto* v = qobject_cast<CFFView*>(view)) {
        v->recomputeRange();
        v->redraw();
    }
}

bool handles(int commandId)
{
    ViewTool tool;
    return ViewCommand::toolOf(commandId, tool) || commandId == Cmd::ViewFit || commandId == Cmd::ViewOneToOne ||
           commandId == Cmd::ViewRedraw || ViewOperations::handles(commandId);
}

void runCommand(QWidget* view, CFFDoc& doc, int commandId)
{
    auto* v = qobject_cast<CFFView*>(view);
    if (!v)
        return;
    ViewTool tool;
    if (ViewCommand::toolOf(commandId, tool))
        CFFView::setTool(tool);
    else if (commandId == Cmd::ViewFit)
        v->fitInWindow();
    else if (commandId == Cmd::ViewOneToOne)
        v->oneToOne();
    else if (commandId == Cmd::ViewRedraw)
        v->redraw();
    else if (ViewOperations::handles(commandId)) {
        QPointer<CFFView> guard(v);
        ViewOperations::run(*v, doc, commandId);
        if (guard)
            guard->arraysReturned();
    }
}

}  // namespace ViewHost
