#include "ViewOperations.h"

#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "CommandIds.h"
#include "FFile.h"
// Two libraries have a ViewCommands.h; this is the polynomial one.
#include "../polynomial/ViewCommands.h"

namespace ViewOperations {

bool handles(int commandId)
{
    switch (commandId) {
    case Cmd::EditClip:
    case Cmd::EditGlue:
    case Cmd::OpRemoveTrend:
    case Cmd::CalcRms:
    case Cmd::CalcArea:
    case Cmd::EditCopy:
        return true;
    default:
        return false;
    }
}

void run(CFFView& view, int commandId)
{
    // The pending result is shown before the question is asked.
    auto repaint = [&view] { view.viewport()->repaint(); };
    bool changed = false;
    switch (commandId) {
    case Cmd::EditClip: changed = RunClip(view.arrays(), repaint); break;
    case Cmd::EditGlue: changed = RunGlue(view.arrays(), repaint); break;
    case Cmd::OpRemoveTrend: changed = RunRemoveTrend(view.arrays(), repaint); break;
    case Cmd::CalcRms: CalcRms(view.currentArrays(), view.file()); return;
    case Cmd::CalcArea:
        CalcArea(view.arrays(), view.file(), repaint);
        view.redraw();  // the marks are back as they were
        return;
    case Cmd::EditCopy:
        // The copy travels to a new document through the pending slot and
        // the New command.
        if (auto copy = CopySelection(view.currentArrays(), view.file())) {
            CFFDoc::SetPendingFFile(std::move(copy));
            if (CVexilApp* app = CVexilApp::instance(); app && app->mainFrame())
                app->mainFrame()->runCommand(Cmd::FileNew);
            CFFDoc::TakePendingFFile();  // nothing is left waiting if New refused it
        }
        return;
    default: return;
    }
    if (changed) {
        // The samples changed: new Y range, no marks, and the document and
        // its other views hear of it.
        view.recomputeRange();
        view.clearMarks();
        emit view.documentModified();
    } else {
        view.redraw();
    }
}

}  // namespace ViewOperations
