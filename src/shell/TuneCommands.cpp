#include "TuneCommands.h"

#include "CCompressDlg.h"
#include "CLinCombDlg.h"
#include "CMainFrame.h"
#include "COverlayingDlg.h"
#include "CPolyTuningDlg.h"
#include "CSlidingMeanDlg.h"
#include "CommandIds.h"
#include "FFLinComb.h"

namespace {

// The menu commands open the dialog on the record itself; whether the user
// chose OK or Cancel does not matter to them.
template <typename T>
void tunePoly()
{
    CPolyTuningDlg::EditRecord(Tuning<T>::current());
}

}  // namespace

void installTuneCommands(CMainFrame& frame)
{
    frame.setCommandHandler(Cmd::TuneClip, tunePoly<ClipTuning>);
    frame.setCommandHandler(Cmd::TuneGlue, tunePoly<GlueTuning>);
    frame.setCommandHandler(Cmd::TuneRemoveTrend, tunePoly<TrendTuning>);
    frame.setCommandHandler(Cmd::TuneOverlaying, [] { COverlayingDlg::Edit(Tuning<OverlayTuning>::current()); });
    frame.setCommandHandler(Cmd::TuneCompress, [] { CCompressDlg::Edit(Tuning<CompressTuning>::current()); });
    frame.setCommandHandler(Cmd::TuneSlidingMean,
                            [] { CSlidingMeanDlg::Edit(Tuning<SlidingMeanTuning>::current()); });
}

void installTuningDialogs()
{
    Tuning<ClipTuning>::setEditor(CPolyTuningDlg::EditRecord<ClipTuning>);
    Tuning<GlueTuning>::setEditor(CPolyTuningDlg::EditRecord<GlueTuning>);
    Tuning<TrendTuning>::setEditor(CPolyTuningDlg::EditRecord<TrendTuning>);
    Tuning<OverlayTuning>::setEditor(COverlayingDlg::Edit);
    Tuning<CompressTuning>::setEditor(CCompressDlg::Edit);
    Tuning<SlidingMeanTuning>::setEditor(CSlidingMeanDlg::Edit);
    FFLinComb::SetDialog(CLinCombDlg::Edit);
}
