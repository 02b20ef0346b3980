#pragma once
// The plot view's commands that run the polynomial operations, statistics
// and copy on its arrays: Edit > Clip, Glue, Copy; Operation > Remove
// trend; Calc > RMS, Area. Built only with the polynomial library; without
// it the commands stay greyed.

class CFFView;

namespace ViewOperations {

bool handles(int commandId);
// Runs the command on the view; a confirmed in-place change marks the
// document modified, a copy opens as a new document.
void run(CFFView& view, int commandId);

}  // namespace ViewOperations
