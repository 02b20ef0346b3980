#include "ViewOperations.h"

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "CommandIds.h"
#include "FFCompress.h"
#include "FFCorrelation.h"
#include "FFLinComb.h"
#include "FFList.h"
#include "FFSlidingMean.h"
#include "FFile.h"
#include "Messages.h"
#include "Tuning.h"
#include "InPlaceCommands.h"

#include <algorithm>

namespace {

// Hands a new F-file to the application as a new document: the pending slot,
// then the New command.
void openAsNewDocument(std::unique_ptr<FFile> file)
{
    if (!file)
        return;
    CFFDoc::SetPendingFFile(std::move(file));
    if (CVexilApp* app = CVexilApp::instance(); app && app->mainFrame())
        app->mainFrame()->runCommand(Cmd::FileNew);
    CFFDoc::TakePendingFFile();  // nothing is left waiting if New refused it
}

// The F-files of the documents shown in a window that is not minimised (the
// commanding view's own always), with the view's F-file active. Add puts
// each at the front, so the list runs from the newest document back.
void buildVisibleFiles(FFList& list, FFile& own)
{
    CVexilApp* app = CVexilApp::instance();
    if (!app || !app->mainFrame())
        return;
    for (CFFDoc* doc : app->documents()) {
        FFile* file = doc->GetFFile();
        bool visible = file == &own;
        for (CChildFrame* frame : app->mainFrame()->framesOf(doc))
            visible = visible || !frame->isMinimized();
        if (visible)
            list.Add(file);
    }
    list.SetActive(&own);
}

void runSlidingMean(CFFView& view)
{
    ViewArrays& a = view.arrays();
    FFile& file = view.file();
    // A selection presets the window to its width in display units.
    int first = -1, last = -1;
    for (int i = 0; i < a.count; ++i)
        if (a.marks[static_cast<std::size_t>(i)] == MarkSelected) {
            if (first < 0)
                first = i;
            last = i;
        }
    if (first >= 0)
        Tuning<SlidingMeanTuning>::current().windowSize = (last - first) * file.UnitScale() * file.DisplayStep();

    FFSlidingMean op(&file, nullptr, a.result.data());
    if (!op.Execute())
        return;
    std::fill(a.marks.begin(), a.marks.end(), std::uint8_t(MarkPending));
    view.viewport()->repaint();
    const Answer answer = Messages::ask("Complete", "Confirm new f-file creation", Buttons::OkCancel);
    view.clearMarks();
    if (answer == Answer::Ok)
        openAsNewDocument(op.TakeOutput());
}

}  // namespace

namespace ViewOperations {

bool handles(int commandId)
{
    switch (commandId) {
    case Cmd::OpCompress:
    case Cmd::OpSlidingMean:
    case Cmd::OpLinearCombination:
    case Cmd::CalcCorrelations:
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

void run(CFFView& view, CFFDoc& doc, int commandId)
{
    // The pending result is shown before the question is asked.
    auto repaint = [&view] { view.viewport()->repaint(); };
    bool changed = false;
    SampleChange overwritten;
    const char* name = "";
    switch (commandId) {
    case Cmd::EditClip:
        changed = RunClip(view.arrays(), repaint, &overwritten);
        name = "Clip";
        break;
    case Cmd::EditGlue:
        changed = RunGlue(view.arrays(), repaint, &overwritten);
        name = "Glue";
        break;
    case Cmd::OpRemoveTrend:
        changed = RunRemoveTrend(view.arrays(), repaint, &overwritten);
        name = "Remove trend";
        break;
    case Cmd::CalcRms: CalcRms(view.currentArrays(), view.file()); return;
    case Cmd::CalcArea:
        CalcArea(view.arrays(), view.file(), repaint);
        view.redraw();  // the marks are back as they were
        return;
    case Cmd::EditCopy: openAsNewDocument(CopySelection(view.currentArrays(), view.file())); return;
    case Cmd::OpCompress: {
        FFCompress op(&view.file());
        if (op.Execute())
            openAsNewDocument(op.TakeOutput());
        return;
    }
    case Cmd::OpSlidingMean: runSlidingMean(view); return;
    case Cmd::OpLinearCombination: {
        std::unique_ptr<FFLinComb> op;
        {
            FFList list;
            buildVisibleFiles(list, view.file());
            op = std::make_unique<FFLinComb>(list);  // keeps its own copy of the list
        }
        if (op->Execute())
            openAsNewDocument(op->TakeOutput());
        return;
    }
    case Cmd::CalcCorrelations: {
        FFList list;
        buildVisibleFiles(list, view.file());
        FFCorrelation op(list);
        op.Execute();  // shows the table itself
        return;
    }
    default: return;
    }
    if (changed) {
        // No marks are left; the document keeps the step and tells every
        // view, this one included, to follow the new values.
        view.clearMarks();
        doc.recordSampleChange(&view, QString::fromLatin1(name), std::move(overwritten));
    } else {
        view.redraw();
    }
}

}  // namespace ViewOperations
